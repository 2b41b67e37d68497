// Archives that once lost data on an import: odd names, odd layouts, damaged
// inputs and retries after a failure.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "archive/dcl/dcl.h"
#include "document/flight_model_archives.h"
#include "document/marrowick_doc.h"
#include "document/recording_views.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

namespace fs = std::filesystem;

class DataSafetyTest : public WorkspaceFixture {
protected:
    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        views.doc = &doc;
    }

    // Every entry's data part as extracted from the archive at `path`.
    std::vector<Bytes> contents(const fs::path& path)
    {
        ResArchive archive;
        EXPECT_EQ(archive.open(path), 0);
        std::vector<Bytes> all;
        for (int i = 0; i < archive.entry_count(); ++i) {
            EXPECT_EQ(archive.extract(i, 0, scratch() / "x.out", ResEntry::to_file, false), 0) << i;
            all.push_back(read_bytes(scratch() / "x.out"));
        }
        return all;
    }

    int import(const fs::path& archive, int file, int item, const Bytes& data)
    {
        write_bytes(scratch() / "in.bin", data);
        if (doc.open_archive(archive) != 0) return -1;
        doc.select(file, item);
        return doc.import_single(scratch() / "in.bin", false);
    }

    RecordingViews views;
    CMarrowickDoc doc{views};
};

ResBuilder three_raw_entries()
{
    ResBuilder b;
    b.header_filler(0x3C).raw(10, filled(37, 1)).raw(20, filled(8, 2)).raw(30, filled(5, 3));
    return b;
}

TEST_F(DataSafetyTest, ArchiveAndPhysicsArchiveNamedTempRes)
{
    const fs::path archive = scratch() / "temp.res";
    three_raw_entries().write(archive);
    ASSERT_EQ(import(archive, 1, 0, filled(61, 9)), 0) << ::testing::PrintToString(errors());
    EXPECT_EQ(contents(archive), (std::vector<Bytes>{filled(61, 9), filled(8, 2), filled(5, 3)}));

    // A physics archive that is the folder's "temp.res" is read, never written.
    write_aircraft_archive(scratch() / "plane.res");
    write_physics_archive(archive, 9, std::vector<std::size_t>(8, 20));
    const Bytes physics = read_bytes(archive);
    ASSERT_EQ(doc.open_archive(scratch() / "plane.res"), 0);
    ASSERT_EQ(doc.import_flight_model(archive), 0) << ::testing::PrintToString(errors());
    EXPECT_EQ(read_bytes(archive), physics);
    EXPECT_EQ(contents(scratch() / "plane.res")[8], filled(20, 0xC1));
}

TEST_F(DataSafetyTest, StreamAsLongAsItsDataStaysCompressed)
{
    // Random bytes grow when imploded, zeros shrink: somewhere between, the stream is as long as the data.
    Bytes data;
    std::uint32_t seed = 7;
    for (int i = 0; i < 300; ++i) data.push_back(std::uint8_t((seed = seed * 1103515245 + 12345) >> 16));
    while (dcl::implode(data, 4096).size() != data.size()) {
        ASSERT_LT(data.size(), 2000u);
        data.push_back(0);
    }
    const fs::path archive = scratch() / "a.res";
    ResBuilder().compressed(10, filled(100, 1), 4096).raw(20, filled(8, 2)).write(archive);
    ASSERT_EQ(import(archive, 1, 0, data), 0) << ::testing::PrintToString(errors());

    ResArchive reopened;
    ASSERT_EQ(reopened.open(archive), 0);
    EXPECT_EQ(reopened.entry(0)->uncompressed_length, data.size());
    EXPECT_EQ(reopened.entry(0)->stored_length, data.size() + 1);
    EXPECT_EQ(contents(archive), (std::vector<Bytes>{data, filled(8, 2)}));
}

TEST_F(DataSafetyTest, OddLayoutsKeepEveryOtherEntry)
{
    const Bytes built = three_raw_entries().build();
    const std::uint32_t index = get_u32(&built[124]);
    const Bytes header(built.begin(), built.begin() + 128);
    const Bytes data(built.begin() + 128, built.begin() + index);
    Bytes table(built.begin() + index, built.end());

    Bytes gap = header;  // 16 bytes between the last entry and the index
    gap.insert(gap.end(), data.begin(), data.end());
    gap.insert(gap.end(), 16, 0xEE);
    gap.insert(gap.end(), table.begin(), table.end());
    put_u32(&gap[124], index + 16);

    Bytes first = header;  // the index before the data
    put_u32(&table[2], std::uint32_t(128 + table.size()));
    first.insert(first.end(), table.begin(), table.end());
    first.insert(first.end(), data.begin(), data.end());
    put_u32(&first[124], 128);

    // Padding counts from each entry's start, not from the file's.
    const Bytes unaligned = three_raw_entries().first_data_offset(130).build();

    for (const auto& [name, bytes] :
         {std::pair{"gap", gap}, std::pair{"index first", first}, std::pair{"data from offset 130", unaligned}}) {
        SCOPED_TRACE(name);
        const fs::path archive = scratch() / "odd.res";
        write_bytes(archive, bytes);
        ASSERT_EQ(import(archive, 1, 0, filled(61, 9)), 0) << ::testing::PrintToString(errors());
        ASSERT_EQ(import(archive, 3, 0, filled(2, 8)), 0) << ::testing::PrintToString(errors());
        EXPECT_EQ(contents(archive), (std::vector<Bytes>{filled(61, 9), filled(8, 2), filled(2, 8)}));
    }
}

