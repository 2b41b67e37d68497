#include "types/bmp/bmp_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <istream>
#include <limits>
#include <vector>

#include "archive/byte_io.h"
#include "types/bmp/graphics_exceptions.h"

namespace mw {

namespace {

constexpr std::uint16_t bmp_type = 0x4D42;  // "BM"
constexpr std::uint32_t core_header_size = 12;
constexpr std::uint32_t info_header_size = 40;
constexpr std::uint32_t file_header_size = 14;
constexpr std::uint32_t no_compression = 0;
constexpr std::uint32_t rle8 = 1;
constexpr std::uint32_t rle4 = 2;
constexpr std::uint64_t max_pixels = std::uint64_t(1) << 26;
constexpr std::uint32_t max_dimension = 0x7FFFFFFF;

std::size_t read_some(std::istream& in, std::uint8_t* data, std::size_t count)
{
    if (count == 0) return 0;
    in.read(reinterpret_cast<char*>(data), static_cast<std::streamsize>(count));
    return static_cast<std::size_t>(in.gcount());
}

void read_or_throw(std::istream& in, std::uint8_t* data, std::size_t count)
{
    if (read_some(in, data, count) != count) throw EBmpFileReadError();
}

// Skips up to `count` bytes, stopping quietly at the end of the stream
// (whatever needs the bytes after it then fails on its own read).
void skip(std::istream& in, std::uint64_t count)
{
    constexpr std::uint64_t step = std::uint64_t(1) << 30;
    while (count > 0 && in) {
        const std::uint64_t now = std::min(count, step);
        in.ignore(static_cast<std::streamsize>(now));
        count -= now;
    }
}

struct BmpHeader {
    std::uint32_t pixel_offset = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bit_count = 0;
    std::uint32_t compression = no_compression;
    std::uint32_t colours_used = 0;  // info headers only
    bool core = false;
    std::uint64_t consumed = 0;      // bytes read or skipped so far
};

// Format notes: file header = type(2) size(4) reserved(2+2) offset(4);
// core header = size(4) width(2) height(2) planes(2) bitcount(2);
// info header = size(4) width(4) height(4) planes(2) bitcount(2)
// compression(4) image size(4) x/y resolution(4+4) colours used(4)
// colours important(4), then (size - 40) bytes of later header versions.
BmpHeader read_header(std::istream& in)
{
    BmpHeader h;
    std::array<std::uint8_t, file_header_size> file_header{};
    read_or_throw(in, file_header.data(), file_header.size());
    if (get_u16(&file_header[0]) != bmp_type) throw EBmpNotABmpFile();
    h.pixel_offset = get_u32(&file_header[10]);

    std::array<std::uint8_t, 4> size_field{};
    read_or_throw(in, size_field.data(), size_field.size());
    const std::uint32_t header_size = get_u32(size_field.data());
    if (header_size == core_header_size) {
        std::array<std::uint8_t, 8> core{};
        read_or_throw(in, core.data(), core.size());
        h.width = get_u16(&core[0]);
        h.height = get_u16(&core[2]);
        h.bit_count = get_u16(&core[6]);
        h.core = true;
        h.consumed = file_header_size + core_header_size;
        return h;
    }
    if (header_size < info_header_size) throw EBmpCorruptFile();
    std::array<std::uint8_t, info_header_size - 4> info{};
    read_or_throw(in, info.data(), info.size());
    h.width = get_u32(&info[0]);
    h.height = get_u32(&info[4]);
    h.bit_count = get_u16(&info[10]);
    h.compression = get_u32(&info[12]);
    h.colours_used = get_u32(&info[28]);
    skip(in, header_size - info_header_size);
    h.consumed = std::uint64_t(file_header_size) + header_size;
    return h;
}

bool supported(const BmpHeader& h)
{
    switch (h.bit_count) {
    case 1:
    case 24: return h.compression == no_compression;
    case 4: return h.compression == no_compression || h.compression == rle4;
    case 8: return h.compression == no_compression || h.compression == rle8;
    default: return false;
    }
}

std::uint32_t colour_count_for(std::uint32_t bit_count) { return bit_count == 24 ? 0 : 1u << bit_count; }

// Entries present in the file: the colours-used value when it is a proper
// subset of the table, otherwise the whole table.
std::uint32_t entries_in_file(const BmpHeader& h, std::uint32_t colour_count)
{
    if (!h.core && h.colours_used >= 1 && h.colours_used < colour_count) return h.colours_used;
    return colour_count;
}

void read_colour_table(std::istream& in, BmpHeader& h, BitmapImage& image)
{
    const std::uint32_t entries = entries_in_file(h, image.colour_count());
    const std::size_t entry_size = h.core ? 3 : 4;
    std::vector<std::uint8_t> table(entries * entry_size);
    read_or_throw(in, table.data(), table.size());
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::uint8_t* e = &table[i * entry_size];
        image.colour(i) = BgrColour{e[0], e[1], e[2]};
    }
    h.consumed += table.size();
}

// Writes one 4-bit pixel: an even column sets the high nibble and clears
// the low one, an odd column adds the low nibble.
void put_nibble(std::span<std::uint8_t> row, std::uint64_t x, std::uint8_t value)
{
    std::uint8_t& byte = row[static_cast<std::size_t>(x / 2)];
    if (x % 2 == 0)
        byte = static_cast<std::uint8_t>(value << 4);
    else
        byte = static_cast<std::uint8_t>(byte | (value & 0x0F));
}

// Format notes (RLE8 and RLE4): pairs (count c, value v). c > 0: a run of c
// pixels of v (RLE4: alternating high and low nibble of v). c = 0 then v:
// 0 end of line, 1 end of bitmap, 2 delta (dx, dy bytes follow), v >= 3 an
// absolute run of v pixels (RLE4: two per byte, high nibble first) padded
// to an even byte count. The first row decoded is image row 0; `y` counts
// down from H - 1 and the row written is H - 1 - y.
class RleDecoder {
public:
    RleDecoder(std::istream& in, BitmapImage& image, bool four_bit) : in_(in), image_(image), four_bit_(four_bit) {}

