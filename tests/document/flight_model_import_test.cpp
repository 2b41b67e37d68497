#include <gtest/gtest.h>

#include "document/flight_model_archives.h"
#include "document/marrowick_doc.h"
#include "document/recording_views.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

class FlightModelImportTest : public WorkspaceFixture {
protected:
    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        views.doc = &doc;
    }

    void write_aircraft(bool compressed_piece = true)
    {
        aircraft = scratch() / "plane.res";
        write_aircraft_archive(aircraft, compressed_piece);
    }

    std::filesystem::path write_physics(int count, const std::vector<std::size_t>& sizes)
    {
        const auto path = scratch() / ("physics" + std::to_string(count) + ".res");
        write_physics_archive(path, count, sizes);
        return path;
    }

    Bytes entry_data(int file)
    {
        EXPECT_EQ(doc.archive().extract(file - 1, 0, scratch() / "out.bin", ResEntry::to_file, false), 0);
        return read_bytes(scratch() / "out.bin");
    }

    RecordingViews views;
    CMarrowickDoc doc{views};
    std::filesystem::path aircraft;
};

TEST_F(FlightModelImportTest, ReplacesTheNineEntries)
{
    write_aircraft();
    ASSERT_EQ(doc.open_archive(aircraft), 0);
    ASSERT_TRUE(doc.can_import_flight_model());
    const auto physics = write_physics(9, std::vector<std::size_t>(8, 20));
    ASSERT_EQ(doc.import_flight_model(physics), 0) << ::testing::PrintToString(errors());
    EXPECT_EQ(infos(), std::vector<std::string>{"Import Completed"});
    EXPECT_EQ(views.log.back(), "end_wait");
    for (int j = 0; j < 8; ++j) EXPECT_EQ(entry_data(8 + j), filled(20, std::uint8_t(0xC0 + j))) << j;
    EXPECT_EQ(doc.archive().entry(9)->dcl_option, " -2 ");
    const ResEntry& main = *doc.archive().entry(15);
    EXPECT_EQ(main.item_count, 3);
    EXPECT_EQ(main.item_size(2), 42u);
    EXPECT_EQ(entry_data(17), filled(33, 0x77));
}

TEST_F(FlightModelImportTest, LongerAndShorterPiecesForRawEntriesAreRewritten)
{
    write_aircraft();
    ASSERT_EQ(doc.open_archive(aircraft), 0);
    std::vector<std::size_t> sizes(8, 20);
    sizes[0] = 29;  // longer than its raw entry
    sizes[3] = 3;   // shorter
    ASSERT_EQ(doc.import_flight_model(write_physics(9, sizes)), 0) << ::testing::PrintToString(errors());
    for (int j = 0; j < 8; ++j) EXPECT_EQ(entry_data(8 + j), filled(sizes[j], std::uint8_t(0xC0 + j))) << j;
    for (int file = 1; file <= 7; ++file) EXPECT_EQ(doc.archive().entry(file - 1)->uncompressed_length,
                                                     file == 7 ? 960038u : doc.archive().entry(file - 1)->stored_length);
    EXPECT_EQ(entry_data(1), filled(8, 1));
    EXPECT_EQ(entry_data(6), filled(768, 5));
    EXPECT_EQ(entry_data(17), filled(33, 0x77));
}

TEST_F(FlightModelImportTest, PhysicsArchivesOfEightOrTenEntriesAreRefused)
{
    write_aircraft();
    const Bytes before = read_bytes(aircraft);
    ASSERT_EQ(doc.open_archive(aircraft), 0);
    for (int count : {8, 10}) {
        clear_messages();
        EXPECT_EQ(doc.import_flight_model(write_physics(count, std::vector<std::size_t>(8, 20))), -1);
        EXPECT_EQ(errors(), std::vector<std::string>{"Error: not a flight model .res file"});
    }
    EXPECT_EQ(read_bytes(aircraft), before);
    EXPECT_FALSE(std::filesystem::exists(temp_folder() / "mw3792_physics0.fm"));
}

TEST_F(FlightModelImportTest, PieceFiveIsAlwaysRewritten)
{
    // Every target is raw and every piece fits it: only piece 5 is prepared
    // as an import, which fails here because its file's place is taken.
    write_aircraft(false);
    const Bytes before = read_bytes(aircraft);
    ASSERT_EQ(doc.open_archive(aircraft), 0);
    const auto prepared = temp_folder() / "mw3792_physics5.new";
    std::filesystem::create_directory(prepared);
    EXPECT_EQ(doc.import_flight_model(write_physics(9, std::vector<std::size_t>(8, 20))), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#1340: Failed to create import file\n  " + prepared.string() +
                                                 ": Is a directory"});
    EXPECT_EQ(read_bytes(aircraft), before);
}

TEST_F(FlightModelImportTest, ArchiveWithoutPhysicsEntriesIsRefused)
{
    ResBuilder b;
    b.raw(11005, filled(8, 1)).raw(26001, {'R', 'I', 'F', 'F'}).raw(1971, filled(12, 3));
    Bytes definition(16, 0);
    put_u16(&definition[12], 3000);
    b.raw(2053, definition).raw(3000, filled(20, 4)).raw(2059, filled(768, 5)).raw(2900, filled(960038, 6));
    b.raw(2130, filled(4, 1)).raw(2131, filled(4, 1));
    b.write(scratch() / "short.res");
    ASSERT_EQ(doc.open_archive(scratch() / "short.res"), 0);
    ASSERT_TRUE(doc.can_import_flight_model());
    EXPECT_EQ(doc.import_flight_model(write_physics(9, std::vector<std::size_t>(8, 20))), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{
                            "Error: the open .res file has no flight model entries (ID 2130 and the eight entries after it)"});
    EXPECT_FALSE(std::filesystem::exists(temp_folder() / "mw3792_physics0.fm"));
}

}  // namespace
}  // namespace mw::test
