#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

#include "batch/recorders.h"
#include "batch/script_file.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

class ScriptFileTest : public WorkspaceFixture {
protected:
    // Reads `text` as a script into `list`, which starts with one old entry.
    int read(const std::string& text)
    {
        write_text(scratch() / "s.mws", text);
        return read_script(scratch() / "s.mws", list, messages);
    }

    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        ASSERT_EQ(list.add({42, 1, "old.bmp"}, messages), 0);
    }

    const ScriptEntry old_entry{42, 1, "old.bmp"};
    ScriptList list;
    RecordingMessenger messages;
};

TEST_F(ScriptFileTest, RefusedHeadersLeaveTheListUnchanged)
{
    struct Case {
        const char* name;
        const char* text;
        DialogMessage message;
    };
    const DialogMessage invalid_count{"The number of items in the script is invalid", "Invalid File Data", MessageIcon::stop};
    const Case cases[] = {
        {"count 0", "MARROWICKSCRIPTv1.0\r\n0\r\n5 2 a.bmp\r\n", invalid_count},
        {"count -2", "MARROWICKSCRIPTv1.0\r\n-2\r\n5 2 a.bmp\r\n", invalid_count},
        {"count not a number", "MARROWICKSCRIPTv1.0\r\nmany\r\n", invalid_count},
        {"no count", "MARROWICKSCRIPTv1.0\r\n", invalid_count},
        {"other magic", "MARROWICKSCRIPTv1.1\r\n1\r\n5 2 a.bmp\r\n",
         {"The file is not a Marrowick script file", "Invalid File Format", MessageIcon::stop}},
        {"longer magic", "MARROWICKSCRIPTv1.0x\r\n1\r\n5 2 a.bmp\r\n",
         {"The file is not a Marrowick script file", "Invalid File Format", MessageIcon::stop}},
        {"empty file", "", {"The file is not a Marrowick script file", "Invalid File Format", MessageIcon::stop}},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        EXPECT_EQ(read(c.text), -1) << c.name;
        EXPECT_EQ(messages.shown, std::vector<DialogMessage>{c.message}) << c.name;
        EXPECT_EQ(list.entries(), std::vector<ScriptEntry>{old_entry}) << c.name;
    }
}

// A script that never ends its first word (a pipe, a device) is refused
// after a few characters, not read to its end.
TEST_F(ScriptFileTest, FirstWordIsReadOnlyAsFarAsTheMagic)
{
    std::istringstream in(std::string(100000, 'M'));
    EXPECT_EQ(read_script(in, list, messages), -1);
    EXPECT_EQ(messages.shown, (std::vector<DialogMessage>{{"The file is not a Marrowick script file",
                                                           "Invalid File Format", MessageIcon::stop}}));
    const std::string unread{std::istreambuf_iterator<char>(in.rdbuf()), {}};
    EXPECT_GT(unread.size(), 99900u);
}

TEST_F(ScriptFileTest, MissingFileLeavesTheListUnchanged)
{
    EXPECT_EQ(read_script(scratch() / "none.mws", list, messages), -1);
    EXPECT_EQ(messages.shown, (std::vector<DialogMessage>{{"The script file does not exist or is in use by another application",
                                                           "File I/O Error", MessageIcon::stop}}));
    EXPECT_EQ(read_script(scratch(), list, messages), -1);  // a folder is no script
    EXPECT_EQ(list.entries(), std::vector<ScriptEntry>{old_entry});
}