    template <class Progress>
    void run(Progress progress)
    {
        if (in_.peek() == std::char_traits<char>::eof()) throw EBmpCorruptFile();
        const std::int64_t height = image_.height();
        std::int64_t y = height - 1;
        std::uint64_t x = 0;
        for (;;) {
            progress(height - y - 1, height);
            std::uint8_t code[2];
            read_rle(code, 2);
            const std::uint8_t count = code[0];
            const std::uint8_t value = code[1];
            if (count != 0) {
                std::span<std::uint8_t> row = target_row(y, x, count);
                for (unsigned i = 0; i < count; ++i)
                    put(row, x + i, four_bit_ ? static_cast<std::uint8_t>(i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
                x += count;
            } else if (value == 0) {
                --y;
                x = 0;
            } else if (value == 1) {
                return;
            } else if (value == 2) {
                std::uint8_t delta[2];
                read_rle(delta, 2);
                x += delta[0];
                y -= delta[1];
            } else {
                std::span<std::uint8_t> row = target_row(y, x, value);
                const std::size_t bytes = four_bit_ ? (value + 1u) / 2 : value;
                std::uint8_t data[256];
                read_rle(data, bytes + bytes % 2);  // padded to an even count
                for (unsigned i = 0; i < value; ++i)
                    put(row, x + i,
                        four_bit_ ? static_cast<std::uint8_t>(i % 2 == 0 ? data[i / 2] >> 4 : data[i / 2] & 0x0F)
                                  : data[i]);
                x += value;
            }
        }
    }

private:
    void read_rle(std::uint8_t* data, std::size_t count)
    {
        if (read_some(in_, data, count) != count) throw EBmpCorruptFile();
    }

    // The row a run of `count` pixels at (x, y) goes to; the run must lie inside the image.
    std::span<std::uint8_t> target_row(std::int64_t y, std::uint64_t x, unsigned count)
    {
        const std::int64_t height = image_.height();
        if (y < 0 || y >= height || x + count > image_.width()) throw EBmpCorruptFile();
        return image_.row(static_cast<std::uint32_t>(height - 1 - y));
    }

    void put(std::span<std::uint8_t> row, std::uint64_t x, std::uint8_t value)
    {
        if (four_bit_)
            put_nibble(row, x, value);
        else
            row[static_cast<std::size_t>(x)] = value;
    }

    std::istream& in_;
    BitmapImage& image_;
    bool four_bit_;
};

}  // namespace

void BmpDecoder::read_image(std::istream& in, BitmapImage& image, bool top_down)
{
    BmpHeader h = read_header(in);
    if (!supported(h)) throw EBmpNotSupported();
    if (h.width > max_dimension || h.height > max_dimension || std::uint64_t(h.width) * h.height > max_pixels)
        throw EBmpCorruptFile();

    image.set_size(colour_count_for(h.bit_count), h.bit_count, h.width, h.height);
    read_colour_table(in, h, image);
    if (h.consumed > h.pixel_offset) throw EBmpCorruptFile();
    skip(in, h.pixel_offset - h.consumed);

    report_progress(0);
    const std::uint32_t height = image.height();
    if (h.compression == rle8 || h.compression == rle4) {
        RleDecoder(in, image, h.compression == rle4).run([this](std::int64_t done, std::int64_t total) {
            report_progress(percent_of(done, total));
        });
    } else {
        const std::uint64_t row_bits = std::uint64_t(h.bit_count) * h.width;
        const std::size_t length = static_cast<std::size_t>((row_bits + 7) / 8);
        const std::size_t padding = (length + 3) / 4 * 4 - length;
        // Rows without columns hold no bytes: they are not walked, so a tiny
        // file claiming 2^31 - 1 of them costs nothing.
        for (std::uint32_t j = 0; length > 0 && j < height; ++j) {
            report_progress(percent_of(j, height));
            std::span<std::uint8_t> row = image.row(top_down ? height - 1 - j : j);
            read_or_throw(in, row.data(), length);
            skip(in, padding);
        }
    }
    report_progress(100);
}

}  // namespace mw
