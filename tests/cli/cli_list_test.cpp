#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/res_builder.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

class CliListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        write_text(home / "config.cfg", "LastOpenDir -\r\nLastExportDir -\r\nLastImportDir -\r\nPaletteFormat 0\r\nTexturesBGR 0\r\n");
        write_text(home / "resid.def", "Pal 2059 2059\nSnd 26001 26001\n");
        Bytes stream(12, 0x22);
        put_u16(stream.data(), 0x0600);
        ResBuilder()
            .raw(2059, Bytes(768, 1))
            .compound(300, {14, 24, 40}, stream, 26)
            .stored(26001, stream, 99)
            .write(home / "my archive.v2.res");
    }
    TempDir home;
};

TEST_F(CliListTest, PrintsTheTreeLines)
{
    const CliResult result = run_cli(home.path(), {"list", (home / "my archive.v2.res").string()});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    // The tree lines as they are, the file's resource ID and its name beside them.
    EXPECT_EQ(result.out,
              "my archive.v2\n"
              "  File 1 (768 bytes)        ID 2059  Pal\n"
              "  File 2 (26 bytes)         ID 300\n"
              "    Item 1 (10 bytes)\n"
              "    Item 2 (16 bytes)\n"
              "  File 3 (99 bytes)         ID 26001 Snd\n");
    EXPECT_EQ(result.err, "");
}

TEST_F(CliListTest, JsonCarriesEveryField)
{
    const CliResult result = run_cli(home.path(), {"list", "--json", (home / "my archive.v2.res").string()});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_NE(result.out.find(R"({"file":1,"id":2059,"name":"Pal","uncompressed_length":768,"stored_length":768,"data_offset":128,"compressed":false,"dcl_option":"","directory_size":0,"size":768,"damaged":false,"items":[]})"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find(R"("id":300,"name":"","uncompressed_length":40,"stored_length":26,"data_offset":896,"compressed":true,"dcl_option":" -4 ","directory_size":14,"size":26,"damaged":false,"items":[10,16])"),
              std::string::npos)
        << result.out;
}

TEST_F(CliListTest, DamagedEntryIsMarked)
{
    ResBuilder().raw(2059, Bytes(8, 1)).entry({77, Bytes(4, 1), 4, 5000}).write(home / "d.res");
    const CliResult result = run_cli(home.path(), {"list", (home / "d.res").string()});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out,
              "d\n"
              "  File 1 (8 bytes)          ID 2059  Pal\n"
              "  File 2 (4 bytes)          ID 77  [damaged]\n");
}

// Archive names and resource names are Windows-1252 bytes; what is printed is UTF-8.
TEST_F(CliListTest, TextAndJsonAreUtf8)
{
    write_text(home / "resid.def", "Caf\xe9\x80 2059 2059\n");
    const auto path = home / "d\xe9j\xe0.res";
    ResBuilder().raw(2059, Bytes(8, 1)).write(path);
    EXPECT_EQ(run_cli(home.path(), {"list", path.string()}).out,
              "d\xc3\xa9j\xc3\xa0\n  File 1 (8 bytes)          ID 2059  Caf\xc3\xa9\xe2\x82\xac\n");
    const CliResult result = run_cli(home.path(), {"list", "--json", path.string()});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_NE(result.out.find("\"title\":\"d\xc3\xa9j\xc3\xa0\""), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("\"name\":\"Caf\xc3\xa9\xe2\x82\xac\""), std::string::npos) << result.out;
    // A name that is UTF-8 already (a file named on this system) stays as it is.
    const auto utf8_path = home / "caf\xc3\xa9.res";
    ResBuilder().raw(2059, Bytes(8, 1)).write(utf8_path);
    const CliResult utf8 = run_cli(home.path(), {"list", "--json", utf8_path.string()});
    EXPECT_NE(utf8.out.find("\"title\":\"caf\xc3\xa9\""), std::string::npos) << utf8.out;
}

TEST_F(CliListTest, DamagedArchiveFailsWithAMessage)
{
    write_text(home / "bad.res", "VM Res File v2 but far too short");
    const CliResult result = run_cli(home.path(), {"list", (home / "bad.res").string()});
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.err, "Error#1058: Error locating .res file index\n");
    EXPECT_EQ(result.out, "");
}

TEST_F(CliListTest, WrongUsageExitsTwo)
{
    EXPECT_EQ(run_cli(home.path(), {"list"}).exit_code, 2);
    EXPECT_EQ(run_cli(home.path(), {"list", "a", "b"}).exit_code, 2);
    EXPECT_EQ(run_cli(home.path(), {"list", "--bogus", "a"}).exit_code, 2);
    EXPECT_EQ(run_cli(home.path(), {"nosuchcommand"}).exit_code, 2);
    EXPECT_EQ(run_cli_raw({}).exit_code, 2);
    const CliResult help = run_cli_raw({"--help"});
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_NE(help.out.find("list ARCHIVE"), std::string::npos);
}

}  // namespace
}  // namespace mw::test
