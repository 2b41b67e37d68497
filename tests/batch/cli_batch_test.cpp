#include <gtest/gtest.h>

#include "batch/recorders.h"
#include "support/cli_runner.h"
#include "support/res_builder.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

class CliBatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        write_text(home / "config.cfg", "LastOpenDir -\r\nLastExportDir -\r\nLastImportDir -\r\nPaletteFormat 0\r\nTexturesBGR 0\r\n");
        write_text(home / "resid.def", "Snd 26001 26001\n");
        ResBuilder b;
        b.raw(100, counting(10, 1));
        add_compound(b, 300, {counting(4, 1), counting(5, 2), counting(6, 3)}, 1024);
        b.raw(101, counting(7, 2));
        b.write(archive);
        std::filesystem::create_directories(home / "in");
        std::filesystem::create_directories(home / "out");
    }
    CliResult cli(const std::vector<std::string>& args) { return run_cli(home.path(), args); }

    TempDir home;
    std::filesystem::path archive = home / "a.res";
};

TEST_F(CliBatchTest, ImportScriptPrintsItsLinesAndProgress)
{
    write_bytes(home / "in" / "x.bin", counting(12, 40));
    write_bytes(home / "in" / "y.bin", counting(5, 50));
    write_text(home / "in" / "s.mws", "MARROWICKSCRIPTv1.0\r\n2\r\n3 0 x.bin\r\n2 2 y.bin\r\n");
    const auto script = (home / "in" / "s.mws").string();

    CliResult result = cli({"script", "check", archive.string(), script});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out, "2 entries checked, no errors\n");

    result = cli({"import-script", archive.string(), script});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out,
              "Importing file y.bin\nProgress: 25%\nProgress: 50%\n"
              "Importing file x.bin\nProgress: 75%\nProgress: 100%\n"
              "Import Completed\n");
    EXPECT_EQ(result.err, "");
    ResBuilder expected;
    expected.raw(100, counting(10, 1));
    add_compound(expected, 300, {counting(4, 1), counting(5, 50), counting(6, 3)}, 1024);
    expected.raw(101, counting(12, 40));
    EXPECT_EQ(read_bytes(archive), expected.build());
}

TEST_F(CliBatchTest, FailedChecksChangeNothing)
{
    write_bytes(home / "in" / "x.bin", counting(12, 40));
    write_text(home / "in" / "s.mws", "MARROWICKSCRIPTv1.0\r\n3\r\n9 0 x.bin\r\n2 4 x.bin\r\n1 0 nothere.bin\r\n");
    const auto script = (home / "in" / "s.mws").string();
    const Bytes before = read_bytes(archive);
    CliResult result = cli({"script", "check", archive.string(), script});
    EXPECT_EQ(result.exit_code, 1);
    // Listed in the script's list order, on stderr.
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "ERROR: File " + (home / "in" / "nothere.bin").string() +
                              " does not exist or is in use by another application\n"
                              "ERROR: Invalid Item Number (4) for File 2\nERROR: Invalid File Number (9)\n");

    result = cli({"import-script", archive.string(), script});
    EXPECT_EQ(result.exit_code, 1);
    // Each line once, errors on stderr.
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "ERROR: File " + (home / "in" / "nothere.bin").string() +
                              " does not exist or is in use by another application\n"
                              "ERROR: Invalid Item Number (4) for File 2\nERROR: Invalid File Number (9)\n"
                              "Import Failed\n");
    EXPECT_EQ(read_bytes(archive), before);
}

TEST_F(CliBatchTest, ScriptWithRefusedLinesIsNotRun)
{
    write_bytes(home / "in" / "x.bin", counting(12, 40));
    write_text(home / "in" / "s.mws", "MARROWICKSCRIPTv1.0\r\n2\r\n3 0 x.bin\r\n3 0 x.bin\r\n");
    const Bytes before = read_bytes(archive);
    const CliResult result = cli({"import-script", archive.string(), (home / "in" / "s.mws").string()});
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.err, "A script entry with the file & item numbers you sepcified already exists\n");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(read_bytes(archive), before);
    EXPECT_EQ(cli({"script", "run", archive.string(), "s.mws"}).exit_code, 2);
}

TEST_F(CliBatchTest, ExportMultiple)
{
    const auto out = home / "out";
    CliResult result = cli({"export-multiple", archive.string(), out.string(), "--original", "2", "1"});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out, "File 1 Item 0 -> " + (out / "a_001_100.").string() + "\n" +
                              "File 2 Item 1 -> " + (out / "a_002_300_item1.").string() + "\n" +
                              "File 2 Item 2 -> " + (out / "a_002_300_item2.").string() + "\n" +
                              "File 2 Item 3 -> " + (out / "a_002_300_item3.").string() + "\n" +
                              "2 files have been exported successfuly\n");
    EXPECT_EQ(read_bytes(out / "a_002_300_item3."), counting(6, 3));

    result = cli({"export-multiple", archive.string(), out.string(), "--all"});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_NE(result.out.find("3 files have been exported successfuly"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(out / "a_003_101.unknown"));

    EXPECT_EQ(cli({"export-multiple", archive.string(), out.string()}).exit_code, 2);
    EXPECT_EQ(cli({"export-multiple", archive.string(), out.string(), "--all", "1"}).exit_code, 2);
    result = cli({"export-multiple", archive.string(), out.string(), "4"});
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.err, "Error: the archive has no file 4\n");
    EXPECT_EQ(cli({"export-multiple", archive.string(), (home / "none").string(), "1"}).exit_code, 1);
}

TEST_F(CliBatchTest, OptionsShowAndStoreThePaletteFormat)
{
    const std::string folder_line = "Program folder    : " + (home.path() / "").string() + "\n";
    CliResult result = cli({"options"});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out, folder_line + "Palette Format    : PaintShop Pro (jasc)\nE-File resolution : As multimaterial root\n");
    result = cli({"options", "--palette-format", "corel"});
    EXPECT_EQ(result.out, folder_line + "Palette Format    : Corel PhotoPaint (corel)\nE-File resolution : As multimaterial root\n");
    EXPECT_NE(read_text(home / "config.cfg").find("PaletteFormat 1"), std::string::npos);
    EXPECT_NE(cli({"options"}).out.find("Palette Format    : Corel PhotoPaint "), std::string::npos);
    EXPECT_EQ(cli({"options", "--palette-format", "gif"}).exit_code, 2);
    EXPECT_EQ(cli({"options", "extra"}).exit_code, 2);
}

}  // namespace
}  // namespace mw::test
