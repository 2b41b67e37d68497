#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "archive/byte_io.h"
#include "types/bmp/bmp_decoder.h"
#include "types/bmp/bmp_encoder.h"
#include "types/bmp/graphics_exceptions.h"

namespace mw::test {
namespace {

// A BMP stream described field by field; the pixel-data offset follows the
// table unless given.
struct BmpFile {
    std::uint32_t header_size = 40;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bit_count = 8;
    std::uint32_t compression = 0;
    std::uint32_t colours_used = 0;
    Bytes table{};
    Bytes pixels{};
    std::optional<std::uint32_t> offset{};

    std::string bytes() const
    {
        ByteWriter w;
        const std::uint32_t data_offset = offset.value_or(14 + header_size + static_cast<std::uint32_t>(table.size()));
        w.text("BM");
        w.u32(data_offset + static_cast<std::uint32_t>(pixels.size()));
        w.u32(0);
        w.u32(data_offset);
        w.u32(header_size);
        if (header_size == 12) {
            w.u16(width);
            w.u16(height);
            w.u16(1);
            w.u16(bit_count);
        } else {
            w.u32(width);
            w.u32(height);
            w.u16(1);
            w.u16(bit_count);
            w.u32(compression);
            w.zeros(12);
            w.u32(colours_used);
            w.u32(0);
            w.zeros(header_size > 40 ? header_size - 40 : 0);
        }
        w.bytes(table);
        w.zeros(data_offset > w.size() ? data_offset - w.size() : 0);
        w.bytes(pixels);
        return std::string(w.data().begin(), w.data().end());
    }
};

BitmapImage decode(const std::string& bytes, bool top_down = false)
{
    std::istringstream in(bytes);
    BitmapImage image;
    BmpDecoder().read_image(in, image, top_down);
    return image;
}

std::string encode(const BitmapImage& image, bool top_down = false)
{
    std::ostringstream out;
    BmpEncoder().write_image(out, image, top_down);
    return out.str();
}

// The message of the exception `f` throws, or "no exception".
template <class F>
std::string failure_of(F f)
{
    try {
        f();
    } catch (const EGraphicsException& e) {
        return e.what();
    }
    return "no exception";
}

std::vector<std::uint8_t> row_bytes(const BitmapImage& image, std::uint32_t r)
{
    const auto row = image.row(r);
    return {row.begin(), row.end()};
}

TEST(BitmapImage, RowStrideIsPaddedToFourBytes)
{
    struct Case {
        std::uint32_t bits, width, stride;
    };
    for (const Case c : {Case{1, 127, 16}, Case{1, 33, 8}, Case{2, 3, 4}, Case{4, 9, 8}, Case{8, 125, 128},
                         Case{8, 0, 0}, Case{24, 1, 4}, Case{24, 127, 384}}) {
        BitmapImage image;
        image.set_size(c.bits == 24 ? 0 : 1u << c.bits, c.bits, c.width, 3);
        EXPECT_EQ(image.row_stride(), c.stride) << c.bits << " bits, width " << c.width;
        EXPECT_EQ(image.pixels().size(), 3u * c.stride);
    }
}

TEST(BitmapImage, FailuresLeaveTheImageEmpty)
{
    BitmapImage image;
    image.set_size(256, 8, 4, 4);
    EXPECT_EQ(failure_of([&] { image.set_size(0, 16, 4, 4); }), "Invalid bit count");
    EXPECT_EQ(image.width(), 0u);
    EXPECT_EQ(image.pixels().size(), 0u);

    // Far beyond memory: refused as an image exception, never a crash or bad_alloc.
    EXPECT_EQ(failure_of([&] { image.set_size(0, 24, 0xFFFFFFFF, 0xFFFFFFFF); }), "Not enough memory for the image");
    EXPECT_EQ(failure_of([&] { image.set_size(0xFFFFFFFF, 8, 1, 1); }), "Not enough memory for the image");
    EXPECT_EQ(image.height(), 0u);

    image.set_size(16, 4, 2, 2);
    EXPECT_EQ(failure_of([&] { image.colour(16); }), "Subscript out of range");
    EXPECT_EQ(failure_of([&] { image.row(2); }), "Subscript out of range");
    image.set_size(16, 24, 2, 2);
    EXPECT_EQ(image.colour_count(), 0u);
}

TEST(BmpEncoder, OnePixelTwentyFourBitFile)
{
    BitmapImage image;
    image.set_size(0, 24, 1, 1);
    image.row(0)[0] = 1;
    image.row(0)[1] = 2;
    image.row(0)[2] = 3;
    const std::string file = encode(image);
    ASSERT_EQ(file.size(), 58u);
    const auto* p = reinterpret_cast<const std::uint8_t*>(file.data());
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(get_u32(p + 2), 58u);    // file size
    EXPECT_EQ(get_u32(p + 10), 54u);   // pixel-data offset
    EXPECT_EQ(get_u32(p + 14), 40u);   // header size
    EXPECT_EQ(get_u16(p + 26), 1u);    // planes
    EXPECT_EQ(get_u16(p + 28), 24u);   // bit count
    EXPECT_EQ(file.substr(54), std::string("\x01\x02\x03\x00", 4));
}

TEST(BmpEncoder, TwoBitImagesAreNotWritten)
{
    BitmapImage image;
    image.set_size(4, 2, 4, 4);
    EXPECT_EQ(failure_of([&] { encode(image); }), "Unsupported Bitmap Format");
}

TEST(BmpCodec, WriteThenReadGivesTheSameImage)
{
    for (std::uint32_t bits : {1u, 4u, 8u, 24u}) {
        for (std::uint32_t width : {1u, 2u, 3u, 5u, 30u, 33u}) {
            for (bool top_down : {false, true}) {
                BitmapImage image;
                const std::uint32_t colours = bits == 24 ? 0 : 1u << bits;
                image.set_size(colours, bits, width, 7);
                for (std::uint32_t i = 0; i < colours; ++i)
                    image.colour(i) = BgrColour{std::uint8_t(i), std::uint8_t(i * 7), std::uint8_t(255 - i)};
                // Fill only the pixels, leaving unused bits and padding zero as a decoder does.
                const std::uint64_t used_bits = std::uint64_t(width) * bits;
                for (std::uint32_t r = 0; r < image.height(); ++r)
                    for (std::uint64_t bit = 0; bit < used_bits; ++bit)
                        if ((bit * 31 + r * 17) % 5 < 2) image.row(r)[bit / 8] |= std::uint8_t(0x80 >> (bit % 8));

                const BitmapImage back = decode(encode(image, top_down), top_down);
                SCOPED_TRACE(testing::Message() << bits << " bits, width " << width << ", top-down " << top_down);
                ASSERT_EQ(back.width(), width);
                ASSERT_EQ(back.bit_count(), bits);
                EXPECT_TRUE(std::ranges::equal(back.pixels(), image.pixels()));
                ASSERT_EQ(back.colour_count(), colours);
                for (std::uint32_t i = 0; i < colours; ++i) EXPECT_EQ(back.colour(i), image.colour(i));
            }
        }
    }
}

TEST(BmpDecoder, TopDownFlagReversesUncompressedRowsOnly)
{
    BmpFile f{.width = 4, .height = 2, .bit_count = 8, .colours_used = 1};
    f.table = {0, 0, 0, 0};
    f.pixels = {1, 1, 1, 1, 2, 2, 2, 2};
    EXPECT_EQ(decode(f.bytes(), true).row(0)[0], 2);
    EXPECT_EQ(decode(f.bytes(), false).row(0)[0], 1);

    BmpFile rle{.width = 4, .height = 2, .bit_count = 8, .compression = 1, .colours_used = 1};
    rle.table = {0, 0, 0, 0};
    rle.pixels = {4, 1, 0, 0, 4, 2, 0, 1};
    EXPECT_EQ(decode(rle.bytes(), true).row(0)[0], 1);
}

TEST(BmpDecoder, SizeLimitsComeBeforeAllocation)
{
    struct Case {
        const char* name;
        std::uint32_t width, height;
        const char* message;
    };
    // One-bit images with no pixel data: an admitted size fails on the missing rows.
    const Case cases[] = {
        {"2^26 pixels", 1u << 26, 1, "Error reading BMP input file"},
        {"one pixel more", (1u << 26) + 1, 1, "Corrupt Windows Bitmap stream"},
        {"8192 x 8193", 8192, 8193, "Corrupt Windows Bitmap stream"},
        {"width 2^31, height 0", 0x80000000u, 0, "Corrupt Windows Bitmap stream"},
        {"negative height", 4, 0xFFFFFFFCu, "Corrupt Windows Bitmap stream"},
        {"both huge", 0xFFFFFFFFu, 0xFFFFFFFFu, "Corrupt Windows Bitmap stream"},
    };
    for (const Case& c : cases) {
        BmpFile f{.width = c.width, .height = c.height, .bit_count = 1};
        f.table = Bytes(8, 0);
        EXPECT_EQ(failure_of([&] { decode(f.bytes()); }), c.message) << c.name;
    }
}

TEST(BmpCodec, ImagesWithoutColumnsHaveNoRowsToWalk)
{
    // The greatest height a file may give, with no pixel bytes to read or write.
    BmpFile f{.width = 0, .height = 0x7FFFFFFF, .bit_count = 24};
    const BitmapImage image = decode(f.bytes());
    EXPECT_EQ(image.height(), 0x7FFFFFFFu);
    EXPECT_TRUE(image.pixels().empty());
    EXPECT_EQ(encode(image).size(), 54u);
}

TEST(BmpDecoder, StreamsCutShort)
{
    struct Case {
        const char* name;
        BmpFile file;
        std::size_t cut;  // bytes kept; 0 keeps all
        const char* message;
    };
    // (The conformance set covers header sizes, bit counts, compressions and offsets.)
    BmpFile cut_rgb{.width = 2, .height = 2, .bit_count = 24, .pixels = Bytes(8 + 5, 1)};
    BmpFile fine{.width = 1, .height = 1, .bit_count = 1, .table = Bytes(8, 0), .pixels = Bytes(4, 0)};
    const std::vector<Case> cases = {
        {"24-bit row cut short", cut_rgb, 0, "Error reading BMP input file"},
        {"info header cut short", fine, 30, "Error reading BMP input file"},
        {"colour table cut short", fine, 58, "Error reading BMP input file"},
        {"no header size", fine, 16, "Error reading BMP input file"},
    };
    for (const Case& c : cases) {
        std::string bytes = c.file.bytes();
        if (c.cut) bytes.resize(c.cut);
        EXPECT_EQ(failure_of([&] { decode(bytes); }), c.message) << c.name;
    }
}

// RLE streams on a 4 x 2 image: what each decodes to, or its failure.
struct RleCase {
    const char* name;
    bool four_bit;
    Bytes data;
    const char* message;
    std::vector<std::uint8_t> row0;
    std::vector<std::uint8_t> row1;
};

TEST(BmpDecoder, RleRunsStayInsideTheImage)
{
    using R = std::vector<std::uint8_t>;
    const std::vector<RleCase> cases = {
        {"runs and end of line", false, {2, 7, 2, 8, 0, 0, 1, 9, 0, 1}, "no exception", R{7, 7, 8, 8}, R{9, 0, 0, 0}},
        {"absolute run of 3 with a pad byte", false, {0, 3, 4, 5, 6, 0, 0, 1}, "no exception", R{4, 5, 6, 0}, R{0, 0, 0, 0}},
        {"delta then run", false, {0, 2, 1, 1, 1, 3, 0, 1}, "no exception", R{0, 0, 0, 0}, R{0, 3, 0, 0}},
        {"rle4 run from an odd column", true, {1, 0x10, 3, 0xAB, 0, 1}, "no exception", R{0x1A, 0xBA, 0, 0}, R{0, 0, 0, 0}},
        {"rle4 absolute run of 3", true, {0, 3, 0x12, 0x30, 0, 1}, "no exception", R{0x12, 0x30, 0, 0}, R{0, 0, 0, 0}},
        {"delta above the image then end", false, {0, 2, 0, 200, 0, 1}, "no exception", R{0, 0, 0, 0}, R{0, 0, 0, 0}},
        {"delta above the image then run", false, {0, 2, 0, 2, 1, 1, 0, 1}, "Corrupt Windows Bitmap stream", {}, {}},
        {"delta right of the image then run", false, {0, 2, 255, 0, 1, 1, 0, 1}, "Corrupt Windows Bitmap stream", {}, {}},
        {"run too long", false, {5, 1, 0, 1}, "Corrupt Windows Bitmap stream", {}, {}},
        {"absolute run too long", true, {0, 9, 0, 0, 0, 0, 0, 0, 0, 1}, "Corrupt Windows Bitmap stream", {}, {}},
        {"rows past the top", false, {0, 0, 0, 0, 1, 1, 0, 1}, "Corrupt Windows Bitmap stream", {}, {}},
        {"no data", false, {}, "Corrupt Windows Bitmap stream", {}, {}},
        {"no end of bitmap", false, {1, 1, 0, 0}, "Corrupt Windows Bitmap stream", {}, {}},
        {"absolute run cut short", false, {0, 4, 1, 2}, "Corrupt Windows Bitmap stream", {}, {}},
        {"delta cut short", false, {0, 2, 1}, "Corrupt Windows Bitmap stream", {}, {}},
    };
    for (const RleCase& c : cases) {
        BmpFile f{.width = c.four_bit ? 8u : 4u, .height = 2, .bit_count = std::uint16_t(c.four_bit ? 4 : 8),
                  .compression = c.four_bit ? 2u : 1u, .colours_used = 1, .table = Bytes(4, 0), .pixels = c.data};
        BitmapImage image;
        const std::string message = failure_of([&] { image = decode(f.bytes()); });
        EXPECT_EQ(message, c.message) << c.name;
        if (message != "no exception") continue;
        EXPECT_EQ(row_bytes(image, 0), c.row0) << c.name;
        EXPECT_EQ(row_bytes(image, 1), c.row1) << c.name;
    }
}

TEST(BmpDecoder, EmptyRleImageEndsCleanly)
{
    BmpFile f{.width = 0, .height = 0, .bit_count = 8, .compression = 1, .colours_used = 1, .table = Bytes(4, 0),
              .pixels = {0, 1}};
    int calls = 0;
    BmpDecoder decoder;
    decoder.set_progress_callback([&](BitmapImageCoder&, unsigned, unsigned, unsigned percent, bool&) {
        ++calls;
        EXPECT_LE(percent, 100u);
    });
    std::istringstream in(f.bytes());
    BitmapImage image;
    decoder.read_image(in, image, false);
    EXPECT_GT(calls, 0);
}

TEST(BmpCodec, ProgressRunsFromZeroToHundredAndCanCancel)
{
    BitmapImage image;
    image.set_size(2, 1, 8, 10);
    std::vector<unsigned> seen;
    BmpEncoder encoder;
    encoder.set_progress_callback([&](BitmapImageCoder&, unsigned pass, unsigned passes, unsigned percent, bool&) {
        EXPECT_EQ(pass, 1u);
        EXPECT_EQ(passes, 1u);
        seen.push_back(percent);
    });
    std::ostringstream out;
    encoder.write_image(out, image, false);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 0u);
    EXPECT_EQ(seen.back(), 100u);
    EXPECT_TRUE(std::ranges::is_sorted(seen));

    BmpDecoder decoder;
    decoder.set_progress_callback([](BitmapImageCoder&, unsigned, unsigned, unsigned percent, bool& cancel) {
        cancel = percent >= 50;
    });
    std::istringstream in(out.str());
    BitmapImage back;
    EXPECT_EQ(failure_of([&] { decoder.read_image(in, back, false); }), "Abort");
}

}  // namespace
}  // namespace mw::test
