#include <gtest/gtest.h>

#include "archive/dcl/dcl.h"
#include "support/cli_runner.h"
#include "support/res_builder.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

class CliDocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        write_text(home / "config.cfg", "LastOpenDir -\r\nLastExportDir -\r\nLastImportDir -\r\nPaletteFormat 0\r\nTexturesBGR 0\r\n");
        write_text(home / "resid.def", "Snd 26001 26001\n");
        const Bytes joined = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        ResBuilder()
            .raw(26001, {'R', 'I', 'F', 'F', 9, 9})
            .compound(300, {14, 18, 24}, dcl::implode(joined, 1024), 10)
            .write(archive);
    }
    CliResult cli(const std::vector<std::string>& args) { return run_cli(home.path(), args); }

    TempDir home;
    std::filesystem::path archive = home / "a.res";
};

TEST_F(CliDocumentTest, InfoPrintsTheTextAndTheDisplayKind)
{
    const CliResult result = cli({"info", archive.string(), "1"});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out,
              "Type                          : Sound\n"
              "Resource ID              : 26001    Snd\n"
              "Compressed Size     : 6\n"
              "Uncompressed Size : 6\n"
              "Display kind      : 1\n");
    const CliResult json = cli({"info", "--json", archive.string(), "2"});
    EXPECT_NE(json.out.find(R"("file":2,"item":1,"type":"Unknown","id":300)"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find(R"("start":0,"end":4)"), std::string::npos) << json.out;
}

TEST_F(CliDocumentTest, InfoOnAnItemShowsItsOwnOffsetAndLength)
{
    // Items 14..18 and 18..24 of the uncompressed file; the file node selects item 1.
    const struct {
        std::vector<std::string> args;
        const char* lines;
    } cases[] = {
        {{"2", "2"}, "Item              : 2\nItem offset       : 18 (in the uncompressed file)\nItem length       : 6\n"},
        {{"2"}, "Item              : 1\nItem offset       : 14 (in the uncompressed file)\nItem length       : 4\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"info", archive.string()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliResult result = cli(args);
        EXPECT_EQ(result.exit_code, 0) << result.err;
        const std::string tail = c.lines;
        ASSERT_GE(result.out.size(), tail.size());
        EXPECT_EQ(result.out.substr(result.out.size() - tail.size()), tail);
    }
    const CliResult json = cli({"info", "--json", archive.string(), "2", "2"});
    EXPECT_NE(json.out.find(R"("item_offset":18,"item_length":6,)"), std::string::npos) << json.out;
    EXPECT_EQ(cli({"info", archive.string(), "1"}).out.find("Item offset"), std::string::npos);
}

TEST_F(CliDocumentTest, ExportWholeWritesTheStoredBytes)
{
    const CliResult result = cli({"export", "--whole", archive.string(), "2", (home / "whole.bin").string()});
    ASSERT_EQ(result.exit_code, 0) << result.err;
    Bytes expected = ResBuilder::directory({14, 18, 24});
    const Bytes stream = dcl::implode(Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 1024);
    expected.insert(expected.end(), stream.begin(), stream.end());
    EXPECT_EQ(read_bytes(home / "whole.bin"), expected);

    ResBuilder().raw(1, Bytes(4, 1)).entry({77, Bytes(4, 1), 4, 5000}).write(home / "d.res");
    const CliResult damaged = cli({"export", "--whole", (home / "d.res").string(), "2", (home / "x.bin").string()});
    EXPECT_EQ(damaged.exit_code, 1);
    EXPECT_EQ(damaged.err, "Error: file 2 is damaged: its data lies outside the archive\n");
    EXPECT_FALSE(std::filesystem::exists(home / "x.bin"));

    const auto nowhere = home / "no" / "x.bin";
    const CliResult unwritable = cli({"export", "--whole", archive.string(), "1", nowhere.string()});
    EXPECT_EQ(unwritable.exit_code, 1);
    EXPECT_EQ(unwritable.err, "Error: cannot write the file\n  " + nowhere.string() + ": No such file or directory\n");
}

TEST_F(CliDocumentTest, ExportAndImportAnItem)
{
    CliResult result = cli({"export", archive.string(), "2", "2", (home / "item.bin").string(), "--original"});
    ASSERT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(read_bytes(home / "item.bin"), (Bytes{5, 6, 7, 8, 9, 10}));

    write_bytes(home / "new.bin", Bytes{60, 61, 62, 63, 64, 65});
    result = cli({"import", archive.string(), "2", "2", (home / "new.bin").string()});
    ASSERT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out, "Import Completed\n");
    result = cli({"export", archive.string(), "2", "0", (home / "all.bin").string(), "--original"});
    ASSERT_EQ(result.exit_code, 0) << result.err;
    // The whole entry selected shows its first item, as the tree does.
    EXPECT_EQ(read_bytes(home / "all.bin"), (Bytes{1, 2, 3, 4}));

    write_bytes(home / "bad.bin", Bytes{1, 2, 3});
    result = cli({"import", archive.string(), "2", "2", (home / "bad.bin").string()});
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.err, "Error: imported file size differs from original file size\n");
}

TEST_F(CliDocumentTest, AnalyseAndUsage)
{
    const CliResult result = cli({"analyse", "--json", archive.string()});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_NE(result.out.find(R"("variant":false,"aircraft_archive":false,"key_files":[])"), std::string::npos) << result.out;
    EXPECT_EQ(cli({"export", archive.string()}).exit_code, 2);
    EXPECT_EQ(cli({"info", archive.string(), "x"}).exit_code, 2);
    EXPECT_EQ(cli({"export", archive.string(), "1", "a", "--palette-format", "gif"}).exit_code, 2);
    const CliResult missing = cli({"info", archive.string(), "9"});
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_EQ(missing.err, "Error: the archive has no file 9\n");
}

}  // namespace
}  // namespace mw::test
