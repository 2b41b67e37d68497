#include <gtest/gtest.h>

#include <fstream>

#include "archive/compression.h"
#include "archive/dcl/dcl.h"
#include "archive/res_archive.h"
#include "archive/zip_member.h"
#include "support/res_builder.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

Bytes pattern(std::size_t n, std::uint8_t seed)
{
    Bytes data(n);
    for (std::size_t i = 0; i < n; ++i) data[i] = static_cast<std::uint8_t>((i * 7 + seed) ^ (i >> 5));
    return data;
}

Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

class ExtractionTest : public WorkspaceFixture {
protected:
    // Entry 1 raw, 2..4 plain compressed (1024/2048/4096), 5 compound (ID 300,
    // three items), 6 raw; header filler and attribute bytes that are not 0.
    ResBuilder archive_with(const Bytes& first) const
    {
        const Bytes joined = concat({items[0], items[1], items[2]});
        const std::uint32_t dir = 2 + 4 * 4;
        const auto size = static_cast<std::uint32_t>(first.size());
        ResBuilder builder;
        builder.header_filler(0x3C).entry({10, first, size, size, 0x5A, 0xA5});
        builder.stored(11, dcl::implode(plain_data, 1024), 3000);
        builder.stored(12, dcl::implode(plain_data, 2048), 3000);
        builder.stored(13, dcl::implode(plain_data, 4096), 3000);
        builder.compound(300, {dir, dir + 100, dir + 350, dir + 414}, dcl::implode(joined, 2048),
                         static_cast<std::uint32_t>(joined.size()));
        builder.entry({14, pattern(9, 6), 9, 9, 0xC3, 0x81});
        return builder;
    }

    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        raw_data = pattern(37, 1);
        plain_data = pattern(3000, 2);
        items = {pattern(100, 3), pattern(250, 4), pattern(64, 5)};
        archive_path = scratch() / "x.res";
        archive_with(raw_data).write(archive_path);
        original = read_bytes(archive_path);
        ASSERT_EQ(archive.open(archive_path), 0);
    }

    void reopen()
    {
        archive.clear();
        ASSERT_EQ(archive.open(archive_path), 0);
    }

    ResArchive archive;
    std::filesystem::path archive_path;
    Bytes original, raw_data, plain_data;
    std::vector<Bytes> items;
};

TEST_F(ExtractionTest, ItemOfACompoundEntryLeavesRawAndItemFiles)
{
    ASSERT_EQ(archive.extract(4, 2, {}, ResEntry::to_temp, false), 0);
    EXPECT_EQ(read_bytes(temp_folder() / "mw3792_x_005_300."), concat({items[0], items[1], items[2]}));
    EXPECT_EQ(read_bytes(temp_folder() / "mw3792_x_005_300_item2."), items[1]);
    EXPECT_FALSE(std::filesystem::exists(temp_folder() / "mw3792_x_005_300.zip"));
    EXPECT_TRUE(errors().empty());
}

TEST_F(ExtractionTest, EveryKindExportsItsStoredForm)
{
    ASSERT_EQ(archive.extract(0, 0, scratch() / "a.out", ResEntry::to_file, false), 0);
    EXPECT_EQ(read_bytes(scratch() / "a.out"), raw_data);
    for (int i : {1, 2, 3}) {
        ASSERT_EQ(archive.extract(i, 0, scratch() / "p.out", ResEntry::to_file, false), 0);
        EXPECT_EQ(read_bytes(scratch() / "p.out"), plain_data) << i;
    }
    // Into a folder: the extraction name with a bare trailing dot.
    ASSERT_EQ(archive.extract(0, 0, scratch(), ResEntry::to_folder, false), 0);
    EXPECT_EQ(read_bytes(scratch() / "x_001_10."), raw_data);
    ASSERT_EQ(archive.extract(4, 3, scratch(), ResEntry::to_folder, false), 0);
    EXPECT_EQ(read_bytes(scratch() / "x_005_300_item3."), items[2]);
    // Converted: unknown data gets the "unknown" extension.
    ASSERT_EQ(archive.extract(5, 0, scratch(), ResEntry::to_folder, true), 0);
    EXPECT_TRUE(std::filesystem::exists(scratch() / "x_006_14.unknown"));
    EXPECT_EQ(archive.entry(5)->type_handler->type_name(), "Unknown");
}

TEST_F(ExtractionTest, IndexEqualToTheEntryCountIsRefused)
{
    EXPECT_EQ(archive.extract(6, 0, {}, ResEntry::to_temp, false), -1);
    write_bytes(scratch() / "new.bin", Bytes(4, 1));
    EXPECT_EQ(archive.rewrite(6, 0, scratch() / "new.bin", false, {}), -1);
    EXPECT_EQ(errors(), (std::vector<std::string>{"Error#1096: Invalid Item Index", "Error#1110: Invalid Item Index"}));
    EXPECT_FALSE(std::filesystem::exists(temp_folder() / "import.bin"));
    EXPECT_FALSE(std::filesystem::exists(scratch() / "temp.res"));
}

