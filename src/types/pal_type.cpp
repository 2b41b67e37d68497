#include "types/pal_type.h"

#include <fstream>

#include "app/workspace/messages.h"
#include "app/workspace/workspace.h"
#include "archive/file_io.h"
#include "types/input_file.h"

namespace mw {

namespace {

// Far above the largest Corel palette (256 records with 255-byte names).
constexpr std::size_t max_corel_file_size = 1 << 20;

std::string open_input_failure(const fs::path& path) { return "Failed to open file " + display(path) + " for input"; }
std::string open_output_failure(const fs::path& path) { return "Failed to open file " + display(path) + " for output"; }

Bytes read_up_to(std::istream& in, std::size_t limit)
{
    Bytes data(limit);
    in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(limit));
    data.resize(static_cast<std::size_t>(in.gcount()));
    return data;
}

int write_all(std::ofstream& out, const std::uint8_t* data, std::size_t size)
{
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    return out ? 0 : report_error("Error writing palette");
}

int report_read_failure(PaletteReadStatus status)
{
    return report_error(status == PaletteReadStatus::wrong_count ? "Palette must contain exactly 256 colors"
                                                                 : "Invalid palette format");
}

}  // namespace

int PalType::export_convert(const fs::path& stored)
{
    return export_as(stored, Workspace::instance().palette_format() == palette_format_corel ? palette_format_corel
                                                                                            : palette_format_jasc);
}

int PalType::export_as(const fs::path& stored, PaletteFormat format)
{
    const bool jasc = format == palette_format_jasc;
    std::ifstream in;
    if (!open_input_file(in, stored)) return report_error(jasc ? 1030 : 1031, open_input_failure(stored));
    const fs::path converted = converted_path(stored);
    std::ofstream out(converted, std::ios::binary | std::ios::trunc);
    if (!out) return report_error(jasc ? 1037 : 1038, open_output_failure(converted));

    const Bytes entry = read_up_to(in, palette_entry_size);
    if (entry.size() < palette_entry_size) return report_error("Palette must contain exactly 256 colors");
    if (jasc) {
        const std::string text = jasc_palette_from_entry(entry);
        return write_all(out, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    }
    const Bytes corel = corel_palette_from_entry(entry);
    return write_all(out, corel.data(), corel.size());
}

int PalType::import_convert(const fs::path& source, const fs::path& target)
{
    std::ifstream in;
    if (!open_input_file(in, source)) return report_error(1056, open_input_failure(source));
    const Bytes magic = read_up_to(in, 2);
    in.close();
    if (magic.size() == 2 && get_u16(magic.data()) == corel_palette_magic) return import_corel(source, target);
    return import_jasc(source, target);
}

int PalType::import_jasc(const fs::path& source, const fs::path& target)
{
    std::ifstream in;
    if (!open_input_file(in, source)) return report_error(1084, open_input_failure(source));
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    if (!out) return report_error(1091, open_output_failure(target));
    const PaletteReadResult read = entry_from_jasc_palette(in);
    if (read.status != PaletteReadStatus::ok) return report_read_failure(read.status);
    return write_all(out, read.entry.data(), read.entry.size());
}

int PalType::import_corel(const fs::path& source, const fs::path& target)
{
    std::ifstream in;
    if (!open_input_file(in, source)) return report_error(1188, open_input_failure(source));
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    if (!out) return report_error(1195, open_output_failure(target));
    const PaletteReadResult read = entry_from_corel_palette(read_up_to(in, max_corel_file_size));
    if (read.status != PaletteReadStatus::ok) return report_read_failure(read.status);
    return write_all(out, read.entry.data(), read.entry.size());
}

}  // namespace mw
