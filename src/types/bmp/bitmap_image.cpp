#include "types/bmp/bitmap_image.h"

#include <new>
#include <stdexcept>

#include "types/bmp/graphics_exceptions.h"

namespace mw {

namespace {

// Far above any image the program handles (the decoder admits 2^26 pixels,
// at most 200 MB); a larger request is refused instead of attempted.
constexpr std::uint64_t max_buffer_bytes = std::uint64_t(1) << 30;

std::uint64_t stride_for(std::uint32_t bit_count, std::uint32_t width)
{
    const std::uint64_t row_bits = std::uint64_t(width) * bit_count;
    return ((row_bits + 7) / 8 + 3) / 4 * 4;
}

}  // namespace

void BitmapImage::set_size(std::uint32_t colour_count, std::uint32_t bit_count, std::uint32_t width,
                           std::uint32_t height)
{
    *this = BitmapImage();
    const bool indexed = bit_count == 1 || bit_count == 2 || bit_count == 4 || bit_count == 8;
    if (!indexed && bit_count != 24) throw EInvalidBitCount();

    const std::uint64_t stride = stride_for(bit_count, width);
    const std::uint64_t table_entries = indexed ? colour_count : 0;
    if (stride > max_buffer_bytes || (stride != 0 && height > max_buffer_bytes / stride) ||
        table_entries > max_buffer_bytes / 3)
        throw EGraphicsOutOfMemory();

    BitmapImage sized;
    try {
        sized.pixels_.assign(static_cast<std::size_t>(stride * height), 0);
        sized.colours_.assign(static_cast<std::size_t>(table_entries), BgrColour{});
    } catch (const std::bad_alloc&) {
        throw EGraphicsOutOfMemory();
    } catch (const std::length_error&) {
        throw EGraphicsOutOfMemory();
    }
    sized.row_stride_ = static_cast<std::uint32_t>(stride);
    sized.bit_count_ = bit_count;
    sized.width_ = width;
    sized.height_ = height;
    *this = std::move(sized);
}

BgrColour& BitmapImage::colour(std::uint32_t index)
{
    if (index >= colours_.size()) throw ESubscriptOutOfRange();
    return colours_[index];
}

const BgrColour& BitmapImage::colour(std::uint32_t index) const
{
    if (index >= colours_.size()) throw ESubscriptOutOfRange();
    return colours_[index];
}

std::span<std::uint8_t> BitmapImage::row(std::uint32_t r)
{
    if (r >= height_) throw ESubscriptOutOfRange();
    return std::span<std::uint8_t>(pixels_).subspan(std::size_t(r) * row_stride_, row_stride_);
}

std::span<const std::uint8_t> BitmapImage::row(std::uint32_t r) const
{
    if (r >= height_) throw ESubscriptOutOfRange();
    return std::span<const std::uint8_t>(pixels_).subspan(std::size_t(r) * row_stride_, row_stride_);
}

}  // namespace mw