TEST_F(ExtractionTest, ItemNumbersOutsideTheEntryAreRefused)
{
    write_bytes(scratch() / "new.bin", Bytes(4, 1));
    EXPECT_EQ(archive.extract(4, 4, {}, ResEntry::to_temp, false), -1);
    EXPECT_EQ(archive.extract(0, 1, {}, ResEntry::to_temp, false), -1);  // a raw entry has no items
    EXPECT_EQ(archive.rewrite(4, -1, scratch() / "new.bin", false, {}), -1);
    EXPECT_EQ(errors(), std::vector<std::string>(3, "Error#1097: Invalid Item Number"));
    EXPECT_EQ(read_bytes(archive_path), original);
}

TEST_F(ExtractionTest, SecondConvertingExtractionDoesNotReadTheArchiveAgain)
{
    ASSERT_EQ(archive.extract(1, 0, {}, ResEntry::to_temp, true), 0);
    {
        // The entry's bytes are spoilt in place: a read of the archive would now see it.
        std::fstream file(archive_path, std::ios::binary | std::ios::in | std::ios::out);
        file.seekp(static_cast<std::streamoff>(archive.entry(1)->data_offset));
        const std::string junk(archive.entry(1)->stored_length, '\x5A');
        file.write(junk.data(), static_cast<std::streamsize>(junk.size()));
    }
    ASSERT_EQ(archive.extract(1, 0, scratch() / "again.out", ResEntry::to_file, true), 0);
    EXPECT_EQ(read_bytes(scratch() / "again.out"), plain_data);
}

TEST_F(ExtractionTest, RawEntryRoundTripChangesOnlyThatEntry)
{
    const Bytes replacement = pattern(40, 9);  // 37 -> 40 bytes: padded size 40 both times
    write_bytes(scratch() / "new.bin", replacement);
    ASSERT_EQ(archive.rewrite(0, 0, scratch() / "new.bin", false, {}), 0);
    EXPECT_FALSE(archive.is_open());
    EXPECT_FALSE(std::filesystem::exists(scratch() / "temp.res"));
    EXPECT_FALSE(std::filesystem::exists(temp_folder() / "import.bin"));
    reopen();
    EXPECT_EQ(archive.entry(0)->uncompressed_length, 40u);
    EXPECT_EQ(archive.entry(0)->stored_length, 40u);
    ASSERT_EQ(archive.extract(0, 0, scratch() / "back.out", ResEntry::to_file, false), 0);
    EXPECT_EQ(read_bytes(scratch() / "back.out"), replacement);
    // The archive as built with the new data: header filler, attribute bytes and the other entries kept.
    EXPECT_EQ(read_bytes(archive_path), archive_with(replacement).build());
}

TEST_F(ExtractionTest, CompressedEntriesKeepTheirDictionarySize)
{
    const Bytes replacement = pattern(5000, 11);
    write_bytes(scratch() / "new.bin", replacement);
    for (int i : {1, 2, 3}) {
        const std::string option = archive.entry(i)->dcl_option;
        ASSERT_EQ(archive.rewrite(i, 0, scratch() / "new.bin", false, {}), 0);
        reopen();
        EXPECT_EQ(archive.entry(i)->dcl_option, option);
        EXPECT_EQ(archive.entry(i)->uncompressed_length, 5000u);
        ASSERT_EQ(archive.extract(i, 0, scratch() / "back.out", ResEntry::to_file, false), 0);
        EXPECT_EQ(read_bytes(scratch() / "back.out"), replacement);
    }
    // Later entries are still intact.
    ASSERT_EQ(archive.extract(4, 1, scratch() / "item.out", ResEntry::to_file, false), 0);
    EXPECT_EQ(read_bytes(scratch() / "item.out"), items[0]);
    EXPECT_TRUE(errors().empty());
}

TEST_F(ExtractionTest, ItemReplacementKeepsTheDirectory)
{
    ASSERT_EQ(archive.extract(4, 2, {}, ResEntry::to_temp, false), 0);
    const Bytes directory = archive.entry(4)->directory_block;
    const Bytes replacement = pattern(250, 42);
    write_bytes(scratch() / "item.bin", replacement);
    ASSERT_EQ(archive.rewrite(4, 2, scratch() / "item.bin", false, {}), 0);
    reopen();
    EXPECT_EQ(archive.entry(4)->directory_block, directory);
    ASSERT_EQ(archive.extract(4, 0, scratch() / "all.out", ResEntry::to_file, false), 0);
    EXPECT_EQ(read_bytes(scratch() / "all.out"), concat({items[0], replacement, items[2]}));
    ASSERT_EQ(archive.extract(5, 0, scratch() / "last.out", ResEntry::to_file, false), 0);
    EXPECT_EQ(read_bytes(scratch() / "last.out"), pattern(9, 6));
}

