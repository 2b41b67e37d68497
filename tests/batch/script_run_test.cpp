#include <gtest/gtest.h>

#include "batch/recorders.h"
#include "batch/script_file.h"
#include "batch/script_run.h"
#include "document/marrowick_doc.h"
#include "document/recording_views.h"
#include "support/res_builder.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

class ScriptRunTest : public WorkspaceFixture {
protected:
    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        views.doc = &doc;
        std::filesystem::create_directories(folder);
    }

    // Writes and opens `builder` as the archive.
    void open(const ResBuilder& builder)
    {
        builder.write(archive);
        ASSERT_EQ(doc.open_archive(archive), 0);
        views.log.clear();
        original = read_bytes(archive);
    }

    // A script file in the script folder.
    void source(const std::string& name, const Bytes& data) { write_bytes(folder / name, data); }

    ScriptOutcome run(const std::vector<ScriptEntry>& entries)
    {
        return ScriptRun(doc, views, status, messages).run(entries, folder);
    }

    bool tree_rebuilt() const { return std::count(views.log.begin(), views.log.end(), "fill_tree") == 1; }

    // Ten raw entries of distinct content.
    static ResBuilder ten_entries()
    {
        ResBuilder b;
        for (int i = 0; i < 10; ++i) b.raw(static_cast<std::uint16_t>(100 + i), counting(8 + i, static_cast<std::uint8_t>(i + 1)));
        return b;
    }

    std::filesystem::path archive = scratch() / "a.res";
    std::filesystem::path folder = scratch() / "script files";
    Bytes original;
    RecordingViews views;
    CMarrowickDoc doc{views};
    RecordingStatus status;
    RecordingMessenger messages;
};

TEST_F(ScriptRunTest, InvalidFileNumbersAreAllListedAndNothingIsImported)
{
    open(ten_entries());
    source("a.bin", counting(8, 50));
    source("b.bin", counting(9, 60));
    source("c.bin", counting(10, 70));
    EXPECT_EQ(run({{1, 0, "a.bin"}, {0, 0, "b.bin"}, {99, 0, "c.bin"}}), ScriptOutcome::failed);
    EXPECT_EQ(status.lines, (std::vector<std::string>{"ERROR: Invalid File Number (0)", "ERROR: Invalid File Number (99)",
                                                      "Import Failed"}));
    EXPECT_EQ(messages.shown, (std::vector<DialogMessage>{{"Import Failed", main_title, MessageIcon::stop}}));
    EXPECT_TRUE(status.progress.empty());
    EXPECT_EQ(read_bytes(archive), original);
    EXPECT_FALSE(tree_rebuilt());
    EXPECT_TRUE(errors().empty());
}

TEST_F(ScriptRunTest, EveryFailedCheckGivesItsLine)
{
    ResBuilder b = ten_entries();
    add_compound(b, 300, {counting(4, 1), counting(5, 2), counting(6, 3)});
    open(b);
    source("ok.bin", counting(5, 9));
    const auto missing = folder / "missing file.bmp";
    EXPECT_EQ(run({{11, 2, "ok.bin"}, {11, 4, "ok.bin"}, {3, 1, "ok.bin"}, {3, -1, "ok.bin"}, {12, 0, "missing file.bmp"},
                   {5, 0, ""}}),
              ScriptOutcome::failed);
    EXPECT_EQ(status.lines, (std::vector<std::string>{
                                "ERROR: Invalid Item Number (4) for File 11",
                                "ERROR: Invalid Item Number (1) for File 3",
                                "ERROR: Invalid Item Number (-1) for File 3",
                                "ERROR: Invalid File Number (12)",
                                "ERROR: File " + missing.string() + " does not exist or is in use by another application",
                                // An empty name names the folder itself, which is no file.
                                "ERROR: File " + folder.string() + "/ does not exist or is in use by another application",
                                "Import Failed",
                            }));
    EXPECT_EQ(read_bytes(archive), original);
}

