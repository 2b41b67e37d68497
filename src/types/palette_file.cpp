#include "types/palette_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <system_error>
#include <utility>

#include "app/workspace/messages.h"
#include "app/workspace/workspace.h"
#include "archive/file_io.h"
#include "types/input_file.h"

namespace mw {

namespace {

constexpr std::size_t max_word_length = 64;
constexpr int jasc_header_words = 3;
constexpr std::size_t any_number = SIZE_MAX;

bool has_pal_extension(const fs::path& path)
{
    std::string extension = path.extension().string();
    std::ranges::transform(extension, extension.begin(), [](unsigned char c) { return std::tolower(c); });
    return extension == ".pal";
}

}  // namespace

fs::path current_palette_path() { return Workspace::instance().temp_file("mw3792_current.pal"); }

std::optional<std::string> WordReader::word()
{
    int c = in_.get();
    while (c != std::char_traits<char>::eof() && std::isspace(c)) c = in_.get();
    if (c == std::char_traits<char>::eof()) return std::nullopt;
    std::string text;
    bool over_long = false;
    while (c != std::char_traits<char>::eof() && !std::isspace(c)) {
        if (text.size() < max_word_length)
            text.push_back(static_cast<char>(c));
        else
            over_long = true;
        c = in_.get();
    }
    if (over_long) text.assign(max_word_length + 1, 'x');
    return text;
}

std::optional<int> WordReader::integer()
{
    const auto text = word();
    if (!text) return std::nullopt;
    const char* first = text->data();
    const char* last = first + text->size();
    if (first != last && *first == '+') ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last) return std::nullopt;
    return value;
}

std::optional<std::vector<PaletteTriple>> read_palette_triples(const fs::path& path, std::size_t max_colours)
{
    std::ifstream in;
    if (!open_input_file(in, path)) return std::nullopt;
    WordReader words(in);
    for (int i = 0; i < jasc_header_words; ++i) words.word();
    std::vector<PaletteTriple> colours;
    while (colours.size() < max_colours) {
        PaletteTriple triple{};
        for (int& value : triple) {
            const auto read = words.integer();
            if (!read) return colours;
            value = *read;
        }
        colours.push_back(triple);
    }
    return colours;
}

std::string jasc_palette_text(std::span<const PaletteTriple> colours)
{
    std::string text = "JASC-PAL\r\n0100\r\n256\r\n";
    for (const PaletteTriple& c : colours)
        text += std::to_string(c[0]) + " " + std::to_string(c[1]) + " " + std::to_string(c[2]) + "\r\n";
    return text;
}

PaletteTriple as_rgb(const PaletteTriple& line, ColourOrder order)
{
    return order == ColourOrder::rgb ? line : PaletteTriple{line[2], line[1], line[0]};
}

std::optional<std::vector<PaletteTriple>> load_palette_panel_colours(const fs::path& path)
{
    auto colours = read_palette_triples(path, any_number);
    if (!colours) report_error(60, "Error loading palette");
    return colours;
}

int make_current_palette(std::span<const PaletteTriple> colours, ColourOrder order)
{
    if (colours.size() < palette_colour_count)
        return report_error("The palette holds " + std::to_string(colours.size()) +
                            " colors; only a palette of 256 colors can be made the current palette");
    std::vector<PaletteTriple> lines;
    for (const PaletteTriple& c : colours.first(palette_colour_count)) lines.push_back(as_rgb(c, order));
    if (!write_text_file(current_palette_path(), jasc_palette_text(lines))) return report_error(140, "Error writing palette");
    return 0;
}

std::optional<std::vector<PaletteTriple>> load_plane_palette()
{
    auto colours = read_palette_triples(current_palette_path());
    if (!colours) report_error(72, "No plane palette found - colors may be inaccurate");
    return colours;
}

std::vector<RegionPalette> region_palettes()
{
    std::vector<RegionPalette> list{{"The Plane Palette", current_palette_path()}};
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(Workspace::instance().program_file("regions"), ec), end; !ec && it != end;
         it.increment(ec))
        if (has_pal_extension(it->path()) && !it->is_directory(ec)) files.push_back(it->path());
    std::ranges::sort(files, {}, [](const fs::path& p) {
        std::string name = p.filename().string();
        std::string folded = name;
        std::ranges::transform(folded, folded.begin(), [](unsigned char c) { return std::toupper(c); });
        return std::pair(folded, name);
    });
    for (const fs::path& file : files) list.push_back({file.stem().string(), file});
    return list;
}

std::optional<std::vector<PaletteTriple>> load_region_palette(const RegionPalette& palette, bool report_failure)
{
    auto colours = read_palette_triples(palette.path);
    if (!colours && report_failure) report_error(71, "Error loading region palette file");
    return colours;
}

}  // namespace mw