TEST_F(ExtractionTest, DataTooShortForTheItemsIsRefusedAndTheArchiveUntouched)
{
    ASSERT_EQ(archive.extract(4, 2, {}, ResEntry::to_temp, false), 0);
    for (std::size_t size : {249u, 251u}) {
        write_bytes(scratch() / "item.bin", pattern(size, 1));
        EXPECT_EQ(archive.rewrite(4, 2, scratch() / "item.bin", false, {}), -1);
    }
    // The whole data part under the kept directory: its items need 100 + 250 + 64 bytes.
    write_bytes(scratch() / "all.bin", pattern(413, 1));
    EXPECT_EQ(archive.rewrite(4, 0, scratch() / "all.bin", false, {}), -1);
    std::vector<std::string> expected(2, "Error: imported file size differs from original file size");
    expected.push_back("Error#1173: The new data is shorter than the items of File 5 need - File 5 is left as it was");
    EXPECT_EQ(errors(), expected);
    EXPECT_EQ(read_bytes(archive_path), original);
    EXPECT_FALSE(std::filesystem::exists(scratch() / "temp.res"));
}

TEST_F(ExtractionTest, GrowingTheLastEntryMovesTheIndex)
{
    write_bytes(scratch() / "new.bin", pattern(12, 3));  // 9 -> 12 bytes: padded 12 -> 12
    ASSERT_EQ(archive.rewrite(5, 0, scratch() / "new.bin", false, {}), 0);
    reopen();
    EXPECT_EQ(archive.index_offset(), get_u32(&original[124]));
    write_bytes(scratch() / "new.bin", pattern(15, 3));  // padded 12 -> 16: the index moves by 4
    ASSERT_EQ(archive.rewrite(5, 0, scratch() / "new.bin", false, {}), 0);
    reopen();
    EXPECT_EQ(archive.index_offset(), get_u32(&original[124]) + 4);
    EXPECT_EQ(archive.entry(5)->stored_length, 15u);
    ASSERT_EQ(archive.extract(5, 0, scratch() / "back.out", ResEntry::to_file, false), 0);
    EXPECT_EQ(read_bytes(scratch() / "back.out"), pattern(15, 3));
}

TEST_F(ExtractionTest, HeaderFileReplacesTheDirectory)
{
    write_bytes(scratch() / "h.hdr", Bytes(10, 0xEE));
    write_bytes(scratch() / "d.bin", pattern(7, 1));
    ASSERT_EQ(archive.rewrite(0, 0, scratch() / "d.bin", false, scratch() / "h.hdr"), 0);
    const Bytes now = read_bytes(archive_path);
    const std::uint32_t index = get_u32(&now[124]);
    EXPECT_EQ(get_u24(&now[index + 6 + 2]), 17u);  // uncompressed = 7 + 10
    EXPECT_EQ(get_u24(&now[index + 6 + 6]), 17u);  // stored = 7 + 10
    EXPECT_TRUE(std::equal(now.begin() + 128, now.begin() + 138, Bytes(10, 0xEE).begin()));
    EXPECT_EQ(Bytes(now.begin() + 145, now.begin() + 148), Bytes(3, 0));  // padding to 20
    EXPECT_EQ(index, get_u32(&original[124]) + 20 - 40);
}

