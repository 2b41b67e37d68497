#include "types/vmmd_type.h"

#include <array>
#include <cstring>
#include <fstream>

#include "app/workspace/messages.h"
#include "archive/byte_io.h"

namespace mw {

namespace {

constexpr std::streamoff counts_offset = 60;

}  // namespace

int VMMDType::export_convert(const fs::path& stored)
{
    std::ifstream in(stored, std::ios::binary);
    std::array<std::uint8_t, 4> counts{};
    if (in.seekg(counts_offset) && in.read(reinterpret_cast<char*>(counts.data()), counts.size())) {
        polygon_count_ = get_i16(&counts[0]);
        vertex_count_ = get_i16(&counts[2]);
    }
    in.close();
    return CopyingType::export_convert(stored);
}

int VMMDType::import_convert(const fs::path& source, const fs::path& target)
{
    std::ifstream in(source, std::ios::binary);
    char magic[4] = {};
    if (!in.read(magic, sizeof magic) || std::memcmp(magic, "VMMD", sizeof magic) != 0)
        return report_error(1077, "File is not a Vellamore 3D Model file");
    in.close();
    return CopyingType::import_convert(source, target);
}

std::string VMMDType::info_text() const
{
    return "Model Information     : " + std::to_string(polygon_count_) + " Polygons\r\n";
}

}  // namespace mw
