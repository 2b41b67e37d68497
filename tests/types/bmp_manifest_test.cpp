// Runs the decoder over the BMP conformance set: every file must decode to
// its reference (.expect) or throw the listed message.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/workspace_fixture.h"
#include "types/bmp/bmp_decoder.h"
#include "types/bmp/graphics_exceptions.h"

namespace mw::test {
namespace {

struct ManifestRow {
    std::string file;
    std::string outcome;
    std::string message;
};

std::vector<ManifestRow> read_manifest()
{
    std::ifstream in(testdata("bmp/manifest.tsv"));
    std::vector<ManifestRow> rows;
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        std::istringstream fields(line);
        ManifestRow row;
        std::getline(fields, row.file, '\t');
        std::getline(fields, row.outcome, '\t');
        std::getline(fields, row.message, '\t');
        rows.push_back(row);
    }
    return rows;
}

struct Expected {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bit_count = 0;
    std::vector<std::string> palette;  // "bbggrr"
    std::vector<std::string> rows;     // hex digits per pixel
};

Expected read_expect(const std::string& bmp_file)
{
    const std::string name = bmp_file.substr(0, bmp_file.size() - 4) + ".expect";
    std::istringstream in(read_text(testdata("bmp/" + name)));
    Expected e;
    std::string word;
    std::size_t colours = 0;
    while (in >> word && word != "palette") {
        if (word == "width") in >> e.width;
        if (word == "height") in >> e.height;
        if (word == "bitcount") in >> e.bit_count;
        if (word == "colours") in >> colours;
    }
    for (std::size_t i = 0; i < colours && in >> word; ++i) e.palette.push_back(word);
    in >> word;  // "rows"
    for (std::uint32_t r = 0; r < e.height && in >> word; ++r) e.rows.push_back(word);
    return e;
}

std::string hex(unsigned value, int digits)
{
    static const char* const digit = "0123456789abcdef";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = digit[value & 15];
    return text;
}

// The row as bytes: the reference pixels packed most significant bits
// first, the rest of the stride zero.
std::vector<std::uint8_t> packed_row(const std::string& pixels, std::uint32_t bit_count, std::uint32_t stride)
{
    std::vector<std::uint8_t> row(stride, 0);
    if (bit_count == 24 || bit_count == 8) {
        for (std::size_t i = 0; i < pixels.size() / 2 && i < stride; ++i)
            row[i] = static_cast<std::uint8_t>(std::stoul(pixels.substr(2 * i, 2), nullptr, 16));
        return row;
    }
    for (std::size_t x = 0; x < pixels.size(); ++x) {
        const unsigned value = static_cast<unsigned>(std::stoul(pixels.substr(x, 1), nullptr, 16));
        const std::size_t bit = x * bit_count;
        if (bit / 8 >= stride) break;
        row[bit / 8] = static_cast<std::uint8_t>(row[bit / 8] | value << (8 - bit_count - bit % 8));
    }
    return row;
}

// Empty when the image matches the reference, else what differs.
std::string compare(const BitmapImage& image, const Expected& e)
{
    std::ostringstream diff;
    if (image.width() != e.width || image.height() != e.height || image.bit_count() != e.bit_count) {
        diff << "size " << image.width() << "x" << image.height() << "x" << image.bit_count() << ", expected "
             << e.width << "x" << e.height << "x" << e.bit_count;
        return diff.str();
    }
    if (image.colour_count() != e.palette.size()) {
        diff << image.colour_count() << " colours, expected " << e.palette.size();
        return diff.str();
    }
    for (std::uint32_t i = 0; i < image.colour_count(); ++i) {
        const BgrColour& c = image.colour(i);
        const std::string got = hex(c.blue, 2) + hex(c.green, 2) + hex(c.red, 2);
        if (got != e.palette[i]) {
            diff << "colour " << i << " is " << got << ", expected " << e.palette[i];
            return diff.str();
        }
    }
    if (e.rows.size() != e.height) return "reference has too few rows";
    for (std::uint32_t r = 0; r < image.height(); ++r) {
        const auto want = packed_row(e.rows[r], e.bit_count, image.row_stride());
        const auto got = image.row(r);
        if (!std::equal(got.begin(), got.end(), want.begin(), want.end())) {
            diff << "row " << r << " differs";
            return diff.str();
        }
    }
    return {};
}

// The outcome of decoding a file: empty when it matches the manifest row.
std::string check(const ManifestRow& row)
{
    std::ifstream in(testdata("bmp/" + row.file), std::ios::binary);
    if (!in) return "cannot open";
    BitmapImage image;
    try {
        BmpDecoder().read_image(in, image, false);
    } catch (const EGraphicsException& e) {
        if (row.outcome == "throw" && row.message == e.what()) return {};
        return std::string("threw \"") + e.what() + "\", expected " +
               (row.outcome == "throw" ? "\"" + row.message + "\"" : "a decode");
    }
    if (row.outcome != "decode") return "decoded, expected \"" + row.message + "\"";
    return compare(image, read_expect(row.file));
}

TEST(BmpManifest, EveryFileGivesItsListedOutcome)
{
    const std::vector<ManifestRow> rows = read_manifest();
    ASSERT_EQ(rows.size(), 77u) << "the conformance set is incomplete";
    int decoded = 0;
    for (const ManifestRow& row : rows) {
        const std::string difference = check(row);
        if (!difference.empty()) ADD_FAILURE() << row.file << ": " << difference;
        if (row.outcome == "decode") ++decoded;
    }
    EXPECT_EQ(decoded, 43);
}

TEST(TestData, AMissingFileFailsTheTestNamingItsPath)
{
    EXPECT_NONFATAL_FAILURE(testdata("bmp/no_such_file.bmp"), "bmp/no_such_file.bmp");
}

}  // namespace
}  // namespace mw::test
