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
    EXPECT_EQ(result.out,
              "my archive.v2\n"
              "  File 1 (768 bytes)\n"
              "  File 2 (26 bytes)\n"
              "    Item 1 (10 bytes)\n"
              "    Item 2 (16 bytes)\n"
              "  File 3 (99 bytes)\n");
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
