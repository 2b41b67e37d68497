#include <gtest/gtest.h>

#include <cstring>

#include "archive/res_archive.h"
#include "archive/tree_text.h"
#include "support/res_builder.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

class ResArchiveTest : public WorkspaceFixture {
protected:
    std::filesystem::path write(const ResBuilder& builder, const std::string& name = "x.res")
    {
        const auto path = scratch() / name;
        builder.write(path);
        return path;
    }
    static Bytes bytes(std::size_t n, std::uint8_t value = 0xAB) { return Bytes(n, value); }
    // A compressed-looking stream: a DCL header and some bytes.
    static Bytes stream(std::uint16_t header, std::size_t n)
    {
        Bytes s(n, 0x11);
        put_u16(s.data(), header);
        return s;
    }
};

TEST_F(ResArchiveTest, MagicIsCheckedAndTheRestOfTheHeaderIsNot)
{
    ResArchive archive;
    EXPECT_EQ(archive.open(write(ResBuilder().header_filler(0x5A).raw(1, bytes(4)))), 0);
    EXPECT_EQ(archive.entry_count(), 1);

    Bytes changed = ResBuilder().raw(1, bytes(4)).build();
    changed[3] = 'r';
    write_bytes(scratch() / "bad.res", changed);
    ResArchive other;
    EXPECT_EQ(other.open(scratch() / "bad.res"), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"This file is not a Cloudmere .res file"});
}

TEST_F(ResArchiveTest, MissingFileAndShortFile)
{
    ResArchive archive;
    EXPECT_EQ(archive.open(scratch() / "none.res"), -1);
    write_bytes(scratch() / "short.res", Bytes{'V', 'M'});
    EXPECT_EQ(archive.open(scratch() / "short.res"), -1);
    EXPECT_EQ(errors(), (std::vector<std::string>{"Error#1305: Failed to open .res file\n  " +
                                                      (scratch() / "none.res").string() + ": No such file or directory",
                                                  "This file is not a Cloudmere .res file"}));
}

TEST_F(ResArchiveTest, EmptyArchiveListsNothing)
{
    ResArchive archive;
    ASSERT_EQ(archive.open(write(ResBuilder())), 0);
    EXPECT_EQ(archive.entry_count(), 0);
    EXPECT_EQ(archive.entry(0), nullptr);
    EXPECT_TRUE(errors().empty());
}

TEST_F(ResArchiveTest, DataOffsetsFollowPaddingToFour)
{
    ResArchive archive;
    ASSERT_EQ(archive.open(write(ResBuilder().raw(1, bytes(5)).raw(2, bytes(8)).raw(3, bytes(70001)))), 0);
    EXPECT_EQ(archive.entry(0)->data_offset, 128u);
    EXPECT_EQ(archive.entry(1)->data_offset, 136u);  // 5 bytes + 3 padding
    EXPECT_EQ(archive.entry(2)->data_offset, 144u);  // 8 bytes, no padding
    EXPECT_EQ(archive.entry(2)->stored_length, 70001u);  // lengths have 24 bits
    EXPECT_EQ(archive.entry(2)->uncompressed_length, 70001u);
    EXPECT_EQ(archive.index_offset(), 144u + 70004u);
    EXPECT_EQ(archive.first_data_offset(), 128u);
}

TEST_F(ResArchiveTest, RawEntryIsNeverCompoundEvenWhenItLooksLikeADirectory)
{
    Bytes looks_like_directory = ResBuilder::directory({10, 12, 14});
    looks_like_directory.resize(14, 0);
    ResArchive archive;
    ASSERT_EQ(archive.open(write(ResBuilder().raw(7, looks_like_directory))), 0);
    const ResEntry& entry = *archive.entry(0);
    EXPECT_FALSE(entry.is_compressed());
    EXPECT_FALSE(entry.is_compound());
    EXPECT_EQ(entry.item_count, 0);
    EXPECT_EQ(entry.dcl_option, "");
}

