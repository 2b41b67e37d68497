#include "types/image_item.h"

#include <algorithm>
#include <bit>

namespace mw {

namespace {

// floor(log2 n) as a byte; 0 for an empty dimension.
std::uint8_t log2_byte(std::uint32_t n) { return n == 0 ? 0 : static_cast<std::uint8_t>(std::bit_width(n) - 1); }

void write_header(ByteWriter& out, const ImageItemHeader& h)
{
    out.u32(h.reserved);
    out.u16(h.format);
    out.u16(h.variant);
    out.u16(h.width);
    out.u16(h.height);
    out.u16(h.row_bytes);
    out.u16(h.size_word);
    if (h.has_extra_words())
        for (std::uint32_t word : h.extra) out.u32(word);
}

}  // namespace

ItemReadResult read_item_header(ByteReader& reader)
{
    ItemReadResult result;
    ImageItemHeader& h = result.header;
    h.reserved = reader.u32();
    if (!reader.ok() || h.reserved != 0) return {ItemReadStatus::invalid_format, {}};
    h.format = reader.u16();
    if (!reader.ok() || (h.format != item_format_8bit && h.format != item_format_16bit))
        return {ItemReadStatus::unsupported_format, {}};
    h.variant = reader.u16();
    h.width = reader.u16();
    h.height = reader.u16();
    h.row_bytes = reader.u16();
    if (!reader.ok()) return {ItemReadStatus::cut_short, h};
    if (h.format == item_format_8bit && h.row_bytes != h.width) return {ItemReadStatus::bad_row_bytes_8bit, {}};
    if (h.format == item_format_16bit && h.row_bytes != 2u * h.width) return {ItemReadStatus::bad_row_bytes_16bit, {}};
    h.size_word = reader.u16();
    if (h.has_extra_words())
        for (std::uint32_t& word : h.extra) word = reader.u32();
    if (!reader.ok()) return {ItemReadStatus::cut_short, h};
    return result;
}

std::uint32_t padded_width(std::uint32_t width) { return (width + 3) / 4 * 4; }

std::optional<BitmapImage> item_to_image(ByteReader& pixels, const ImageItemHeader& header,
                                         const std::array<BgrColour, 256>& palette)
{
    const std::uint32_t width = header.width;
    const std::uint32_t height = header.height;
    const std::size_t pixel_size = header.format == item_format_16bit ? 2 : 1;
    if (!pixels.fits(std::size_t(width) * height * pixel_size)) return std::nullopt;

    BitmapImage image;
    if (header.format == item_format_8bit) {
        image.set_size(256, 8, width, height);
        for (std::uint32_t i = 0; i < 256; ++i) image.colour(i) = palette[i];
        for (std::uint32_t r = 0; r < height; ++r) {
            const ByteSpan row = pixels.bytes(width);
            std::ranges::copy(row, image.row(height - 1 - r).begin());
        }
        return image;
    }
    image.set_size(0, 24, padded_width(width), height);
    for (std::uint32_t r = 0; r < height; ++r) {
        const auto row = image.row(height - 1 - r);
        for (std::uint32_t x = 0; x < width; ++x) {
            const BgrColour c = colour_from_565(pixels.u16());
            row[3 * x] = c.blue;
            row[3 * x + 1] = c.green;
            row[3 * x + 2] = c.red;
        }
    }
    return image;
}

Bytes image_to_8bit_item(const BitmapImage& image, const ImageItemHeader& kept)
{
    const std::uint32_t width = image.width();
    const std::uint32_t height = image.height();
    ImageItemHeader h = kept;
    h.width = static_cast<std::uint16_t>(width);
    h.height = static_cast<std::uint16_t>(height);
    h.row_bytes = static_cast<std::uint16_t>(width);
    h.size_word = static_cast<std::uint16_t>(log2_byte(width) | log2_byte(height) << 8);

    ByteWriter out;
    write_header(out, h);
    for (std::uint32_t r = 0; r < height; ++r) out.bytes(image.row(height - 1 - r).first(width));
    return out.take();
}

Bytes image_to_16bit_item(const BitmapImage& image, const ImageItemHeader& kept)
{
    ByteWriter out;
    write_header(out, kept);
    for (std::uint32_t r = 0; r < kept.height; ++r) {
        const auto row = image.row(kept.height - 1u - r);
        for (std::uint32_t x = 0; x < kept.width; ++x)
            out.u16(colour_to_565(BgrColour{row[3 * x], row[3 * x + 1], row[3 * x + 2]}));
    }
    return out.take();
}

BgrColour colour_from_565(std::uint16_t v)
{
    return BgrColour{static_cast<std::uint8_t>((v & 0x1F) * 8), static_cast<std::uint8_t>(((v >> 5) & 0x3F) * 4),
                     static_cast<std::uint8_t>((v >> 11) * 8)};
}

std::uint16_t colour_to_565(BgrColour c)
{
    return static_cast<std::uint16_t>((c.red >> 3) << 11 | (c.green >> 2) << 5 | (c.blue >> 3));
}

}  // namespace mw
