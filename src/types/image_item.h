// The game's image items and their conversion to and from bitmap images.
//
// Format notes (little-endian):
//   0  u32  reserved, 0
//   4  u16  format: 2 = 8-bit palette indices, 3 = 16-bit colour (5-6-5)
//   6  u16  variant, kept; for format 3, 32 means no extra words
//   8  u16  width W           10 u16 height H
//  12  u16  row bytes: W (format 2) or 2W (format 3)
//  14  u16  size word: format 2 the bytes floor(log2 W), floor(log2 H);
//           format 3 kept as read
//  16  3 × u32 extra words, only for format 3 with variant != 32
//  then H rows, top row of the picture first, W pixels each, no padding:
//  a byte (format 2) or red 15-11, green 10-5, blue 4-0 (format 3).
//
// Bitmap images keep their rows bottom to top, so item row r is image row
// H - 1 - r. An 8-bit image row starts at r × row stride, whatever the
// width; 16-bit items become 24-bit images as wide as W rounded up to a
// multiple of 4, the extra columns black.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "archive/byte_io.h"
#include "types/bmp/bitmap_image.h"

namespace mw {

enum ImageItemFormat : std::uint16_t {
    item_format_none = 0,  // nothing read yet
    item_format_8bit = 2,
    item_format_16bit = 3,
};

struct ImageItemHeader {
    std::uint32_t reserved = 0;
    std::uint16_t format = item_format_none;
    std::uint16_t variant = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t row_bytes = 0;
    std::uint16_t size_word = 0;
    std::array<std::uint32_t, 3> extra{};

    bool has_extra_words() const { return format == item_format_16bit && variant != 32; }

    friend bool operator==(const ImageItemHeader&, const ImageItemHeader&) = default;
};

// How reading an item ended; the handler turns a failure into its message.
enum class ItemReadStatus {
    ok,
    invalid_format,      // reserved word not 0 (or missing)
    unsupported_format,  // format neither 2 nor 3 (or missing)
    bad_row_bytes_8bit,  // row bytes != W
    bad_row_bytes_16bit, // row bytes != 2W
    cut_short,           // header or pixels missing
};

struct ItemReadResult {
    ItemReadStatus status = ItemReadStatus::ok;
    ImageItemHeader header;  // as far as read; the format is known when cut short
};

// Reads and checks the header; `reader` is left at the first pixel.
ItemReadResult read_item_header(ByteReader& reader);

// The item's pixels as a bitmap image; `palette` (blue, green, red) gives an
// 8-bit image its colour table. Nothing when the pixels are cut short,
// checked before anything is allocated. May throw EGraphicsException.
std::optional<BitmapImage> item_to_image(ByteReader& pixels, const ImageItemHeader& header,
                                         const std::array<BgrColour, 256>& palette);

// W rounded up to a multiple of 4: the width of a 16-bit item's bitmap.
std::uint32_t padded_width(std::uint32_t width);

// An 8-bit item from an 8-bit image: header fields from `kept`, size from
// the image. The image must be 8-bit with 256 colours and at most 65535 wide
// and high (callers check).
Bytes image_to_8bit_item(const BitmapImage& image, const ImageItemHeader& kept);

// A 16-bit item from a 24-bit image as wide as the padded width and as high
// as `kept`; the header is `kept` exactly, padding columns are dropped.
Bytes image_to_16bit_item(const BitmapImage& image, const ImageItemHeader& kept);

BgrColour colour_from_565(std::uint16_t value);
std::uint16_t colour_to_565(BgrColour colour);

}  // namespace mw