TEST_F(ResArchiveTest, PlainStreamsGetTheirDclOption)
{
    ResArchive archive;
    ASSERT_EQ(archive.open(write(ResBuilder()
                                     .stored(1, stream(0x0400, 10), 50)
                                     .stored(2, stream(0x0500, 10), 50)
                                     .stored(3, stream(0x0600, 10), 50))),
              0);
    EXPECT_EQ(archive.entry(0)->dcl_option, " -1 ");
    EXPECT_EQ(archive.entry(1)->dcl_option, " -2 ");
    EXPECT_EQ(archive.entry(2)->dcl_option, " -4 ");
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(archive.entry(i)->is_compound());
}

TEST_F(ResArchiveTest, CompoundEntryReadsItsDirectory)
{
    // 3 items: O[0] = 2 + 4*4 = 18.
    ResArchive archive;
    ASSERT_EQ(archive.open(write(ResBuilder().compound(300, {18, 28, 30, 60}, stream(0x0600, 9), 42))), 0);
    const ResEntry& entry = *archive.entry(0);
    EXPECT_TRUE(entry.is_compound());
    EXPECT_FALSE(entry.damaged);
    EXPECT_EQ(entry.item_count, 3);
    EXPECT_EQ(entry.directory_size(), 18u);
    EXPECT_EQ(entry.directory_block, ResBuilder::directory({18, 28, 30, 60}));
    EXPECT_EQ(entry.dcl_option, " -4 ");
    EXPECT_EQ(entry.uncompressed_length, 60u);
    EXPECT_EQ(file_node_text(entry), "File 1 (42 bytes)");
    EXPECT_EQ(item_node_text(entry, 1), "Item 1 (10 bytes)");
    EXPECT_EQ(item_node_text(entry, 2), "Item 2 (2 bytes)");
    EXPECT_EQ(item_node_text(entry, 3), "Item 3 (30 bytes)");
}

TEST_F(ResArchiveTest, CompoundWithUnknownStreamHeaderHasEmptyOption)
{
    ResArchive archive;
    ASSERT_EQ(archive.open(write(ResBuilder().compound(1, {10, 20}, stream(0x0700, 6), 10))), 0);
    EXPECT_TRUE(archive.entry(0)->is_compound());
    EXPECT_EQ(archive.entry(0)->dcl_option, "");
}

// 1024, 1280 and 1536 items make the count read as a stream header.
TEST_F(ResArchiveTest, ItemCountsThatLookLikeStreamHeadersAreTakenAsPlainStreams)
{
    for (std::uint16_t n : {1024, 1280, 1536}) {
        std::vector<std::uint32_t> offsets(n + 1);
        const std::uint32_t dir = 2 + 4 * (n + 1);
        for (std::uint32_t k = 0; k <= n; ++k) offsets[k] = dir + k;
        ResArchive archive;
        ASSERT_EQ(archive.open(write(ResBuilder().compound(1, offsets, stream(0x0600, 8), n))), 0);
        const ResEntry& entry = *archive.entry(0);
        EXPECT_FALSE(entry.is_compound()) << n;
        EXPECT_EQ(entry.dcl_option, dcl_option_of_header(n)) << n;
    }
}

TEST_F(ResArchiveTest, ExtractionNamesAndTitles)
{
    ResBuilder builder;
    for (int i = 0; i < 1000; ++i) builder.raw(i == 122 || i == 999 ? 7 : 1, bytes(1));
    ResArchive archive;
    ASSERT_EQ(archive.open(write(builder, "x.res")), 0);
    EXPECT_EQ(archive.entry(0)->extraction_name, "x_001_1");
    EXPECT_EQ(archive.entry(122)->extraction_name, "x_123_7");
    EXPECT_EQ(archive.entry(999)->extraction_name, "x_1000_7");
    EXPECT_EQ(archive.find(7), 122);
    EXPECT_EQ(archive.find(8), -1);

    EXPECT_EQ(archive_title_of("/a/b/sound.v2.res"), "sound.v2");
    EXPECT_EQ(archive_title_of("C:\\games\\sound.res"), "sound");
    EXPECT_EQ(archive_title_of("/a/b/noext"), "noext");
    EXPECT_EQ(archive_title_of("/a.b/noext"), "noext");
}

