#include <gtest/gtest.h>

#include <sstream>

#include "aircraft_doc_fixture.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

class CliRecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        write_text(home / "config.cfg", "LastOpenDir -\r\nLastExportDir -\r\nLastImportDir -\r\nPaletteFormat 0\r\nTexturesBGR 0\r\n");
        write_text(home / "resid.def", "");
        aircraft_records_archive().write(archive);
    }
    CliResult cli(std::vector<std::string> args)
    {
        args.insert(args.begin() + 1, archive.string());
        return run_cli(home.path(), args);
    }

    // The value `record` prints for the field `name` ("  @80   f32    Max. Force: = 900").
    static std::string printed_value(const std::string& out, const std::string& name)
    {
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);) {
            const auto at = line.find(" " + name + " = ");
            if (at == std::string::npos || line.rfind("  @", 0) != 0) continue;
            std::string value = line.substr(at + name.size() + 4);
            return value.substr(0, value.find("  "));
        }
        ADD_FAILURE() << name << " not in\n" << out;
        return {};
    }

    TempDir home;
    std::filesystem::path archive = home / "a.res";
};

TEST_F(CliRecordTest, RecordOutputFedBackToRecordSet)
{
    CliResult shown = cli({"record", "11", "2"});
    ASSERT_EQ(shown.exit_code, 0) << shown.err;
    EXPECT_EQ(shown.out.substr(0, shown.out.find("Fields")),
              "Record      : AEROTYPE_GEAR (resource 2138, 101 bytes)\n"
              "Title       : Landing Gear\n");
    EXPECT_NE(shown.out.find("  @0    u8     Segment type: = 4  [shown only]\n"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("  @67   u8     Control: = 6  (LEFTBRAKE)\n"), std::string::npos) << shown.out;
    EXPECT_EQ(printed_value(shown.out, "Max. Force:"), "900");

    const std::string mass = printed_value(shown.out, "Mass (Kg):");
    const CliResult set = cli({"record-set", "11", "2", "Max. Force:=" + mass, "@67=3"});
    ASSERT_EQ(set.exit_code, 0) << set.err;
    EXPECT_EQ(set.out, "Import Completed\n");

    shown = cli({"record", "11", "2"});
    EXPECT_EQ(printed_value(shown.out, "Max. Force:"), "40");
    EXPECT_EQ(printed_value(shown.out, "Control:"), "3");
    EXPECT_EQ(printed_value(shown.out, "Mass (Kg):"), "40");
}

TEST_F(CliRecordTest, NameRecordTextsWithEscapes)
{
    CliResult shown = cli({"record", "8", "--json"});
    ASSERT_EQ(shown.exit_code, 0) << shown.err;
    EXPECT_NE(shown.out.find(R"("name":"Description:","label":"Description:","group":"","value":"Line one\\nLine two")"),
              std::string::npos)
        << shown.out;

    const CliResult set = cli({"record-set", "8", "0", "Name=Piper", "description=A\\tB\\nC"});
    ASSERT_EQ(set.exit_code, 0) << set.err;
    shown = cli({"record", "8"});
    // Both texts keep their stored lengths, padded with spaces.
    EXPECT_NE(shown.out.find("  @5    char[6] Name: = Piper \n  @12   char[17] Description: = A\\tB\\nC            \n"),
              std::string::npos)
        << shown.out;
}

// Record texts are Windows-1252 in the archive and UTF-8 on the command line, both ways.
TEST_F(CliRecordTest, TextsAreUtf8OnTheCommandLine)
{
    ASSERT_EQ(cli({"record-set", "8", "0", "Name=Caf\xc3\xa9"}).exit_code, 0);
    const CliResult json = cli({"record", "8", "--json"});
    // Stored as the one byte 0xE9: read back, it is one UTF-8 character again.
    EXPECT_NE(json.out.find(R"("value":"Caf)" "\xc3\xa9" R"(  ")"), std::string::npos) << json.out;
    // The form's internals are in the JSON, not in the text.
    EXPECT_NE(json.out.find(R"("form_class":")"), std::string::npos);
    const CliResult text = cli({"record", "8"});
    EXPECT_NE(text.out.find("Name: = Caf\xc3\xa9  \n"), std::string::npos) << text.out;
    EXPECT_EQ(text.out.find("Form"), std::string::npos);

    const CliResult arrow = cli({"record-set", "8", "0", "Name=a\xe2\x86\x92" "b"});
    EXPECT_EQ(arrow.exit_code, 1);
    EXPECT_EQ(arrow.err, "Error: '\xe2\x86\x92' cannot be written in the game's texts (Windows-1252)\n");
}

TEST_F(CliRecordTest, AxleRunsShowWhereTheyEnd)
{
    const CliResult shown = cli({"record", "12"});
    ASSERT_EQ(shown.exit_code, 0) << shown.err;
    EXPECT_NE(shown.out.find("  @0    u8     elevators: number of pieces of this type: = 2  (ending at model axle: 6)\n"
                             "  @1    u8     elevators: starting at model axle: = 5\n"
                             "  @2    u8     rudder: number of pieces of this type: = 0\n"),
              std::string::npos)
        << shown.out;
}

TEST_F(CliRecordTest, VisualiseContactPoint)
{
    CliResult code = cli({"visualise", "11", "1"});
    ASSERT_EQ(code.exit_code, 0) << code.err;
    EXPECT_EQ(code.out.substr(0, 11), "\nBEGIN \"cp_");
    EXPECT_NE(code.out.find("_Right Wing\"\n\nPOINTS{\n0.900000,2.000000,3.000000;\n"), std::string::npos) << code.out;
    EXPECT_NE(code.out.find("0,N,0,ff02,(0,4,3);\n"), std::string::npos);

    code = cli({"visualise", "11", "1", "--scale", "2", "--material", "ff0a"});
    ASSERT_EQ(code.exit_code, 0) << code.err;
    EXPECT_NE(code.out.find("POINTS{\n0.450000,1.000000,1.500000;\n"), std::string::npos) << code.out;
    EXPECT_NE(code.out.find("0,N,7,ff0a,(2,0,5);\n"), std::string::npos);
}

TEST_F(CliRecordTest, PropWithAPresetBaseShapeShowsThePointsASaveWrites)
{
    Bytes prop(180, 0);
    put_u32(&prop[44], 1);   // stripes
    put_u32(&prop[112], 3);  // base shape 3
    for (std::size_t at = 116; at < 180; at += 4) put_f32(&prop[at], 0.5f);  // the record's own points
    aircraft_records_archive().raw(2056, prop).write(archive);  // file 16

    const CliResult shown = cli({"record", "16"});
    ASSERT_EQ(shown.exit_code, 0) << shown.err;
    const std::string width = "Blade shape width for base shape 5 (same scale as the length): ";
    const std::string length = "Blade shape length for base shape 5 (center 0 to max. radius 1): ";
    // Points 0 to 3 of shape 3: (0, 0), (0.1, 0.05), (0.6, 0.08), (1.0, 0.08); the rest (0, 0).
    const char* const widths[] = {"0", "0.05", "0.08", "0.08", "0", "0", "0", "0"};
    const char* const lengths[] = {"0", "0.1", "0.6", "1", "0", "0", "0", "0"};
    for (int k = 1; k <= 8; ++k) {
        EXPECT_EQ(printed_value(shown.out, width + std::to_string(k)), widths[k - 1]) << k;
        EXPECT_EQ(printed_value(shown.out, length + std::to_string(k)), lengths[k - 1]) << k;
    }
}

TEST_F(CliRecordTest, FailuresAndUsage)
{
    const struct {
        std::vector<std::string> args;
        int exit_code;
        const char* err;  // "" when only the exit code matters
    } cases[] = {
        {{"record", "7"}, 1, "Error: file 7 item 0 is not an aircraft record\n"},
        {{"record-set", "11", "2", "Wing=1"}, 1,
         "No single field of this record is named \"Wing\"; name it by its group and label or by its offset (@N)\n"},
        {{"record-set", "11", "2", "Control:=11"}, 1,
         "Control: Please select one of: NONE, AILERON, RUDDER, ELEVATOR, FLAP, THROTTLE, LEFTBRAKE, RIGHTBRAKE, "
         "SPOILERON, NOSOUND, SPOILER.\n"},
        {{"record-set", "15", "0", "@0=1"}, 1, "This record is shown only and cannot be saved\n"},
        {{"record-set", "10", "0", "Flap Positions: 3=30"}, 1,
         "Flap Positions: 3: This position is not saved with 2 flap steps; set \"Flap Steps:\" to 3 or more to save "
         "it.\n"},
        {{"record-set", "8", "0", "Name=Cessna 172"}, 1, "The name may hold at most 6 characters\n"},
        {{"record-set", "8", "0", "Name=Ce\\x00x"}, 1,
         "Unknown escape in \"Name=Ce\\x00x\"; use \\\\, \\n, \\t, \\r or \\xNN (not \\x00)\n"},
        {{"visualise", "11", "2", "--material", "ff15"}, 2, ""},
        {{"visualise", "11", "3"}, 1, "Error: file 11 item 3 (AEROTYPE_FUELSYSTEM) has no 3D model code\n"},
        {{"record-set", "11", "2"}, 2, ""},
        {{"record-set", "11", "2", "novalue"}, 2, ""},
    };
    const Bytes original = read_bytes(archive);
    for (const auto& c : cases) {
        const CliResult result = cli(c.args);
        SCOPED_TRACE(c.args[0] + " " + c.args.back());
        EXPECT_EQ(result.exit_code, c.exit_code) << result.err;
        if (*c.err) {
            EXPECT_EQ(result.err, c.err);
        }
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(read_bytes(archive), original);
}

}  // namespace
}  // namespace mw::test
