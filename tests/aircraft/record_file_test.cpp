#include <gtest/gtest.h>

#include "aircraft/aircraft_call.h"
#include "aircraft/catalogue.h"
#include "aircraft/field_text.h"
#include "aircraft/record_file.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

class RecordFileTest : public WorkspaceFixture {
protected:
    std::filesystem::path item_file(const Bytes& bytes, const std::string& name = "mw3792_item.")
    {
        const auto path = temp_folder() / name;
        write_bytes(path, bytes);
        return path;
    }
};

TEST_F(RecordFileTest, SaveWritesOverTheFileWithoutChangingItsLength)
{
    Bytes item(101, 0x11);
    const auto path = item_file(item);
    auto record = load_record_file(path, res_physics_segments);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->spec->form_class, "CLandGearDlg");
    ASSERT_EQ(set_field_text(*record, "Has WOW Safety:", "1"), 0);
    ASSERT_EQ(update_record_file(path, *record), 0);
    item[100] = 1;
    EXPECT_EQ(read_bytes(path), item);
}

TEST_F(RecordFileTest, BytesPastTheRecordStay)
{
    Bytes item(8, 0);
    put_f32(&item[0], 2.5f);
    item[4] = 0xAA;
    item[7] = 0xBB;
    const auto path = item_file(item);
    auto record = load_record_file(path, 2131);
    ASSERT_TRUE(record);
    ASSERT_EQ(set_field_text(*record, "Elevator Takeoff Trim:", "-1"), 0);
    ASSERT_EQ(update_record_file(path, *record), 0);
    put_f32(&item[0], -1.0f);
    EXPECT_EQ(read_bytes(path), item);
}

TEST_F(RecordFileTest, FlapFileGrowsWithAddedSteps)
{
    Bytes item(8, 0);
    put_f32(&item[0], 1.0f);
    put_f32(&item[4], 10.0f);
    const auto path = item_file(item);
    auto record = load_record_file(path, res_flaps);
    ASSERT_TRUE(record);
    ASSERT_EQ(set_field_text(*record, "Flap Steps:", "2"), 0);
    ASSERT_EQ(set_field_text(*record, "Flap Positions: 2", "20"), 0);
    ASSERT_EQ(update_record_file(path, *record), 0);
    const Bytes saved = read_bytes(path);
    ASSERT_EQ(saved.size(), 12u);
    EXPECT_EQ(get_f32(&saved[0]), 2.0f);
    EXPECT_EQ(get_f32(&saved[8]), 20.0f);
}

TEST_F(RecordFileTest, MissingFilesGiveTheKindsOwnTexts)
{
    const auto missing = temp_folder() / "mw3792_gone.";
    EXPECT_FALSE(load_record_file(missing, res_physics_segments));
    EXPECT_FALSE(load_record_file(missing, res_aircraft_axles));
    EXPECT_FALSE(load_record_file(missing, res_player_sound));
    EXPECT_FALSE(load_record_file(missing, res_prop));
    EXPECT_FALSE(load_record_file(missing, res_pilot_voices));

    const Bytes axles(6, 1);
    auto record = load_record_file(item_file(axles), res_cockpit_axles);
    ASSERT_TRUE(record);
    EXPECT_EQ(update_record_file(missing, *record), -1);
    EXPECT_FALSE(std::filesystem::exists(missing));  // never created

    Bytes sound(174, 0);
    auto player = load_record_file(item_file(sound), res_player_sound);
    ASSERT_TRUE(player);
    EXPECT_EQ(update_record_file(missing, *player), -1);

    EXPECT_EQ(errors(), (std::vector<std::string>{
                            "Error#61: Error loading airphysik file", "Error#61: Error loading axle file",
                            "Error#61: Error loading Player snd def file", "Error#70: Error loading prop file",
                            "Error#61: Error loading voices file", "Error opening axle file",
                            "Error#61: Error saving Player snd def file"}));
}

TEST_F(RecordFileTest, ItemWithoutFormIsReported)
{
    EXPECT_FALSE(load_record_file(item_file(Bytes(8, 0)), res_physics_segments));
    EXPECT_EQ(errors(), std::vector<std::string>{"No record form edits this item (resource 2138, 8 bytes)"});
}

TEST_F(RecordFileTest, PontoonFileHasItsOwnLoadText)
{
    // The segment is recognised by length, so a short pontoon cannot occur;
    // its text shows when the layout no longer fits what was read.
    const RecordSpec* pontoon = find_record_kind(res_physics_segments, 71);
    ASSERT_NE(pontoon, nullptr);
    EXPECT_FALSE(load_record(*pontoon, Bytes(70, 0)));
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#61: Error loading airphysik pontoon file"});
}

TEST_F(RecordFileTest, AircraftCallTexts)
{
    Bytes item(14, 0);
    for (char c : std::string("Cessna 1 2 3\0C123\0", 18)) item.push_back(std::uint8_t(c));
    const AircraftCall call = load_aircraft_call(item);
    EXPECT_TRUE(call.complete);
    EXPECT_EQ(call.full_call, "Cessna 1 2 3");
    EXPECT_EQ(call.short_call, "C123");

    item.resize(14 + 15);  // ends inside the short call
    const AircraftCall partial = load_aircraft_call(item);
    EXPECT_FALSE(partial.complete);
    EXPECT_EQ(partial.full_call, "Cessna 1 2 3");
    EXPECT_EQ(partial.short_call, "C1");
    EXPECT_FALSE(load_aircraft_call(Bytes(5, 0)).complete);
    EXPECT_EQ(errors(), std::vector<std::string>(2, "Error#62: Error reading aircraft call file"));
}

}  // namespace
}  // namespace mw::test
