#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <string>
#include <vector>

#include "archive/byte_io.h"
#include "support/workspace_fixture.h"
#include "types/bmp/bmp_decoder.h"
#include "types/bmp/bmp_encoder.h"
#include "types/bmp_type.h"

namespace mw::test {
namespace {

// An 8-bit item of W × H with pixel (x, r) = x + 3r (mod 256) and a size word from the size.
Bytes item_8bit(std::uint16_t width, std::uint16_t height, std::uint16_t variant = 5)
{
    ByteWriter w;
    w.u32(0);
    w.u16(2);
    w.u16(variant);
    w.u16(width);
    w.u16(height);
    w.u16(width);
    w.u8(width ? std::bit_width(width) - 1u : 0);
    w.u8(height ? std::bit_width(height) - 1u : 0);
    for (std::uint32_t r = 0; r < height; ++r)
        for (std::uint32_t x = 0; x < width; ++x) w.u8(x + 3 * r);
    return w.take();
}

// A 16-bit item; the three extra words are present unless the variant is 32.
Bytes item_16bit(std::uint16_t width, std::uint16_t height, std::uint16_t variant, const std::vector<std::uint16_t>& pixels)
{
    ByteWriter w;
    w.u32(0);
    w.u16(3);
    w.u16(variant);
    w.u16(width);
    w.u16(height);
    w.u16(2 * width);
    w.u16(0xBEEF);  // size word: kept as it is
    if (variant != 32) {
        w.u32(0x11111111);
        w.u32(0x22222222);
        w.u32(0x33333333);
    }
    for (std::uint32_t i = 0; i < std::uint32_t(width) * height; ++i) w.u16(pixels.empty() ? i * 2477 : pixels[i]);
    return w.take();
}

BitmapImage read_bmp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    BitmapImage image;
    BmpDecoder().read_image(in, image, false);
    return image;
}

void write_bmp(const std::filesystem::path& path, const BitmapImage& image)
{
    std::ofstream out(path, std::ios::binary);
    BmpEncoder().write_image(out, image, false);
}

class BmpTypeTest : public WorkspaceFixture {
protected:
    // Writes `item` as a stored file and exports it; the stored path.
    std::filesystem::path exported(BmpType& type, const Bytes& item, const std::string& name = "mw3792_1_0.")
    {
        const auto stored = temp_folder() / name;
        write_bytes(stored, item);
        EXPECT_EQ(type.export_convert(stored), 0) << testing::PrintToString(errors());
        return stored;
    }
    std::filesystem::path bmp_of(const std::filesystem::path& stored) { return stored.string() + "bmp"; }
    std::filesystem::path import_bin() { return temp_folder() / "import.bin"; }
};

TEST_F(BmpTypeTest, EightBitItemsOfEveryWidthGoUprightAndComeBackIdentical)
{
    for (std::uint16_t width : {1, 2, 3, 5, 30, 64}) {
        SCOPED_TRACE(width);
        BmpType type;
        const Bytes item = item_8bit(width, 3);
        const auto stored = exported(type, item);

        const BitmapImage image = read_bmp(bmp_of(stored));
        ASSERT_EQ(image.width(), width);
        ASSERT_EQ(image.height(), 3u);
        // The picture's top row (item row 0) is the bitmap's last pixel row.
        for (std::uint32_t x = 0; x < width; ++x) {
            EXPECT_EQ(image.row(2)[x], x);
            EXPECT_EQ(image.row(0)[x], x + 6);
        }
        ASSERT_EQ(type.import_convert(bmp_of(stored), import_bin()), 0);
        EXPECT_EQ(read_bytes(import_bin()), item);
    }
    EXPECT_TRUE(errors().empty());
}

TEST_F(BmpTypeTest, SixteenBitItemsComeBackIdenticalWithOrWithoutExtraWords)
{
    for (std::uint16_t variant : {32, 7}) {
        SCOPED_TRACE(variant);
        BmpType type;
        const Bytes item = item_16bit(30, 4, variant, {});
        const auto stored = exported(type, item);
        ASSERT_EQ(type.import_convert(bmp_of(stored), import_bin()), 0);
        EXPECT_EQ(read_bytes(import_bin()), item);
    }
}

TEST_F(BmpTypeTest, SixteenBitItemThirtyWideIsAThirtyTwoWideBitmapWithBlackColumns)
{
    BmpType type;
    const auto stored = exported(type, item_16bit(30, 2, 32, std::vector<std::uint16_t>(60, 0xFFFF)));
    EXPECT_EQ(type.padded_width(), 32u);
    BitmapImage image = read_bmp(bmp_of(stored));
    ASSERT_EQ(image.width(), 32u);
    ASSERT_EQ(image.bit_count(), 24u);
    for (std::uint32_t r = 0; r < 2; ++r) {
        EXPECT_EQ(image.row(r)[3 * 29], 248);
        for (std::uint32_t byte = 3 * 30; byte < 3 * 32; ++byte) EXPECT_EQ(image.row(r)[byte], 0) << byte;
    }
    EXPECT_EQ(type.info_text(), "Image Information     : 32x2x16 bit\r\n");

    // 30 wide is refused; 32 wide is taken and its two extra columns dropped.
    BitmapImage narrow;
    narrow.set_size(0, 24, 30, 2);
    write_bmp(scratch() / "narrow.bmp", narrow);
    EXPECT_EQ(type.import_convert(scratch() / "narrow.bmp", import_bin()), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"The dimensions of the BMP file differ from the original file"});

