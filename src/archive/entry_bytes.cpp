#include "archive/entry_bytes.h"

#include <fstream>

#include "archive/file_io.h"

namespace mw {

std::optional<Bytes> read_stored_bytes(const std::filesystem::path& archive, const ResEntry& entry)
{
    const auto size = file_size_of(archive);
    if (entry.damaged || !size || entry.data_offset > *size || entry.stored_length > *size - entry.data_offset)
        return std::nullopt;
    std::ifstream in(archive, std::ios::binary);
    if (!in.seekg(static_cast<std::streamoff>(entry.data_offset))) return std::nullopt;
    Bytes data(entry.stored_length);
    if (!in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()))) return std::nullopt;
    return data;
}

}  // namespace mw
