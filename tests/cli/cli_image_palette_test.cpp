#include <gtest/gtest.h>

#include "archive/dcl/dcl.h"
#include "support/cli_runner.h"
#include "support/res_builder.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

Bytes palette_bytes()
{
    Bytes palette(768);
    for (std::size_t i = 0; i < palette.size(); ++i) palette[i] = static_cast<std::uint8_t>(i * 7);
    return palette;
}

// Image and palette entries, compressed, through export and import on the command line.
class CliImagePaletteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        write_text(home / "config.cfg", "LastOpenDir -\r\nLastExportDir -\r\nLastImportDir -\r\nPaletteFormat 0\r\nTexturesBGR 0\r\n");
        write_text(home / "resid.def", "Tex 1971 1971\n");
        const Bytes image = image_item(30, 7, 5);
        const Bytes palette = palette_bytes();
        ResBuilder()
            .stored(2059, dcl::implode(palette, 2048), 768)
            .stored(1971, dcl::implode(image, 4096), static_cast<std::uint32_t>(image.size()))
            .write(archive);
    }
    CliResult cli(const std::vector<std::string>& args) { return run_cli(home.path(), args); }
    Bytes stored_form(int file)
    {
        const auto out = home / "stored.bin";
        EXPECT_EQ(cli({"export", archive.string(), std::to_string(file), out.string(), "--original"}).exit_code, 0);
        return read_bytes(out);
    }

    TempDir home;
    std::filesystem::path archive = home / "art.res";
};

TEST_F(CliImagePaletteTest, ImageComesBackIdentical)
{
    const Bytes before = stored_form(2);
    const auto bmp = home / "picture.bmp";
    CliResult result = cli({"export", archive.string(), "2", bmp.string()});
    ASSERT_EQ(result.exit_code, 0) << result.err;
    const Bytes written = read_bytes(bmp);
    ASSERT_GE(written.size(), 2u);
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 2), (Bytes{'B', 'M'}));
    result = cli({"import", archive.string(), "2", bmp.string()});
    ASSERT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out, "Import Completed\n");
    EXPECT_EQ(stored_form(2), before);
}

TEST_F(CliImagePaletteTest, PaletteComesBackIdenticalInBothFormats)
{
    for (const char* format : {"jasc", "corel"}) {
        const auto file = home / (std::string("p.") + format);
        CliResult result = cli({"export", archive.string(), "1", file.string(), "--palette-format", format});
        ASSERT_EQ(result.exit_code, 0) << result.err;
        result = cli({"import", archive.string(), "1", file.string()});
        ASSERT_EQ(result.exit_code, 0) << result.err;
        EXPECT_EQ(stored_form(1), palette_bytes()) << format;
    }
    EXPECT_EQ(read_text(home / "p.jasc").substr(0, 18), "JASC-PAL\r\n0100\r\n25");
    const Bytes corel = read_bytes(home / "p.corel");
    ASSERT_GE(corel.size(), 2u);
    EXPECT_EQ(Bytes(corel.begin(), corel.begin() + 2), (Bytes{0xDC, 0xDC}));
    // The format given for one command is not stored.
    EXPECT_NE(read_text(home / "config.cfg").find("PaletteFormat 0"), std::string::npos);
}

}  // namespace
}  // namespace mw::test
