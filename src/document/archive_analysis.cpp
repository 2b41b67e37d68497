#include "document/archive_analysis.h"

#include <fstream>
#include <system_error>

#include "app/workspace/messages.h"
#include "archive/file_io.h"
#include "app/workspace/workspace.h"
#include "archive/byte_io.h"
#include "document/palette_format_scope.h"

namespace mw {

namespace {

constexpr std::uint32_t palette_length = 768;
constexpr std::uint32_t cockpit_length = 960038;

int read_model_id(ResArchive& archive)
{
    const int definition = archive.find(2053);
    if (definition < 0) return -1;
    const fs::path file = Workspace::instance().temp_file("mw3792_multires.def");
    if (archive.extract(definition, 0, file, ResEntry::to_file, false) != 0) return -1;
    std::ifstream in(file, std::ios::binary);
    std::uint8_t bytes[14];
    if (!in.read(reinterpret_cast<char*>(bytes), sizeof bytes)) return -1;
    return get_i16(bytes + 12);
}

}  // namespace

ArchiveAnalysis analyse_archive(ResArchive& archive)
{
    PaletteFormatScope jasc_only;
    ArchiveAnalysis result;
    const int count = archive.entry_count();
    result.variant = count > 0 && (archive.entry(0)->resource_id == 15600 || archive.entry(0)->resource_id == 1000);
    result.model_id = read_model_id(archive);

    const fs::path current_palette = Workspace::instance().temp_file("mw3792_current.pal");
    for (int i = 0; i < count; ++i) {
        const ResEntry& entry = *archive.entry(i);
        const int id = entry.resource_id;

        if (entry.uncompressed_length == palette_length) {
            if (result.palettes.empty()) (void)archive.extract(i, 0, current_palette, ResEntry::to_file, true);
            result.palettes.push_back(i);
        }
        if (id == 1971) result.texture_base_entry = i, result.default_model_distance = 10.0f;
        if (id == 1500) result.texture_base_entry = i, result.default_model_distance = 50.0f;
        if (id == 29011) result.texture_base_entry = i, result.default_model_distance = 100.0f;
        if (result.variant && id == 2000) result.texture_base_entry = i, result.default_model_distance = 10.0f;
        if (id == 2130) result.trim_entry = i;
        if (result.model_id >= 0 && id == result.model_id) result.model_entry = i;

        auto& keys = result.key_entries;
        if (id == (result.variant ? 15051 : 11005)) keys.push_back(i);
        if (id == 26001) keys.push_back(i);
        if (id == (result.variant ? 2000 : 1971)) keys.push_back(i);
        if (id == result.model_id) keys.push_back(i);
        if (!result.variant && id == 2059) keys.push_back(i);
        if (keys.size() == 5 && id > 2801 && entry.uncompressed_length == cockpit_length) keys.push_back(i);
    }

    const std::size_t wanted = result.variant ? 4 : 6;
    if (result.key_entries.size() != wanted) result.key_entries.clear();
    result.aircraft_archive = result.key_entries.size() == 6;

    if (result.variant && result.palettes.empty()) {
        if (!copy_file_over(Workspace::instance().program_file("cm2.pal"), current_palette))
            report_error("Error loading CM2 palette");
    }
    return result;
}

}  // namespace mw