    for (std::uint32_t r = 0; r < 2; ++r)
        for (std::uint32_t byte = 3 * 30; byte < 3 * 32; ++byte) image.row(r)[byte] = 0x77;
    write_bmp(scratch() / "wide.bmp", image);
    ASSERT_EQ(type.import_convert(scratch() / "wide.bmp", import_bin()), 0);
    EXPECT_EQ(read_bytes(import_bin()), item_16bit(30, 2, 32, std::vector<std::uint16_t>(60, 0xFFFF)));

    BitmapImage taller;
    taller.set_size(0, 24, 32, 3);
    write_bmp(scratch() / "taller.bmp", taller);
    EXPECT_EQ(type.import_convert(scratch() / "taller.bmp", import_bin()), -1);
}

TEST_F(BmpTypeTest, FiveSixFiveValues)
{
    struct Case {
        std::uint16_t value;
        BgrColour colour;
    };
    for (const Case c : {Case{0xFFFF, {248, 252, 248}}, Case{0x0821, {8, 4, 8}}, Case{0xF800, {0, 0, 248}},
                         Case{0x07E0, {0, 252, 0}}, Case{0x001F, {248, 0, 0}}}) {
        EXPECT_EQ(colour_from_565(c.value), c.colour) << c.value;
        EXPECT_EQ(colour_to_565(c.colour), c.value) << c.value;
    }
    // Bits below the 5-6-5 precision are dropped on the way back.
    EXPECT_EQ(colour_to_565(BgrColour{255, 255, 255}), 0xFFFF);
}

TEST_F(BmpTypeTest, ImportingALargerEightBitBitmapWritesTheNewSize)
{
    BmpType type;
    const auto stored = exported(type, item_8bit(64, 32, 9));
    BitmapImage big;
    big.set_size(256, 8, 128, 128);
    big.row(127)[0] = 42;  // top-left of the picture
    write_bmp(scratch() / "big.bmp", big);
    ASSERT_EQ(type.import_convert(scratch() / "big.bmp", import_bin()), 0);
    const Bytes item = read_bytes(import_bin());
    ASSERT_EQ(item.size(), 16u + 128 * 128);
    EXPECT_EQ(Bytes(item.begin(), item.begin() + 16),
              (Bytes{0, 0, 0, 0, 2, 0, 9, 0, 128, 0, 128, 0, 128, 0, 7, 7}));
    EXPECT_EQ(item[16], 42);
}

TEST_F(BmpTypeTest, EightBitColoursComeFromTheCurrentPaletteOrAGreyRamp)
{
    BmpType type;
    auto stored = exported(type, item_8bit(4, 1));
    BitmapImage image = read_bmp(bmp_of(stored));
    ASSERT_EQ(image.colour_count(), 256u);
    for (std::uint32_t i = 0; i < 256; ++i) ASSERT_EQ(image.colour(i), (BgrColour{std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)}));

    // Red, green, blue lines; values kept as bytes; a line beyond 256 is ignored.
    std::string jasc = "JASC-PAL\r\n0100\r\n256\r\n";
    for (int i = 0; i < 257; ++i) jasc += std::to_string(i) + " 1 " + std::to_string(256 + 2 * i) + "\r\n";
    write_text(temp_folder() / "mw3792_current.pal", jasc);
    ASSERT_EQ(type.export_convert(stored), 0);
    image = read_bmp(bmp_of(stored));
    EXPECT_EQ(image.colour(0), (BgrColour{0, 1, 0}));
    EXPECT_EQ(image.colour(255), (BgrColour{254, 1, 255}));

    // Reading stops at the first word that is not a number; later entries stay black.
    write_text(temp_folder() / "mw3792_current.pal", "JASC-PAL 0100 256\n1 2 3\n4 5 x\n7 8 9\n");
    ASSERT_EQ(type.export_convert(stored), 0);
    image = read_bmp(bmp_of(stored));
    EXPECT_EQ(image.colour(0), (BgrColour{3, 2, 1}));
    EXPECT_EQ(image.colour(1), BgrColour{});
    EXPECT_EQ(image.colour(2), BgrColour{});
}