TEST_F(DataSafetyTest, DataOverTheHeaderIsDamagedAndNeverWritten)
{
    const fs::path archive = scratch() / "a.res";
    Bytes bytes = three_raw_entries().first_data_offset(128).build();
    put_u32(&bytes[get_u32(&bytes[124]) + 2], 64);  // the first entry's data would start inside the header
    write_bytes(archive, bytes);
    EXPECT_EQ(import(archive, 1, 0, filled(37, 9)), -1);
    EXPECT_EQ(errors(), std::vector<std::string>(2, "Error#1098: File is damaged - its data or item directory does not fit the .res file"));
    EXPECT_EQ(read_bytes(archive), bytes);
}

TEST_F(DataSafetyTest, FailedImportsLeaveTheArchiveUsableAndItsExtractedFilesTrue)
{
    const fs::path archive = scratch() / "a.res";
    ResBuilder().compound_items(300, {filled(10, 0xA1), filled(45, 0xA2), filled(7, 0xA3)}).write(archive);
    const Bytes before = read_bytes(archive);

    ::chmod(archive.c_str(), 0444);
    ASSERT_EQ(import(archive, 1, 2, filled(45, 0x55)), -1);
    EXPECT_EQ(read_bytes(archive), before);
    EXPECT_TRUE(doc.archive_usable());
    ::chmod(archive.c_str(), 0644);

    // The next import of another item carries nothing of the failed one.
    write_bytes(scratch() / "in.bin", filled(10, 0x11));
    doc.select(1, 1);
    ASSERT_EQ(doc.import_single(scratch() / "in.bin", false), 0) << ::testing::PrintToString(errors());
    ASSERT_EQ(doc.archive().extract(0, 2, scratch() / "item2.out", ResEntry::to_file, false), 0);
    EXPECT_EQ(read_bytes(scratch() / "item2.out"), filled(45, 0xA2));

    // A closed archive is neither read nor written.
    clear_messages();
    doc.archive().close_file();
    EXPECT_EQ(doc.archive().extract(0, 1, scratch() / "x.out", ResEntry::to_file, false), -1);
    EXPECT_EQ(doc.archive().rewrite(0, 1, scratch() / "in.bin", false, {}), -1);
    EXPECT_EQ(errors(), std::vector<std::string>(2, "Error#1560: The .res file is not open"));
    EXPECT_FALSE(doc.archive_usable());
}

TEST_F(DataSafetyTest, FlightModelPiecesAreCheckedFirstAndWrittenUnconverted)
{
    write_aircraft_archive(scratch() / "plane.res");
    const Bytes before = read_bytes(scratch() / "plane.res");
    auto physics = [&](const Bytes& main) {
        ResBuilder b;
        // Piece 5 starts like an image item: it is written as it is, not converted.
        for (int j = 0; j < 8; ++j)
            b.raw(std::uint16_t(2130 + j), j == 5 ? Bytes{0, 0, 0, 0, 2, 0, 9, 9} : filled(20, std::uint8_t(0xC0 + j)));
        b.raw(2138, main);
        b.write(scratch() / "physics.res");
        return scratch() / "physics.res";
    };

    Bytes damaged = {1, 0};  // one item, but a directory whose offsets are nonsense
    damaged.insert(damaged.end(), 8, 0xFF);
    damaged.insert(damaged.end(), 20, 0x42);
    ASSERT_EQ(doc.open_archive(scratch() / "plane.res"), 0);
    EXPECT_EQ(doc.import_flight_model(physics(damaged)), -1);
    EXPECT_TRUE(infos().empty());
    EXPECT_EQ(read_bytes(scratch() / "plane.res"), before);

    Bytes main = ResBuilder::directory({10, 30});
    main.insert(main.end(), 20, 0x42);
    clear_messages();
    ASSERT_EQ(doc.import_flight_model(physics(main)), 0) << ::testing::PrintToString(errors());
    EXPECT_EQ(contents(scratch() / "plane.res")[12], (Bytes{0, 0, 0, 0, 2, 0, 9, 9}));
}

TEST_F(DataSafetyTest, HeaderThatMakesAnUnreadableEntryIsRefused)
{
    const fs::path archive = scratch() / "a.res";
    ResBuilder().compressed(10, filled(100, 1), 4096).write(archive);
    const Bytes before = read_bytes(archive);
    write_bytes(scratch() / "in.bin", filled(50, 7));
    Bytes header = {1, 0};
    header.insert(header.end(), 8, 0xFF);
    write_bytes(scratch() / "in.hdr", header);
    ASSERT_EQ(doc.open_archive(archive), 0);
    doc.select(1, 0);
    EXPECT_EQ(doc.import_with_header(scratch() / "in.bin"), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#1172: The header and the data do not make an entry that can be "
                                                 "read - File 1 is left as it was"});
    EXPECT_EQ(read_bytes(archive), before);
}

}  // namespace
}  // namespace mw::test
