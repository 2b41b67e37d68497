#include "archive/entry_bytes.h"

#include "archive/system_file.h"

namespace mw {

StoredBytes read_stored_bytes(const std::filesystem::path& archive, const ResEntry& entry)
{
    StoredBytes result;
    InputFile in;
    if (!in.open(archive)) {
        result.reason = in.reason();
        return result;
    }
    if (entry.damaged || entry.data_offset > in.size() || entry.stored_length > in.size() - entry.data_offset) {
        result.damaged = true;
        return result;
    }
    if (!in.read_at(entry.data_offset, result.data, entry.stored_length)) result.reason = in.reason();
    return result;
}

}  // namespace mw