TEST_F(ScriptRunTest, OneMissingFilePreventsTheWholeRun)
{
    open(ten_entries());
    source("a.bin", counting(8, 50));
    EXPECT_EQ(run({{1, 0, "a.bin"}, {2, 0, "gone.bin"}}), ScriptOutcome::failed);
    EXPECT_EQ(status.lines.front(),
              "ERROR: File " + (folder / "gone.bin").string() + " does not exist or is in use by another application");
    EXPECT_EQ(read_bytes(archive), original);
}

TEST_F(ScriptRunTest, ThreeEntriesMoveTheProgressInSteps0f16)
{
    open(ten_entries());
    source("a.bin", counting(3, 50));
    source("b.bin", counting(20, 60));
    source("c.bin", counting(9, 70));
    EXPECT_EQ(run({{2, 0, "a.bin"}, {10, 0, "b.bin"}, {5, 0, "c.bin"}}), ScriptOutcome::completed);
    EXPECT_EQ(status.progress, (std::vector<int>{16, 32, 48, 64, 80, 96, 100}));
    EXPECT_EQ(status.lines, (std::vector<std::string>{"Importing file a.bin", "Importing file b.bin", "Importing file c.bin",
                                                      "Import Completed"}));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(errors().empty());
    EXPECT_TRUE(tree_rebuilt());
    EXPECT_EQ(views.log.front(), "stop_sound");
    EXPECT_EQ(workspace().last_import_dir(), folder.string());
    // The document holds the new archive.
    ASSERT_TRUE(doc.archive().is_open());
    EXPECT_EQ(doc.archive().entry(1)->stored_length, 3u);
    EXPECT_EQ(doc.archive().entry(9)->stored_length, 20u);
    EXPECT_EQ(doc.archive().entry(4)->stored_length, 9u);
}

TEST_F(ScriptRunTest, StopBeforeAnyImportChangesNothing)
{
    struct Case {
        const char* name;
        int checks_before_stop;
        std::vector<int> progress;
    };
    const Case cases[] = {
        {"before the first entry", 0, {}},
        {"after the first extraction", 1, {25}},
    };
    for (const Case& c : cases) {
        open(ten_entries());
        source("a.bin", counting(3, 50));
        source("b.bin", counting(4, 60));
        status = RecordingStatus();
        status.stop_after_checks = c.checks_before_stop;
        EXPECT_EQ(run({{1, 0, "a.bin"}, {2, 0, "b.bin"}}), ScriptOutcome::aborted) << c.name;
        EXPECT_EQ(status.lines.back(), "Import aborted by user") << c.name;
        EXPECT_EQ(status.progress, c.progress) << c.name;
        EXPECT_EQ(read_bytes(archive), original) << c.name;
        EXPECT_FALSE(tree_rebuilt()) << c.name;
        EXPECT_TRUE(messages.shown.empty()) << c.name;
    }
}

TEST_F(ScriptRunTest, StopAfterAnImportSaysAbortedAndShowsWhatWasImported)
{
    open(ten_entries());
    source("a.bin", counting(3, 50));
    source("b.bin", counting(4, 60));
    status.stop_after_checks = 2;  // before the second entry
    EXPECT_EQ(run({{1, 0, "a.bin"}, {2, 0, "b.bin"}}), ScriptOutcome::aborted);
    EXPECT_EQ(status.lines, (std::vector<std::string>{"Importing file a.bin", "Import aborted by user"}));
    EXPECT_EQ(status.progress, (std::vector<int>{25, 50}));
    EXPECT_TRUE(tree_rebuilt());
    ResBuilder expected = ResBuilder().raw(100, counting(3, 50));
    for (int i = 1; i < 10; ++i) expected.raw(static_cast<std::uint16_t>(100 + i), counting(8 + i, static_cast<std::uint8_t>(i + 1)));
    EXPECT_EQ(read_bytes(archive), expected.build());
}

TEST_F(ScriptRunTest, StopAfterTheLastImportIsNoAbort)
{
    open(ten_entries());
    source("a.bin", counting(3, 50));
    status.stop_after_checks = 2;  // asked only once nothing is left to stop
    EXPECT_EQ(run({{1, 0, "a.bin"}}), ScriptOutcome::completed);
    EXPECT_EQ(status.lines.back(), "Import Completed");
}

