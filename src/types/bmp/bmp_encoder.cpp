#include "types/bmp/bmp_encoder.h"

#include <array>
#include <ostream>

#include "archive/byte_io.h"
#include "types/bmp/graphics_exceptions.h"

namespace mw {

namespace {

constexpr std::uint32_t headers_size = 14 + 40;

void write_bytes(std::ostream& out, const std::uint8_t* data, std::size_t count)
{
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(count));
}

}  // namespace

void BmpEncoder::write_image(std::ostream& out, const BitmapImage& image, bool top_down)
{
    const std::uint32_t bits = image.bit_count();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) throw EBmpNotSupported();

    const std::uint32_t width = image.width();
    const std::uint32_t height = image.height();
    const std::size_t length = bits == 24 ? std::size_t(3) * width : (std::size_t(bits) * width + 7) / 8;
    const std::size_t padding = (length + 3) / 4 * 4 - length;
    const std::uint32_t colours = image.colour_count();
    const std::uint32_t pixel_offset = 4 * colours + headers_size;

    ByteWriter header;
    header.u16(0x4D42);  // "BM"
    header.u32(static_cast<std::uint32_t>((length + padding) * height) + pixel_offset);
    header.u16(0);
    header.u16(0);
    header.u32(pixel_offset);
    header.u32(40);
    header.u32(width);
    header.u32(height);
    header.u16(1);  // planes
    header.u16(bits);
    header.zeros(6 * 4);  // compression, image size, resolutions, colours used and important
    for (std::uint32_t i = 0; i < colours; ++i) {
        const BgrColour& c = image.colour(i);
        header.u8(c.blue);
        header.u8(c.green);
        header.u8(c.red);
        header.u8(0);
    }
    write_bytes(out, header.data().data(), header.size());

    report_progress(0);
    const std::array<std::uint8_t, 3> zeros{};
    for (std::uint32_t j = 0; length > 0 && j < height; ++j) {  // rows without columns have no bytes
        report_progress(percent_of(j, height));
        const auto row = image.row(top_down ? height - 1 - j : j);
        write_bytes(out, row.data(), length);
        write_bytes(out, zeros.data(), padding);
    }
    report_progress(100);
}

}  // namespace mw
