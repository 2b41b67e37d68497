// Palette text files: the JASC text palette ("JASC-PAL", "0100", "256",
// then one "red green blue" line per colour, CR LF line ends; read as
// whitespace-separated tokens), the current palette file that colours
// 8-bit images and model textures, and the region palettes of the
// propeller editor.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mw {

namespace fs = std::filesystem;

// The three values of one colour line, in file order (normally red, green, blue).
using PaletteTriple = std::array<int, 3>;

// Colours in a game palette and in the palettes the program writes.
inline constexpr std::size_t palette_colour_count = 256;

// Temp folder + "mw3792_current.pal": a JASC text palette.
fs::path current_palette_path();

// Whitespace-separated words of a text stream. Words are cut at 64
// characters (an over-long word is no number), so a hostile file costs no
// memory.
class WordReader {
public:
    explicit WordReader(std::istream& in) : in_(in) {}
    std::optional<std::string> word();
    // The next word as a whole decimal integer; nothing at the end or when the word is no integer.
    std::optional<int> integer();

private:
    std::istream& in_;
};

// Opens a JASC text palette, skips its three header words and reads integer
// triples until one cannot be read, keeping at most `max_colours` (a
// palette never holds more than 256; extra lines are ignored). Nothing when
// the file cannot be opened. Reports nothing.
std::optional<std::vector<PaletteTriple>> read_palette_triples(const fs::path& path,
                                                                std::size_t max_colours = palette_colour_count);

// A JASC text palette of `colours` (values written as they are), CR LF line ends.
std::string jasc_palette_text(std::span<const PaletteTriple> colours);

// How the three values of a palette line are taken: red, green, blue, or
// blue, green, red (some palettes hold their colours the other way round).
enum class ColourOrder { rgb, bgr };

// The line's values as red, green, blue under `order`.
PaletteTriple as_rgb(const PaletteTriple& line, ColourOrder order);

// The palette panel's colours: every triple of the file, however many
// (the panel draws only exactly 256). "Error#60: Error loading palette"
// when the file cannot be opened.
std::optional<std::vector<PaletteTriple>> load_palette_panel_colours(const fs::path& path);

// "Make Current Palette": writes the first 256 colours to the current
// palette file as red, green, blue under `order`. A palette of fewer than
// 256 colours is refused rather than written short. 0 / -1.
[[nodiscard]] int make_current_palette(std::span<const PaletteTriple> colours, ColourOrder order);

// The plane palette (the current palette file), up to 256 colours;
// "Error#72: No plane palette found - colors may be inaccurate" when it
// cannot be opened.
std::optional<std::vector<PaletteTriple>> load_plane_palette();

// The palettes the propeller editor offers: "The Plane Palette" (the
// current palette file), then every "*.pal" file of the program folder's
// "regions" folder, named without folder and extension, in file-name order
// regardless of case (the order the game's own platform lists them in).
struct RegionPalette {
    std::string name;
    fs::path path;
};
std::vector<RegionPalette> region_palettes();

// Up to 256 colours of a region palette. When the file cannot be opened,
// "Error#71: Error loading region palette file" if `report_failure`
// (the first palette loads silently when the editor opens).
std::optional<std::vector<PaletteTriple>> load_region_palette(const RegionPalette& palette, bool report_failure);

}  // namespace mw
