// An in-memory raster image: indexed (1, 2, 4 or 8 bits per pixel, with a
// colour table) or direct colour (24 bits per pixel, blue-green-red bytes).
//
// Rows are `row_stride()` bytes apart, the stride a multiple of 4 as in a
// BMP pixel array. Indexed pixels are packed most significant bits first
// (for 4 bits the high nibble is the left pixel). Row 0 is whatever the
// coder put first; with the top-down flag off that is the first row of the
// BMP pixel array, the bottom row of the picture.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace mw {

struct BgrColour {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;

    friend bool operator==(const BgrColour&, const BgrColour&) = default;
};

class BitmapImage {
public:
    BitmapImage() = default;
    BitmapImage(const BitmapImage&) = default;
    BitmapImage(BitmapImage&&) noexcept = default;
    BitmapImage& operator=(const BitmapImage&) = default;
    BitmapImage& operator=(BitmapImage&&) noexcept = default;
    virtual ~BitmapImage() = default;

    // Replaces the image by a zero-filled one. Bit counts 1, 2, 4 and 8 get
    // a colour table of `colour_count` black entries; 24 gets none. Any
    // other bit count throws EInvalidBitCount, buffers that cannot be had
    // throw EGraphicsOutOfMemory; either way the image is left empty.
    void set_size(std::uint32_t colour_count, std::uint32_t bit_count, std::uint32_t width, std::uint32_t height);

    // Colour-table entry; ESubscriptOutOfRange when index >= colour_count().
    BgrColour& colour(std::uint32_t index);
    const BgrColour& colour(std::uint32_t index) const;

    // The `row_stride()` bytes of row r; ESubscriptOutOfRange when r >= height().
    std::span<std::uint8_t> row(std::uint32_t r);
    std::span<const std::uint8_t> row(std::uint32_t r) const;

    std::uint32_t row_stride() const { return row_stride_; }
    std::uint32_t bit_count() const { return bit_count_; }
    std::uint32_t width() const { return width_; }
    std::uint32_t height() const { return height_; }
    std::uint32_t colour_count() const { return static_cast<std::uint32_t>(colours_.size()); }
    std::span<const std::uint8_t> pixels() const { return pixels_; }

private:
    std::uint32_t row_stride_ = 0;
    std::uint32_t bit_count_ = 0;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    std::vector<std::uint8_t> pixels_;
    std::vector<BgrColour> colours_;
};

}  // namespace mw