TEST_F(ResArchiveTest, ClearForgetsEverything)
{
    ResArchive archive;
    ASSERT_EQ(archive.open(write(ResBuilder().raw(1, bytes(4)))), 0);
    archive.clear();
    EXPECT_FALSE(archive.is_open());
    EXPECT_EQ(archive.entry_count(), 0);
    EXPECT_EQ(archive.path(), "");
    EXPECT_EQ(archive.title(), "");
    EXPECT_EQ(archive.index_offset(), 0u);
}

TEST_F(ResArchiveTest, CopiedEntryKeepsFieldsButNotTheConvertedPath)
{
    ResArchive archive;
    ASSERT_EQ(archive.open(write(ResBuilder().compound(300, {10, 14, 20}, stream(0x0500, 6), 10))), 0);
    ResEntry& entry = *archive.entry(0);
    entry.converted_path = "/tmp/something.bmp";
    const ResEntry copy = entry;
    EXPECT_EQ(copy.item_offsets, entry.item_offsets);
    EXPECT_EQ(copy.directory_block, entry.directory_block);
    EXPECT_EQ(copy.extraction_name, entry.extraction_name);
    EXPECT_TRUE(copy.converted_path.empty());
}

// Hostile archives: the index must lie in the file; entries that do not fit are damaged.
TEST_F(ResArchiveTest, IndexOutsideTheFileFailsTheOpen)
{
    Bytes data = ResBuilder().raw(1, bytes(4)).build();
    put_u32(&data[124], 0x7FFFFFF0);
    write_bytes(scratch() / "a.res", data);

    Bytes many = ResBuilder().raw(1, bytes(4)).build();
    put_u16(&many[get_u32(&many[124])], 60000);  // 60000 entries claimed, one present
    write_bytes(scratch() / "b.res", many);

    Bytes header_only(100, 0);
    std::memcpy(header_only.data(), "VM Res File v2", 14);
    write_bytes(scratch() / "c.res", header_only);

    for (const char* name : {"a.res", "b.res", "c.res"}) {
        ResArchive archive;
        EXPECT_EQ(archive.open(scratch() / name), -1) << name;
    }
    EXPECT_EQ(errors(), std::vector<std::string>(3, "Error#1058: Error locating .res file index"));
}

TEST_F(ResArchiveTest, DamagedEntriesAreListedWithoutItems)
{
    ResBuilder builder;
    builder.compound(2, {40, 50}, stream(0x0600, 8), 10);                       // O[0] larger than the stored length
    builder.compound(3, {18, 20, 22, 24}, stream(0x0600, 8), 6).raw(9, bytes(1));  // fine, for contrast
    Bytes wrong_size = ResBuilder::directory({14, 16});                          // O[0] is not 2 + 4*2
    wrong_size.resize(20, 0);
    put_u16(&wrong_size[14], 0x0600);
    builder.stored(4, wrong_size, 30);
    builder.compound(5, {14, 20, 16}, stream(0x0600, 8), 6);                    // offsets decrease
    builder.compound(6, {14, 16, 500}, stream(0x0600, 8), 6);                   // past the uncompressed length
    builder.stored(7, Bytes{0x09}, 40);                                          // too short for a stream header
    builder.entry({1, bytes(4), 4, 5000});                                      // data past the end of the file
    ResArchive archive;
    ASSERT_EQ(archive.open(write(builder)), 0);
    EXPECT_TRUE(errors().empty());
    for (int i : {0, 3, 4, 5, 6, 7}) {
        const ResEntry& entry = *archive.entry(i);
        EXPECT_TRUE(entry.damaged) << "entry " << i;
        EXPECT_EQ(entry.item_count, 0) << "entry " << i;
        EXPECT_EQ(entry.directory_size(), 0u) << "entry " << i;
    }
    EXPECT_FALSE(archive.entry(1)->damaged);
    EXPECT_EQ(archive.entry(1)->item_count, 3);
    EXPECT_FALSE(archive.entry(2)->damaged);
}

}  // namespace
}  // namespace mw::test