TEST_F(ScriptFileTest, NameIsTheTrimmedRestOfTheLine)
{
    EXPECT_EQ(read("MARROWICKSCRIPTv1.0\r\n2\r\n5 2   tex 01.bmp  \r\n  7\t3\tlast.bmp"), 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(list.entries(), (std::vector<ScriptEntry>{{5, 2, "tex 01.bmp"}, {7, 3, "last.bmp"}}));
}

TEST_F(ScriptFileTest, StoppingLinesKeepWhatWasReadBefore)
{
    struct Case {
        std::string name;
        std::string third_line;
        std::string message;
    };
    const Case cases[] = {
        {"file 0", "0 1 c.bmp", "File number should be greater than 0"},
        {"file -4", "-4 1 c.bmp", "File number should be greater than 0"},
        {"negative item", "3 -1 c.bmp", "Negative item number"},
        {"not a number", "3 x c.bmp", "An error occured while reading the script file"},
        {"number too large", "3 99999999999 c.bmp", "An error occured while reading the script file"},
        {"name of 256 characters", "3 1 " + std::string(256, 'n'), "An error occured while reading the script file"},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        EXPECT_EQ(read("MARROWICKSCRIPTv1.0\r\n4\r\n1 0 a.bmp\r\n2 0 b.bmp\r\n" + c.third_line + "\r\n4 0 d.bmp\r\n"), -1)
            << c.name;
        ASSERT_EQ(messages.shown.size(), 1u) << c.name;
        EXPECT_EQ(messages.shown[0].text, c.message) << c.name;
        EXPECT_EQ(list.entries(), (std::vector<ScriptEntry>{{1, 0, "a.bmp"}, {2, 0, "b.bmp"}})) << c.name;
    }
    messages.shown.clear();
    // 255 characters, as the writer puts them after the item number and a blank.
    EXPECT_EQ(read("MARROWICKSCRIPTv1.0\r\n1\r\n3 1 " + std::string(255, 'n') + "\r\n"), 0);
    EXPECT_EQ(list.entries(), (std::vector<ScriptEntry>{{3, 1, std::string(255, 'n')}}));
}

TEST_F(ScriptFileTest, DuplicatesAndNamelessLinesAreReportedAndSkipped)
{
    EXPECT_EQ(read("MARROWICKSCRIPTv1.0\r\n5\r\n3 0 first.bmp\r\n4 0    \r\n3 0 second.bmp\r\n9 9\r\n12 0 z.bmp\r\n"), -1);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{
                                    "The script entry for file 4, item 0 has no file name",
                                    "A script entry with the file & item numbers you sepcified already exists",
                                    "The script entry for file 9, item 9 has no file name",
                                }));
    EXPECT_EQ(messages.shown[0].caption, "Invalid File Data");
    EXPECT_EQ(list.entries(), (std::vector<ScriptEntry>{{3, 0, "first.bmp"}, {12, 0, "z.bmp"}}));
}

TEST_F(ScriptFileTest, NamelessLastLineWithoutLineEnd)
{
    EXPECT_EQ(read("MARROWICKSCRIPTv1.0\r\n2\r\n3 0 a.bmp\r\n4 1"), -1);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"The script entry for file 4, item 1 has no file name"});
    EXPECT_EQ(list.entries(), (std::vector<ScriptEntry>{{3, 0, "a.bmp"}}));
}

TEST_F(ScriptFileTest, HugeCountEndsAtTheLastLine)
{
    EXPECT_EQ(read("MARROWICKSCRIPTv1.0\r\n2000000000\r\n3 0 a.bmp\r\n"), -1);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"An error occured while reading the script file"});
    EXPECT_EQ(list.entries(), (std::vector<ScriptEntry>{{3, 0, "a.bmp"}}));
}

TEST_F(ScriptFileTest, WrittenInListOrderWithPlainNumbersAndCrLf)
{
    ScriptList out;
    ASSERT_EQ(out.add({12, 3, "tex 01.bmp"}), 0);
    ASSERT_EQ(out.add({9, 0, "b.wav"}), 0);
    ASSERT_EQ(write_script(scratch() / "w.mws", out, messages), 0);
    EXPECT_EQ(read_text(scratch() / "w.mws"), "MARROWICKSCRIPTv1.0\r\n2\r\n9 0 b.wav\r\n12 3 tex 01.bmp\r\n");
    ASSERT_EQ(read_script(scratch() / "w.mws", list, messages), 0);
    EXPECT_EQ(list.entries(), out.entries());
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_EQ(write_script(scratch() / "e.mws", ScriptList(), messages), -1);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"The script has no entries"});
    EXPECT_FALSE(std::filesystem::exists(scratch() / "e.mws"));
}

}  // namespace
}  // namespace mw::test
