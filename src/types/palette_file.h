// Palette text files: the JASC text palette ("JASC-PAL", "0100", "256",
// then one "red green blue" line per colour, CR LF line ends; read as
// whitespace-separated tokens), the current palette file that colours
// 8-bit images and model textures, the region palettes of the propeller
// editor, and the nearest-colour search.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
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

}  // namespace mw