TEST_F(BmpTypeTest, ExportFailures)
{
    struct Case {
        const char* name;
        Bytes item;
        std::string message;  // the stored path is appended where the text ends in a space
    };
    Bytes reserved_one = item_8bit(4, 4);
    reserved_one[0] = 1;
    Bytes format_five = item_8bit(4, 4);
    format_five[4] = 5;
    Bytes row_bytes_8 = item_8bit(4, 4);
    row_bytes_8[12] = 5;
    Bytes row_bytes_16 = item_16bit(4, 4, 32, {});
    row_bytes_16[12] = 4;
    Bytes cut_8 = item_8bit(4, 4);
    cut_8.pop_back();
    Bytes cut_16 = item_16bit(4, 4, 32, {});
    cut_16.pop_back();
    Bytes huge_8 = item_8bit(0, 0);
    put_u16(&huge_8[8], 0xFFFF);
    put_u16(&huge_8[10], 0xFFFF);
    put_u16(&huge_8[12], 0xFFFF);
    Bytes header_cut_16 = item_16bit(4, 4, 1, {});
    header_cut_16.resize(20);
    const std::vector<Case> cases = {
        {"reserved word 1", reserved_one, "Error#1275: Invalid format in file "},
        {"format 5", format_five, "Error#1283: Unsupported format in file "},
        {"8-bit row bytes", row_bytes_8, "Error#1297: Unsupported format in file "},
        {"16-bit row bytes", row_bytes_16, "Error#1302: Unsupported format in file "},
        {"8-bit pixels cut short", cut_8, "Error#1353: Error reading image"},
        {"16-bit pixels cut short", cut_16, "Error#1394: Error reading image"},
        {"65535 x 65535 without pixels", huge_8, "Error#1353: Error reading image"},
        {"extra words cut short", header_cut_16, "Error#1394: Error reading image"},
        {"empty file", Bytes{}, "Error#1275: Invalid format in file "},
    };
    for (const Case& c : cases) {
        clear_messages();
        BmpType type;
        const auto stored = temp_folder() / "mw3792_bad.";
        write_bytes(stored, c.item);
        EXPECT_EQ(type.export_convert(stored), -1) << c.name;
        const std::string expected = c.message.back() == ' ' ? c.message + stored.string() : c.message;
        EXPECT_EQ(errors(), std::vector<std::string>{expected}) << c.name;
        EXPECT_EQ(type.header().format, item_format_none) << c.name;
    }

    clear_messages();
    BmpType type;
    EXPECT_EQ(type.export_convert(temp_folder() / "missing."), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#1267: Error reading file " + (temp_folder() / "missing.").string()});
    EXPECT_EQ(type.last_path(), temp_folder() / "missing.");

    clear_messages();
    EXPECT_EQ(type.export_convert(scratch()), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#1267: Error reading file " + scratch().string()});

    // The bitmap cannot be written: reported, not a silent success.
    clear_messages();
    const auto stored = temp_folder() / "mw3792_blocked.";
    write_bytes(stored, item_8bit(4, 4));
    std::filesystem::create_directory(bmp_of(stored));
    EXPECT_EQ(type.export_convert(stored), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Failed to open file " + bmp_of(stored).string() + " for output"});
}

TEST_F(BmpTypeTest, AFailedExportKeepsTheHeaderOfTheLastGoodOne)
{
    BmpType type;
    const auto stored = exported(type, item_8bit(8, 2, 3));
    write_bytes(temp_folder() / "mw3792_bad.", Bytes{1, 0, 0, 0});
    EXPECT_EQ(type.export_convert(temp_folder() / "mw3792_bad."), -1);
    EXPECT_EQ(type.header().width, 8u);
    ASSERT_EQ(type.import_convert(bmp_of(stored), import_bin()), 0);
    EXPECT_EQ(read_bytes(import_bin()), item_8bit(8, 2, 3));
}

TEST_F(BmpTypeTest, ImportFailures)
{
    BmpType fresh;
    EXPECT_EQ(fresh.import_convert(scratch() / "any.bmp", import_bin()), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#1058: Error converting to BMP - missing data"});

    BitmapImage rgb;
    rgb.set_size(0, 24, 4, 4);
    write_bmp(scratch() / "rgb.bmp", rgb);
    BitmapImage indexed;
    indexed.set_size(256, 8, 4, 4);
    write_bmp(scratch() / "indexed.bmp", indexed);
    BitmapImage sixteen;
    sixteen.set_size(16, 4, 4, 4);
    write_bmp(scratch() / "sixteen.bmp", sixteen);
    write_text(scratch() / "text.bmp", "not a bitmap at all");

    BmpType eight;
    const auto stored8 = exported(eight, item_8bit(4, 4));
    BmpType colour;
    exported(colour, item_16bit(4, 4, 32, {}), "mw3792_2_0.");
    const auto unwritable = scratch() / "no such folder" / "import.bin";
    struct Case {
        const char* name;
        BmpType& type;
        std::filesystem::path bitmap;
        std::filesystem::path target;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"missing bitmap", eight, scratch() / "none.bmp", import_bin(),
         "Error#1068: The BMP file " + (scratch() / "none.bmp").string() +
             " does not exist or is in use by another application"},
        {"a folder as bitmap", eight, scratch(), import_bin(),
         "Error#1068: The BMP file " + scratch().string() + " does not exist or is in use by another application"},
        {"not a bitmap", eight, scratch() / "text.bmp", import_bin(), "Not a Windows Bitmap stream"},
        {"24-bit into 8-bit", eight, scratch() / "rgb.bmp", import_bin(), "The BMP file should be in 8bit/256 colors format"},
        {"4-bit into 8-bit", eight, scratch() / "sixteen.bmp", import_bin(), "The BMP file should be in 8bit/256 colors format"},
        {"8-bit into 16-bit", colour, scratch() / "indexed.bmp", import_bin(), "The BMP file should be in 24-bit format"},
        {"8-bit target unwritable", eight, bmp_of(stored8), unwritable,
         "Error#1116: Failed to open file " + unwritable.string() + " for output"},
        {"16-bit target unwritable", colour, scratch() / "rgb.bmp", unwritable,
         "Error#1175: Failed to open file " + unwritable.string() + " for output"},
    };
    for (const Case& c : cases) {
        clear_messages();
        EXPECT_EQ(c.type.import_convert(c.bitmap, c.target), -1) << c.name;
        EXPECT_EQ(errors(), std::vector<std::string>{c.message}) << c.name;
    }
}

TEST_F(BmpTypeTest, ATooLargeBitmapIsNotTruncatedIntoAnItem)
{
    BmpType type;
    exported(type, item_8bit(4, 4));
    BitmapImage wide;
    wide.set_size(256, 8, 65536, 1);
    write_bmp(scratch() / "wide.bmp", wide);
    EXPECT_EQ(type.import_convert(scratch() / "wide.bmp", import_bin()), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"The BMP file is too large for an image item (at most 65535 x 65535 pixels)"});
}

TEST_F(BmpTypeTest, InfoTextAndClone)
{
    BmpType type;
    EXPECT_EQ(type.type_name(), "Image");
    EXPECT_EQ(type.extension(), "bmp");
    EXPECT_EQ(type.type_code(), 2);
    EXPECT_EQ(type.info_text(), "Image Information     : 0x0x8 bit\r\n");
    const auto stored = exported(type, item_8bit(64, 32, 4));
    EXPECT_EQ(type.info_text(), "Image Information     : 64x32x8 bit\r\n");

    const auto copy = type.clone();
    EXPECT_EQ(copy->type_name(), "Image");
    EXPECT_EQ(copy->info_text(), "Image Information     : 0x0x8 bit\r\n");
    auto& bmp_copy = dynamic_cast<BmpType&>(*copy);
    EXPECT_EQ(bmp_copy.header(), type.header());
    EXPECT_TRUE(bmp_copy.last_path().empty());
    // The copy imports with the kept header.
    ASSERT_EQ(copy->import_convert(bmp_of(stored), import_bin()), 0);
    EXPECT_EQ(read_bytes(import_bin()), item_8bit(64, 32, 4));
}

}  // namespace
}  // namespace mw::test
