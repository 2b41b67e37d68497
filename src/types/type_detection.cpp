#include "types/type_detection.h"

#include <array>
#include <fstream>
#include <string_view>

#include "app/workspace/messages.h"
#include "archive/system_file.h"
#include "types/bmp_type.h"
#include "types/copy_types.h"
#include "types/pal_type.h"
#include "types/vmmd_type.h"

namespace mw {

namespace {

struct Signature {
    std::string_view bytes;
    int code;
};

// Compared with the first bytes of the file, in this order; the first match wins.
constexpr std::array<Signature, 4> signatures = {{
    {std::string_view("RIFF", 4), 1},
    {std::string_view("\0\0\0\0\x02\0", 6), 2},
    {std::string_view("\0\0\0\0\x03\0", 6), 3},
    {std::string_view("VMMD", 4), 4},
}};

constexpr std::uint64_t palette_file_size = 768;

}  // namespace

int type_from_head(std::span<const std::uint8_t> head, std::uint64_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(head.data()), head.size());
    for (const Signature& signature : signatures)
        if (bytes.size() >= signature.bytes.size() && bytes.substr(0, signature.bytes.size()) == signature.bytes)
            return signature.code;
    return size == palette_file_size ? type_palette : type_unknown;
}

int type_from_content(const fs::path& file)
{
    InputFile in;
    if (!in.open(file)) return report_error(error_text(1067, "Open file for reading failed") + reason_line(file, in.reason()));
    // A read that fails is no short file: its type would be taken wrongly.
    char head[8] = {};
    const auto got = static_cast<std::size_t>(std::min<std::uint64_t>(in.size(), sizeof head));
    if (!in.read_at(0, reinterpret_cast<std::uint8_t*>(head), got))
        return report_error(error_text(1067, "Open file for reading failed") + reason_line(file, in.reason()));
    return type_from_head(std::span(reinterpret_cast<const std::uint8_t*>(head), got), in.size());
}

int type_from_extension(const fs::path& file)
{
    const std::string path = file.string();
    const auto dot = path.find_last_of('.');
    const std::string extension = dot == std::string::npos ? path : path.substr(dot + 1);
    if (extension == "wav" || extension == "WAV") return 1;
    if (extension == "bmp" || extension == "BMP") return 2;
    if (extension == "pal" || extension == "PAL") return 768;
    return 0;
}

std::unique_ptr<FileType> create_file_type(int detection_code)
{
    switch (detection_code) {
    case 0: return std::make_unique<UnknownType>();
    case 1: return std::make_unique<WavType>();
    case 2:
    case 3: return std::make_unique<BmpType>();  // type code 2 for both item formats
    case 4: return std::make_unique<VMMDType>();
    case 768: return std::make_unique<PalType>();
    default: return nullptr;
    }
}

}  // namespace mw
