// A palette entry (768 bytes: 256 colours of red, green, blue) and its two
// interchange files.
//
// Format notes. JASC text palette: "JASC-PAL", "0100", "256", then one
// "red green blue" line per colour; read as whitespace-separated tokens.
// Corel PhotoPaint palette (little-endian):
//   0      u16  magic 0xDCDC
//   2      u8   name length n, then n name bytes (written "Cloudmere Palette")
//   3 + n  u16  colour count, 256
//   5 + n  256 records of 26 bytes: u16 5, u16 5, u32 0, blue, green, red,
//          one 0 byte, name length 13 and "unnamed color" (a written file
//          is 6,678 bytes). A reader skips 8 bytes, takes blue, green, red,
//          skips 1 byte and a length-prefixed name.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "archive/byte_io.h"

namespace mw {

inline constexpr std::size_t palette_entry_size = 768;
inline constexpr std::uint16_t corel_palette_magic = 0xDCDC;

// PaletteFormat setting: which file a palette export writes.
enum PaletteFormat : int { palette_format_jasc = 0, palette_format_corel = 1 };

// The entry as files; `entry` holds at least 768 bytes.
std::string jasc_palette_from_entry(ByteSpan entry);
Bytes corel_palette_from_entry(ByteSpan entry);

enum class PaletteReadStatus {
    ok,
    invalid_format,  // "Invalid palette format"
    wrong_count,     // "Palette must contain exactly 256 colors"
};

struct PaletteReadResult {
    PaletteReadStatus status = PaletteReadStatus::ok;
    Bytes entry;  // 768 bytes when ok
};

// A JASC text palette: the magic word, a version, the count 256 and 256
// integer triples (values taken modulo 256; lines after the 256th ignored).
// Anything missing or not a number is an invalid format.
PaletteReadResult entry_from_jasc_palette(std::istream& text);

// A Corel palette: a wrong magic or a file cut short is an invalid format,
// a count other than 256 the wrong count.
PaletteReadResult entry_from_corel_palette(ByteSpan file);

}  // namespace mw