TEST_F(ScriptRunTest, EmptyListChangesNothing)
{
    open(ten_entries());
    EXPECT_EQ(run({}), ScriptOutcome::empty);
    EXPECT_EQ(status.lines, std::vector<std::string>{"The script has no entries"});
    EXPECT_TRUE(status.progress.empty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(tree_rebuilt());
    EXPECT_EQ(read_bytes(archive), original);
}

TEST_F(ScriptRunTest, NothingHappensWithoutAnArchive)
{
    source("a.bin", counting(3, 50));
    EXPECT_EQ(run({{1, 0, "a.bin"}}), ScriptOutcome::not_run);
    EXPECT_TRUE(status.lines.empty());
    EXPECT_TRUE(views.log.empty());
}

TEST_F(ScriptRunTest, FailedExtractionAfterAnImportFailsTheRun)
{
    ResBuilder b = ten_entries();
    b.stored(200, {0x00, 0x06, 0x12}, 100);  // a stream cut short: file 11 cannot be extracted
    open(b);
    source("a.bin", counting(3, 50));
    source("b.bin", counting(4, 60));
    EXPECT_EQ(run({{1, 0, "a.bin"}, {11, 0, "b.bin"}}), ScriptOutcome::failed);
    EXPECT_EQ(status.lines, (std::vector<std::string>{"Importing file a.bin", "Importing file b.bin", "Import Failed"}));
    EXPECT_EQ(messages.shown, (std::vector<DialogMessage>{
                                  {"ERROR: Error exporting original file", main_title, MessageIcon::information},
                                  {"Import Failed", main_title, MessageIcon::stop},
                              }));
    ASSERT_EQ(errors().size(), 1u);  // the extraction's own message
    // The first import stays, and the tree shows it.
    EXPECT_TRUE(tree_rebuilt());
    EXPECT_EQ(doc.archive().entry(0)->stored_length, 3u);
}

TEST_F(ScriptRunTest, FailedImportStopsTheRun)
{
    ResBuilder b = ten_entries();
    add_compound(b, 300, {counting(4, 1), counting(5, 2)});
    open(b);
    source("short.bin", counting(4, 9));
    source("c.bin", counting(3, 9));
    EXPECT_EQ(run({{11, 2, "short.bin"}, {1, 0, "c.bin"}}), ScriptOutcome::failed);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error: imported file size differs from original file size"});
    EXPECT_EQ(status.lines, (std::vector<std::string>{"Importing file short.bin", "Import Failed"}));
    EXPECT_EQ(read_bytes(archive), original);
    EXPECT_FALSE(tree_rebuilt());
}

// The whole data part of a compound entry, too short for its items, fails
// at its own line: the line before stays imported.
TEST_F(ScriptRunTest, WholeCompoundTooShortForItsItemsKeepsTheLinesBefore)
{
    ResBuilder b = ten_entries();
    add_compound(b, 300, {counting(4, 1), counting(5, 2)});
    open(b);
    source("c.bin", counting(3, 9));
    source("short.bin", counting(8, 9));  // the items need 4 + 5 bytes
    EXPECT_EQ(run({{1, 0, "c.bin"}, {11, 0, "short.bin"}, {2, 0, "c.bin"}}), ScriptOutcome::failed);
    EXPECT_EQ(errors(), std::vector<std::string>{
                            "Error#1173: The new data is shorter than the items of File 11 need - File 11 is left as it was"});
    EXPECT_EQ(status.lines,
              (std::vector<std::string>{"Importing file c.bin", "Importing file short.bin", "Import Failed"}));
    ResBuilder expected;
    expected.raw(100, counting(3, 9));
    for (int i = 1; i < 10; ++i) expected.raw(static_cast<std::uint16_t>(100 + i), counting(8 + i, static_cast<std::uint8_t>(i + 1)));
    add_compound(expected, 300, {counting(4, 1), counting(5, 2)});
    EXPECT_EQ(read_bytes(archive), expected.build());
}

// An 8-bit image item: header, then H rows of W palette indices.
Bytes image_item(std::uint16_t width, std::uint16_t height, std::uint8_t first)
{
    ByteWriter out;
    out.u32(0);
    out.u16(2);  // 8-bit
    out.u16(0);
    out.u16(width);
    out.u16(height);
    out.u16(width);
    out.u8(2);   // floor(log2 4)
    out.u8(1);   // floor(log2 2)
    for (int i = 0; i < width * height; ++i) out.u8(static_cast<std::uint8_t>(first + i));
    return out.take();
}

TEST_F(ScriptRunTest, ImageIntoAnItemNeverDisplayed)
{
    ResBuilder b;
    add_compound(b, 1971, {filled(40, 1), image_item(4, 2, 100)}, 2048);
    b.write(archive);
    {
        // A bitmap of the item, made by another session.
        RecordingViews probe_views;
        CMarrowickDoc probe(probe_views);
        ASSERT_EQ(probe.open_archive(archive), 0);
        probe.select(1, 2);
        ASSERT_EQ(probe.export_converted(folder / "pic.bmp"), 0) << ::testing::PrintToString(errors());
    }
    Bytes bmp = read_bytes(folder / "pic.bmp");
    const std::uint32_t pixels = get_u32(&bmp[10]);
    ASSERT_EQ(bmp.size(), pixels + 8u);
    for (std::uint8_t i = 0; i < 8; ++i) bmp[pixels + i] = static_cast<std::uint8_t>(10 + i);  // bottom row first
    write_bytes(folder / "pic.bmp", bmp);

    open(b);  // a fresh document: the item's handler has never read its header
    EXPECT_EQ(run({{1, 2, "pic.bmp"}}), ScriptOutcome::completed) << ::testing::PrintToString(errors());
    Bytes item = image_item(4, 2, 0);
    const Bytes rows = {14, 15, 16, 17, 10, 11, 12, 13};
    std::copy(rows.begin(), rows.end(), item.end() - 8);
    ResBuilder expected;
    add_compound(expected, 1971, {filled(40, 1), item}, 2048);
    EXPECT_EQ(read_bytes(archive), expected.build());
}

// An 8-bit BMP of `width` x `height` with an empty palette and `rows` (top row first) as its pixels.
Bytes bmp_8bit(std::int32_t width, std::int32_t height, const Bytes& rows)
{
    const std::uint32_t pixels_at = 14 + 40 + 256 * 4;
    ByteWriter out;
    out.u8('B');
    out.u8('M');
    out.u32(pixels_at + static_cast<std::uint32_t>(rows.size()));
    out.u32(0);
    out.u32(pixels_at);
    out.u32(40);
    out.u32(static_cast<std::uint32_t>(width));
    out.u32(static_cast<std::uint32_t>(height));
    out.u16(1);
    out.u16(8);
    out.u32(0);
    out.u32(static_cast<std::uint32_t>(rows.size()));
    out.u32(0);
    out.u32(0);
    out.u32(256);
    out.u32(0);
    for (int i = 0; i < 256 * 4; ++i) out.u8(0);
    Bytes bmp = out.take();
    for (std::int32_t r = height - 1; r >= 0; --r)  // bottom row first; widths here need no row padding
        bmp.insert(bmp.end(), rows.begin() + r * width, rows.begin() + (r + 1) * width);
    return bmp;
}

// A later line that fails at the entry size limit ends the run there, also
// when a line after it would shrink the entry again: the line before it
// stays imported, as importing the lines one by one leaves it.
TEST_F(ScriptRunTest, LaterLineTooLargeKeepsTheLinesBefore)
{
    ResBuilder before;
    for (std::uint8_t i = 0; i < 3; ++i) before.raw(static_cast<std::uint16_t>(500 + i), test::image_item(8, 4, i + 1));
    Bytes first = test::image_item(8, 4, 1);
    first[16 + 8 + 2] = 0xEE;  // row 1, column 2
    source("a2.bmp", bmp_8bit(8, 4, Bytes(first.begin() + 16, first.end())));
    // An item of 16 + 4096 x 4096 = 16,777,232 bytes: more than the 16,777,215 an entry holds.
    source("big.bmp", bmp_8bit(4096, 4096, Bytes(4096 * 4096, 0)));
    ResBuilder after;
    after.raw(500, first);
    after.raw(501, test::image_item(8, 4, 2));
    after.raw(502, test::image_item(8, 4, 3));

    struct Case {
        const char* name;
        std::vector<ScriptEntry> script;
        std::vector<int> progress;  // short of 100: the run failed
    };
    const Case cases[] = {
        {"too large at its last line", {{1, 0, "a2.bmp"}, {2, 0, "big.bmp"}}, {25, 50, 75}},
        {"too large before a smaller line", {{1, 0, "a2.bmp"}, {2, 0, "big.bmp"}, {2, 0, "a2.bmp"}}, {16, 32, 48}},
    };
    for (const Case& c : cases) {
        clear_messages();
        status = RecordingStatus();
        open(before);
        EXPECT_EQ(run(c.script), ScriptOutcome::failed) << c.name;
        EXPECT_EQ(errors(), std::vector<std::string>{
                                "Error#1112: The new data is larger than a .res file entry can hold (16,777,215 bytes)"})
            << c.name;
        EXPECT_EQ(status.lines, (std::vector<std::string>{"Importing file a2.bmp", "Importing file big.bmp", "Import Failed"}))
            << c.name;
        EXPECT_EQ(status.progress, c.progress) << c.name;
        EXPECT_TRUE(tree_rebuilt()) << c.name;
        EXPECT_EQ(read_bytes(archive), after.build()) << c.name;
    }
}

// Every kind of entry, each replaced in its own way, leaves exactly the archive built from the new contents.
TEST_F(ScriptRunTest, DozenEntriesOfEveryKind)
{
    const Bytes riff = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};
    const Bytes new_riff = {'R', 'I', 'F', 'F', 8, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 1};
    ResBuilder before;
    before.raw(100, counting(10, 1));                                          // 1 untouched
    before.raw(101, counting(13, 2));                                          // 2 grows
    add_compressed(before, 102, counting(40, 3), 1024);                        // 3
    add_compressed(before, 103, counting(50, 4), 2048);                        // 4
    add_compressed(before, 104, counting(300, 5), 4096);                       // 5 untouched
    add_compressed(before, 105, filled(100, 9), 4096);                         // 6
    add_compound(before, 300, {counting(10, 1), counting(20, 2), counting(30, 3)}, 1024);  // 7 item 2
    add_compound(before, 301, {counting(5, 4), counting(6, 5)}, 2048);         // 8 items 1 and 2
    add_compound(before, 302, {counting(12, 6), counting(13, 7), counting(14, 8)}, 4096);  // 9 as a whole
    before.raw(26001, riff);                                                    // 10 sound
    before.raw(106, counting(7, 11));                                          // 11 untouched
    before.raw(107, counting(21, 9));                                          // 12 shrinks
    open(before);

    source("f2.bin", counting(30, 50));
    source("f3.bin", counting(45, 60));
    source("f4.bin", counting(20, 70));
    source("f6.bin", counting(333, 80));
    source("f7i2.bin", counting(20, 90));
    source("f8i1.bin", counting(5, 100));
    source("f8i2.bin", counting(6, 110));
    source("f9.bin", counting(39, 120));
    source("f10.wav", new_riff);
    source("f12.bin", counting(5, 99));
    // Listed out of order, as a hand-written script would be; the list sorts them.
    write_text(scratch() / "s.mws",
               "MARROWICKSCRIPTv1.0\r\n10\r\n12 0 f12.bin\r\n3 0 f3.bin\r\n7 2 f7i2.bin\r\n2 0 f2.bin\r\n"
               "8 2 f8i2.bin\r\n8 1 f8i1.bin\r\n4 0 f4.bin\r\n6 0 f6.bin\r\n9 0 f9.bin\r\n10 0 f10.wav\r\n");
    ScriptList list;
    ASSERT_EQ(read_script(scratch() / "s.mws", list, messages), 0);
    EXPECT_EQ(run(list.entries()), ScriptOutcome::completed) << ::testing::PrintToString(errors());
    EXPECT_EQ(status.progress.back(), 100);
    EXPECT_EQ(status.progress[0], 5);

    ResBuilder after;
    after.raw(100, counting(10, 1));
    after.raw(101, counting(30, 50));
    add_compressed(after, 102, counting(45, 60), 1024);
    add_compressed(after, 103, counting(20, 70), 2048);
    add_compressed(after, 104, counting(300, 5), 4096);
    add_compressed(after, 105, counting(333, 80), 4096);
    add_compound(after, 300, {counting(10, 1), counting(20, 90), counting(30, 3)}, 1024);
    add_compound(after, 301, {counting(5, 100), counting(6, 110)}, 2048);
    const Bytes whole = counting(39, 120);
    add_compound(after, 302, {Bytes(whole.begin(), whole.begin() + 12), Bytes(whole.begin() + 12, whole.begin() + 25),
                              Bytes(whole.begin() + 25, whole.end())},
                 4096);
    after.raw(26001, new_riff);
    after.raw(106, counting(7, 11));
    after.raw(107, counting(5, 99));
    EXPECT_EQ(read_bytes(archive), after.build());
    EXPECT_TRUE(errors().empty());
    // The archive read some files as they are: they stay the user's.
    EXPECT_EQ(read_bytes(folder / "f2.bin"), counting(30, 50));
    EXPECT_EQ(read_bytes(folder / "f10.wav"), new_riff);
}

