// What a new user meets first: help for every command, the version, and
// usage errors that name the word they could not use.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/cli_runner.h"
#include "support/res_builder.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

const char* const all_commands[] = {"list",          "model-info",      "info",    "analyse", "export",
                                    "import",        "import-header",   "import-flight-model", "dcl",
                                    "import-script", "script",          "export-multiple",     "options",
                                    "record",        "record-set",      "visualise"};

TEST(CliHelp, EveryCommandExplainsItselfOnStdout)
{
    for (const char* name : all_commands) {
        SCOPED_TRACE(name);
        const CliResult help = run_cli_raw({name, "--help"});
        EXPECT_EQ(help.exit_code, 0);
        EXPECT_EQ(help.err, "");
        EXPECT_EQ(help.out.rfind(std::string("marrowick-cli ") + name + " - ", 0), 0u) << help.out;
        EXPECT_NE(help.out.find(std::string("usage: marrowick-cli [--home DIR] ") + name + " "), std::string::npos);
        EXPECT_NE(help.out.find("Arguments and options:\n  "), std::string::npos);
        EXPECT_NE(help.out.find(std::string("Example:\n  marrowick-cli ") + name + " "), std::string::npos);
    }
    const std::string export_help = run_cli_raw({"export", "--help"}).out;
    EXPECT_EQ(run_cli_raw({"help", "export"}).out, export_help);
    EXPECT_EQ(run_cli_raw({"export", "-h"}).out, export_help);
    const CliResult overview = run_cli_raw({"help"});
    EXPECT_EQ(overview.exit_code, 0);
    EXPECT_EQ(overview.out, run_cli_raw({"-h"}).out);
    EXPECT_EQ(overview.out, run_cli_raw({"--help"}).out);
    const CliResult version = run_cli_raw({"--version"});
    EXPECT_EQ(version.exit_code, 0);
    EXPECT_EQ(version.out.rfind("marrowick-cli 0.", 0), 0u) << version.out;
}

TEST(CliHelp, SaysWhatTheLessObviousOptionsDo)
{
    const struct {
        const char* command;
        const char* text;
    } cases[] = {
        {"export", "FILE of a file with items writes its first item"},
        {"export", "--whole       write the whole file's bytes exactly as the archive stores them"},
        {"visualise", "every coordinate is divided by S, so 2 halves"},
        {"export-multiple", "an existing folder; nothing creates it"},
        {"export-multiple", "with _itemK for item K"},
        {"export-multiple", "a bare dot: aircraft_012_2059.bmp, aircraft_002_300_item1.\n"},
    };
    for (const auto& c : cases)
        EXPECT_NE(run_cli_raw({c.command, "--help"}).out.find(c.text), std::string::npos) << c.command << ": " << c.text;
}

TEST(CliUsage, ErrorsNameTheWordOnStderr)
{
    TempDir home;
    const std::string archive = (home / "a.res").string();
    ResBuilder().raw(1, Bytes(4, 1)).write(archive);
    const struct {
        std::vector<std::string> args;
        std::string first_line;
    } cases[] = {
        {{"lst"}, "marrowick-cli: unknown command 'lst' (did you mean 'list'?)"},
        {{"help", "exprot"}, "marrowick-cli: unknown command 'exprot' (did you mean 'export'?)"},
        {{"frobnicate"}, "marrowick-cli: unknown command 'frobnicate'"},
        {{"--verbose", "list"}, "marrowick-cli: unknown option '--verbose'"},
        {{}, "marrowick-cli: missing COMMAND"},
        {{"export", archive, "abc", "out"}, "marrowick-cli export: FILE must be a number: 'abc'"},
        {{"info", archive, "0"}, "marrowick-cli info: FILE must be from 1 to 65535: '0'"},
        {{"info", archive, "1", "x"}, "marrowick-cli info: ITEM must be a number: 'x'"},
        {{"export", archive, "1"}, "marrowick-cli export: missing DEST"},
        {{"list", "--bogus", archive}, "marrowick-cli list: unknown option '--bogus'"},
        {{"list", archive, "b"}, "marrowick-cli list: unexpected argument 'b'"},
        {{"info", archive, "1", "--palette"}, "marrowick-cli info: option --palette needs a value"},
        {{"export", archive, "1", "out", "--palette-format", "gif"},
         "marrowick-cli export: --palette-format must be jasc or corel: 'gif'"},
        {{"export", archive, "1", "1", "out", "--whole"}, "marrowick-cli export: --whole writes the whole file: no ITEM"},
        {{"export-multiple", archive, "out"}, "marrowick-cli export-multiple: missing FILE or --all"},
        {{"record-set", archive, "1", "0", "novalue"}, "marrowick-cli record-set: a change must read NAME=VALUE: 'novalue'"},
        {{"visualise", archive, "1", "--scale", "big"}, "marrowick-cli visualise: --scale must be a number: 'big'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first_line);
        const CliResult result = run_cli(home.path(), c.args);
        EXPECT_EQ(result.exit_code, 2);
        EXPECT_EQ(result.out, "");
        // The problem, then the usage line: said once.
        EXPECT_EQ(result.err.substr(0, result.err.find('\n')), c.first_line);
        EXPECT_EQ(result.err.find("\nusage: marrowick-cli [--home DIR] "), c.first_line.size());
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 2);
    }
}

TEST(CliHome, AMissingHomeIsCreatedAndSaidOnce)
{
    TempDir parent;
    const auto home = parent / "new" / "home";
    CliResult first = run_cli(home, {"options"});
    EXPECT_EQ(first.exit_code, 0);
    // A first start: no complaint about the settings file that is not there yet.
    EXPECT_EQ(first.err, "Created the program folder " + home.string() + "\n");
    EXPECT_EQ(first.out.rfind("Program folder    : " + (home / "").string() + "\n", 0), 0u) << first.out;
    EXPECT_TRUE(std::filesystem::exists(home / "config.cfg"));
    EXPECT_TRUE(std::filesystem::exists(home / "resid.def"));  // seeded from beside the program
    EXPECT_EQ(run_cli(home, {"options"}).err, "");
}

}  // namespace
}  // namespace mw::test