TEST_F(ExtractionTest, ReadOnlyArchiveFailsAtTheCopyAndKeepsTempRes)
{
    write_bytes(scratch() / "new.bin", Bytes(4, 1));
    std::filesystem::permissions(archive_path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_EQ(archive.rewrite(0, 0, scratch() / "new.bin", false, {}), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#1253: Error saving file " + archive_path.string() +
                                                 ". The complete new archive is kept in " +
                                                 (scratch() / "temp.res").string()});
    EXPECT_TRUE(std::filesystem::exists(scratch() / "temp.res"));
    EXPECT_EQ(read_bytes(archive_path), original);
    ResArchive kept;
    ASSERT_EQ(kept.open(scratch() / "temp.res"), 0);
    EXPECT_EQ(kept.entry(0)->stored_length, 4u);

    // The next save never writes over the kept archive: its new archive takes another name.
    const Bytes kept_bytes = read_bytes(scratch() / "temp.res");
    std::filesystem::permissions(archive_path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    write_bytes(scratch() / "new.bin", Bytes(8, 2));
    EXPECT_EQ(archive.rewrite(0, 0, scratch() / "new.bin", false, {}), 0);
    EXPECT_EQ(read_bytes(scratch() / "temp.res"), kept_bytes);
    EXPECT_FALSE(std::filesystem::exists(scratch() / "temp2.res"));
    reopen();
    EXPECT_EQ(archive.entry(0)->stored_length, 8u);
}

TEST_F(ExtractionTest, DataTooLargeForTheIndexIsRefusedBeforeWriting)
{
    write_bytes(scratch() / "big.bin", Bytes(max_entry_length + 1, 0));
    EXPECT_EQ(archive.rewrite(0, 0, scratch() / "big.bin", false, {}), -1);
    EXPECT_EQ(errors(),
              std::vector<std::string>{"Error#1112: The new data is larger than a .res file entry can hold (16,777,215 bytes)"});
    EXPECT_FALSE(std::filesystem::exists(scratch() / "temp.res"));
    EXPECT_EQ(read_bytes(archive_path), original);
}

TEST_F(ExtractionTest, DamagedStreamIsReportedAndLeavesNoRawFile)
{
    Bytes broken = dcl::implode(plain_data, 4096);
    broken.resize(broken.size() / 2);
    ResBuilder().stored(1, broken, 3000).write(scratch() / "broken.res");
    ResArchive other;
    ASSERT_EQ(other.open(scratch() / "broken.res"), 0);
    EXPECT_EQ(other.extract(0, 0, {}, ResEntry::to_temp, true), -1);
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_EQ(errors()[0].rfind("Error#1774: Error decompressing item - the stored data is damaged", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(temp_folder() / "mw3792_broken_001_1."));
    EXPECT_TRUE(other.entry(0)->converted_path.empty());
}

TEST_F(ExtractionTest, DamagedEntryIsNotExtracted)
{
    ResBuilder builder;
    builder.entry({1, Bytes(4, 0), 4, 4000});
    builder.write(scratch() / "d.res");
    ResArchive other;
    ASSERT_EQ(other.open(scratch() / "d.res"), 0);
    EXPECT_EQ(other.extract(0, 0, {}, ResEntry::to_temp, false), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#1098: File is damaged - its data or item directory does not fit the .res file"});
}

TEST(WrappingZip, EveryFieldOfTheLayout)
{
    const Bytes stream = {0, 6, 1, 2, 3};
    const Bytes zip = one_member_zip("mw3792_x_001_1.", stream, 77);
    const std::uint32_t m = 15;
    ASSERT_EQ(zip.size(), 30 + m + 5 + 46 + m + 22);
    EXPECT_EQ(get_u32(&zip[0]), 0x04034B50u);
    EXPECT_EQ(get_u16(&zip[4]), 20);
    EXPECT_EQ(get_u16(&zip[6]), 0);
    EXPECT_EQ(get_u16(&zip[8]), 10);
    EXPECT_EQ(get_u32(&zip[10]), 0x25015DD5u);
    EXPECT_EQ(get_u32(&zip[14]), 0u);
    EXPECT_EQ(get_u32(&zip[18]), 5u);
    EXPECT_EQ(get_u32(&zip[22]), 77u);
    EXPECT_EQ(get_u16(&zip[26]), m);
    EXPECT_EQ(get_u16(&zip[28]), 0);
    EXPECT_EQ(std::string(zip.begin() + 30, zip.begin() + 45), "mw3792_x_001_1.");
    const std::size_t c = 30 + m + 5;
    EXPECT_EQ(get_u32(&zip[c]), 0x02014B50u);
    EXPECT_EQ(get_u16(&zip[c + 4]), 10);
    EXPECT_EQ(get_u16(&zip[c + 6]), 20);
    EXPECT_EQ(get_u16(&zip[c + 10]), 10);
    EXPECT_EQ(get_u32(&zip[c + 12]), 0x25015DD5u);
    EXPECT_EQ(get_u32(&zip[c + 20]), 5u);
    EXPECT_EQ(get_u32(&zip[c + 24]), 77u);
    EXPECT_EQ(get_u16(&zip[c + 28]), m);
    EXPECT_EQ(get_u32(&zip[c + 38]), 0x20u);
    EXPECT_EQ(get_u32(&zip[c + 42]), 0u);
    const std::size_t e = c + 46 + m;
    EXPECT_EQ(get_u32(&zip[e]), 0x06054B50u);
    EXPECT_EQ(get_u16(&zip[e + 8]), 1);
    EXPECT_EQ(get_u16(&zip[e + 10]), 1);
    EXPECT_EQ(get_u32(&zip[e + 12]), 46 + m);
    EXPECT_EQ(get_u32(&zip[e + 16]), 30 + m + 5);
    EXPECT_EQ(get_u16(&zip[e + 20]), 0);

    const auto member = first_zip_member(zip);
    ASSERT_TRUE(member.has_value());
    EXPECT_EQ(Bytes(member->data.begin(), member->data.end()), stream);
    EXPECT_FALSE(first_zip_member(ByteSpan(zip.data(), 40)).has_value());
}

}  // namespace
}  // namespace mw::test