// A script file named like the new archive's temporary file, beside the
// archive, is read into it, not overwritten by it.
TEST_F(ScriptRunTest, ScriptFileNamedTempResBesideTheArchive)
{
    open(ten_entries());
    const Bytes data = counting(24, 7);
    write_bytes(archive.parent_path() / "temp.res", data);
    EXPECT_EQ(ScriptRun(doc, views, status, messages).run({{3, 0, "temp.res"}}, archive.parent_path()),
              ScriptOutcome::completed)
        << ::testing::PrintToString(errors());
    EXPECT_EQ(read_bytes(archive.parent_path() / "temp.res"), data);
    ASSERT_EQ(doc.archive().extract(2, 0, {}, ResEntry::to_temp, false), 0);
    EXPECT_EQ(read_bytes(doc.archive().entry(2)->raw_file_path()), data);
}

}  // namespace
}  // namespace mw::test

namespace mw::test {
namespace {

// The one new archive is the archive that importing the entries one by one
// gives, also where entries build on each other: a whole compound entry and
// then one of its items, an item replaced twice, a plain entry replaced twice.
TEST_F(ScriptRunTest, OneWriteGivesTheArchiveOfImportsOneByOne)
{
    ResBuilder b;
    add_compound(b, 300, {counting(10, 1), counting(20, 2), counting(30, 3)}, 1024);
    add_compressed(b, 301, counting(50, 4), 2048);
    b.raw(302, counting(9, 5));
    const std::vector<ScriptEntry> entries = {{1, 0, "whole.bin"}, {1, 2, "item.bin"}, {1, 2, "item2.bin"},
                                              {2, 0, "a.bin"},     {2, 0, "b.bin"},    {3, 0, "c.bin"}};
    source("whole.bin", counting(60, 40));
    source("item.bin", counting(20, 50));
    source("item2.bin", counting(20, 60));
    source("a.bin", counting(70, 70));
    source("b.bin", counting(80, 80));
    source("c.bin", counting(11, 90));

    open(b);
    for (const ScriptEntry& entry : entries) {
        ASSERT_EQ(doc.archive().extract(entry.file - 1, entry.item, {}, ResEntry::to_temp, true), 0);
        ASSERT_EQ(doc.archive().rewrite(entry.file - 1, entry.item, folder / entry.name, true, {}), 0);
        ASSERT_EQ(doc.load_archive(archive), 0);
    }
    const Bytes one_by_one = read_bytes(archive);

    clear_messages();
    open(b);
    EXPECT_EQ(run(entries), ScriptOutcome::completed) << ::testing::PrintToString(errors());
    EXPECT_EQ(read_bytes(archive), one_by_one);
}

}  // namespace
}  // namespace mw::test
