#include <gtest/gtest.h>

#include "archive/dcl/dcl.h"
#include "dcl/dcl_test_support.h"
#include "support/cli_runner.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

class DclCli : public WorkspaceFixture {
protected:
    std::string path(const std::string& name) const { return (scratch() / name).string(); }
    CliResult dcl(const std::vector<std::string>& words)
    {
        std::vector<std::string> args{"dcl"};
        args.insert(args.end(), words.begin(), words.end());
        return run_cli(program_folder(), args);
    }
};

TEST_F(DclCli, ImplodeWithEachDictionaryAndExplodeBack)
{
    const std::string input = testdata("dcl/text_licenses.raw").string();
    struct Case {
        std::vector<std::string> option;
        std::uint8_t header;
    };
    const Case cases[] = {{{}, 6}, {{"-1"}, 4}, {{"-2"}, 5}, {{"-4"}, 6}};
    for (const Case& c : cases) {
        std::vector<std::string> words{"implode"};
        words.insert(words.end(), c.option.begin(), c.option.end());
        words.insert(words.end(), {input, path("out.pk")});
        const CliResult packed = dcl(words);
        ASSERT_EQ(packed.exit_code, 0) << packed.err;
        EXPECT_EQ(packed.err, "");
        const Bytes stream = read_bytes(path("out.pk"));
        ASSERT_GE(stream.size(), 2u);
        EXPECT_EQ(stream[0], 0);
        EXPECT_EQ(stream[1], c.header);

        const CliResult unpacked = dcl({"explode", path("out.pk"), path("out.raw")});
        ASSERT_EQ(unpacked.exit_code, 0) << unpacked.err;
        EXPECT_EQ(read_bytes(path("out.raw")), read_bytes(input));
    }
}

TEST_F(DclCli, FailuresAndWrongUsage)
{
    const Bytes stream = dcl_testdata("text300.d1024.pk");
    write_bytes(path("cut.pk"), ByteSpan(stream.data(), stream.size() - 1));
    const std::string usage =
        "usage: marrowick-cli [--home DIR] dcl implode [-1|-2|-4] IN OUT | explode IN OUT  (see marrowick-cli dcl --help)\n";
    struct Case {
        std::vector<std::string> words;
        int exit_code;
        std::string err;
    };
    const Case cases[] = {
        {{"explode", path("cut.pk"), path("x")}, 1, "Error: damaged DCL stream - the stream ends before its end code\n"},
        {{"explode", path("none.pk"), path("x")}, 1, "Error: cannot read " + path("none.pk") + "\n"},
        {{"implode", path("none.raw"), path("x")}, 1, "Error: cannot read " + path("none.raw") + "\n"},
        {{"explode", testdata("dcl/text300.d1024.pk").string(), path("no/such/folder/x")}, 1,
         "Error: cannot write " + path("no/such/folder/x") + "\n"},
        {{"implode", testdata("dcl/text300.raw").string(), path("no/such/folder/x")}, 1,
         "Error: cannot write " + path("no/such/folder/x") + "\n"},
        {{}, 2, "marrowick-cli dcl: missing implode or explode\n" + usage},
        {{"implode", "-3", "a", "b"}, 2, "marrowick-cli dcl: the dictionary must be -1, -2 or -4: '-3'\n" + usage},
        {{"implode", "a"}, 2, "marrowick-cli dcl: missing OUT\n" + usage},
        {{"explode", "-1", "a", "b"}, 2, "marrowick-cli dcl: unexpected argument 'b'\n" + usage},
        {{"compress", "a", "b"}, 2, "marrowick-cli dcl: unknown action 'compress'\n" + usage},
    };
    for (const Case& c : cases) {
        const CliResult result = dcl(c.words);
        EXPECT_EQ(result.exit_code, c.exit_code) << ::testing::PrintToString(c.words);
        EXPECT_EQ(result.err, c.err) << ::testing::PrintToString(c.words);
    }
}

// An entry holds at most 16,777,215 bytes; explode stops a stream there.
TEST_F(DclCli, ExplodeStopsAtTheLargestEntrySize)
{
    auto stream_of = [](std::size_t size) {
        StreamWriter writer(0, 4);
        writer.literal('x');
        std::size_t left = size - 1;
        for (; left >= 518; left -= 518) writer.match(518, 1);
        if (left >= 2) writer.match(static_cast<unsigned>(left), 1);
        if (left == 1) writer.literal('x');
        return writer.end().bytes();
    };
    write_bytes(path("largest.pk"), stream_of(16'777'215));
    write_bytes(path("too_large.pk"), stream_of(16'777'216));

    const CliResult fits = dcl({"explode", path("largest.pk"), path("largest.raw")});
    EXPECT_EQ(fits.exit_code, 0) << fits.err;
    EXPECT_EQ(std::filesystem::file_size(path("largest.raw")), 16'777'215u);
    const CliResult over = dcl({"explode", path("too_large.pk"), path("too_large.raw")});
    EXPECT_EQ(over.exit_code, 1);
    EXPECT_EQ(over.err, "Error: damaged DCL stream - the stream decodes to more bytes than allowed\n");
    EXPECT_FALSE(std::filesystem::exists(path("too_large.raw")));
}

}  // namespace
}  // namespace mw::test
