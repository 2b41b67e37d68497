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

    // File and info headers at their fixed offsets, then the colour table.
    Bytes header(pixel_offset, 0);
    put_u16(&header[0], 0x4D42);  // "BM"
    put_u32(&header[2], static_cast<std::uint32_t>((length + padding) * height) + pixel_offset);
    put_u32(&header[10], pixel_offset);
    put_u32(&header[14], 40);
    put_u32(&header[18], width);
    put_u32(&header[22], height);
    put_u16(&header[26], 1);  // planes
    put_u16(&header[28], bits);
    // Compression, image size, resolutions, colours used and important stay 0.
    for (std::uint32_t i = 0; i < colours; ++i) {
        const BgrColour& c = image.colour(i);
        std::uint8_t* entry = &header[headers_size + 4 * i];
        entry[0] = c.blue;
        entry[1] = c.green;
        entry[2] = c.red;
    }
    write_bytes(out, header.data(), header.size());

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
