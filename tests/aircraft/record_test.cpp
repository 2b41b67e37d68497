#include <gtest/gtest.h>

#include <cstring>

#include "aircraft/axle_table.h"
#include "aircraft/catalogue.h"
#include "aircraft/field_text.h"
#include "aircraft/record.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

class RecordTest : public WorkspaceFixture {
protected:
    // An item whose bytes all differ (NaN patterns included), with its first
    // byte set so the wanted variant is chosen.
    static Bytes patterned(std::size_t length, int type_byte = -1)
    {
        Bytes b(length);
        for (std::size_t i = 0; i < length; ++i) b[i] = std::uint8_t(0x37 + 29 * i);
        if (type_byte >= 0 && length) b[0] = std::uint8_t(type_byte);
        return b;
    }

    Record load(int resource_id, const Bytes& item)
    {
        const RecordSpec* spec = find_record_spec(resource_id, item);
        EXPECT_NE(spec, nullptr);
        auto record = load_record(*spec, item);
        EXPECT_TRUE(record.has_value());
        return *record;
    }

    void set(Record& record, const std::string& name, const std::string& text)
    {
        ASSERT_EQ(set_field_text(record, name, text), 0) << name << "=" << text;
    }

    static float f32_at(const Bytes& b, std::size_t at) { return get_f32(&b[at]); }
};

TEST_F(RecordTest, FlapRecordShrinksInPlaceAndGrowsByFourBytesAStep)
{
    Bytes item(24);
    put_f32(&item[0], 5.0f);
    for (int k = 1; k <= 5; ++k) put_f32(&item[std::size_t(4 * k)], float(k) * 10);
    Record record = load(res_flaps, item);
    EXPECT_EQ(format_field_value(record.field(0), record.current_values[0]), "5");
    EXPECT_FLOAT_EQ(record.current_values[5].real, 50.0f);
    EXPECT_FALSE(field_was_read(record, 6));
    EXPECT_EQ(record.current_values[6].real, 0.0f);  // rows past the count show 0

    set(record, "Flap Steps:", "3");
    set(record, "Flap Positions: 1", "1.5");
    set_new_value(record, 4, FieldValue{.real = 99.0f});  // past the new count: not written
    Bytes fewer = item;
    ASSERT_EQ(encode_record(record, fewer), 0);
    ASSERT_EQ(fewer.size(), 24u);  // not truncated: old positions 4 and 5 remain
    EXPECT_EQ(f32_at(fewer, 0), 3.0f);
    EXPECT_EQ(f32_at(fewer, 4), 1.5f);
    EXPECT_EQ(f32_at(fewer, 12), 30.0f);
    EXPECT_EQ(f32_at(fewer, 16), 40.0f);
    EXPECT_EQ(f32_at(fewer, 20), 50.0f);

    set(record, "Flap Steps:", "7");
    set(record, "Flap Positions: 7", "70");
    Bytes more = item;
    ASSERT_EQ(encode_record(record, more), 0);
    ASSERT_EQ(more.size(), 32u);
    EXPECT_EQ(f32_at(more, 0), 7.0f);
    EXPECT_EQ(f32_at(more, 20), 50.0f);
    EXPECT_EQ(f32_at(more, 24), 0.0f);
    EXPECT_EQ(f32_at(more, 28), 70.0f);
}

TEST_F(RecordTest, FlapCountFromHostileFloatsStaysWithinTheRows)
{
    EXPECT_EQ(flap_step_count(std::numeric_limits<float>::quiet_NaN()), 0u);
    EXPECT_EQ(flap_step_count(-3.0f), 0u);
    EXPECT_EQ(flap_step_count(2.9f), 2u);
    EXPECT_EQ(flap_step_count(1e30f), 12u);

}

TEST_F(RecordTest, FlapRecordHoldingFewerPositionsThanItsCountOpensAndSavesInPlace)
{
    // 3 steps (00 00 40 40), one position 0.5 (00 00 00 3F).
    const Bytes item{0x00, 0x00, 0x40, 0x40, 0x00, 0x00, 0x00, 0x3F};
    Record record = load(res_flaps, item);
    EXPECT_EQ(record.current_values[1].real, 0.5f);
    EXPECT_FALSE(field_was_read(record, 2));
    EXPECT_EQ(record.current_values[2].real, 0.0f);

    set(record, "Flap Steps:", "1");
    Bytes saved = item;
    ASSERT_EQ(encode_record(record, saved), 0);
    EXPECT_EQ(saved, (Bytes{0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x3F}));
    EXPECT_EQ(errors(), std::vector<std::string>{});
}

TEST_F(RecordTest, FlapPositionCutByTheItemsEndKeepsItsBytes)
{
    // 2 steps (00 00 00 40), position 1 whole, position 2 with one byte only.
    const Bytes item{0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x3F, 0xCD};
    Record record = load(res_flaps, item);
    EXPECT_TRUE(field_was_read(record, 2));
    Bytes saved = item;
    ASSERT_EQ(encode_record(record, saved), 0);
    EXPECT_EQ(saved, (Bytes{0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x3F, 0xCD, 0x00, 0x00, 0x00}));
}

TEST_F(RecordTest, ShortItemIsReportedWithTheFormsOwnText)
{
    const Bytes three(3);
    EXPECT_FALSE(load_record(*find_record_kind(2130, 4), three).has_value());
    EXPECT_FALSE(load_record(*find_record_kind(res_physics_segments, 71), three).has_value());
    EXPECT_FALSE(load_record(*find_record_kind(res_aircraft_axles, 22), three).has_value());
    EXPECT_FALSE(load_record(*find_record_kind(res_player_sound, 174), three).has_value());
    EXPECT_EQ(errors(), (std::vector<std::string>{"Error#61: Error loading airphysik file",
                                                  "Error#61: Error loading airphysik pontoon file",
                                                  "Error#61: Error loading axle file",
                                                  "Error#61: Error loading Player snd def file"}));
}

TEST_F(RecordTest, RadioKeepsItsStoredXAndYAndWritesPlanePartZero)
{
    Bytes item(21);
    item[0] = 10;
    item[1] = 2;
    put_f32(&item[2], 7.0f);
    put_f32(&item[6], 1.0f);
    put_f32(&item[10], 2.0f);
    put_f32(&item[14], 3.0f);
    item[18] = 4;
    Record record = load(res_physics_segments, item);
    const auto row = *find_field(*record.spec, "position x,y,z");
    EXPECT_EQ(format_field_value(record.field(row), record.current_values[row]), "3");

    set(record, "position x,y,z", "9");
    set(record, "number", "5.8");
    Bytes saved = item;
    ASSERT_EQ(encode_record(record, saved), 0);
    EXPECT_EQ(saved[1], 0);
    EXPECT_EQ(f32_at(saved, 6), 1.0f);
    EXPECT_EQ(f32_at(saved, 10), 2.0f);
    EXPECT_EQ(f32_at(saved, 14), 9.0f);
    EXPECT_EQ(saved[18], 5);

    set(record, "position x", "-4");
    ASSERT_EQ(encode_record(record, saved), 0);
    EXPECT_EQ(f32_at(saved, 6), -4.0f);
}

TEST_F(RecordTest, UnknownTwentyOneByteTypeKeepsItsBytesAsRead)
{
    // Type 7, byte 1 = 2, mass 2.0 (00 00 00 40), then zeros.
    Bytes item(21, 0);
    item[0] = 7;
    item[1] = 2;
    item[5] = 0x40;
    Record record = load(res_physics_segments, item);
    EXPECT_EQ(record.spec->title, "Radio information:");
    Bytes saved = item;
    ASSERT_EQ(encode_record(record, saved), 0);
    EXPECT_EQ(saved, item);

    set(record, "Nav OK", "1");
    ASSERT_EQ(encode_record(record, saved), 0);
    const Bytes expected{7, 2, 0, 0, 0, 0x40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(saved, expected);

    Bytes rumble = patterned(21, 21);
    Record r = load(res_physics_segments, rumble);
    set(r, "spoileron", "0.25");
    ASSERT_EQ(encode_record(r, rumble), 0);
    EXPECT_EQ(f32_at(rumble, 17), 0.25f);
    EXPECT_EQ(rumble[1], patterned(21, 21)[1]);
}

TEST_F(RecordTest, ThrustCoefficientAndMaximumPowerConvertBothWays)
{
    Bytes engine(96);
    put_f32(&engine[72], 0.000002f);
    put_f32(&engine[88], 0.0000015f);
    Record prop_engine = load(res_physics_segments, engine);
    const auto thrust = *find_field(*prop_engine.spec, "Thrust Coef. [µ]:");
    EXPECT_EQ(format_field_value(prop_engine.field(thrust), prop_engine.current_values[thrust]), "2");
    set(prop_engine, "Thrust Coef. [µ]:", "2");
    set(prop_engine, "@88", "3");
    Bytes saved = engine;
    ASSERT_EQ(encode_record(prop_engine, saved), 0);
    EXPECT_EQ(f32_at(saved, 72), 0.000002f);
    EXPECT_EQ(f32_at(saved, 88), 0.000003f);

    Bytes fan(90);
    put_f32(&fan[58], 5000.0f);
    Record turbofan = load(res_physics_segments, fan);
    const auto power = *find_field(*turbofan.spec, "Max. Power (K):");
    EXPECT_EQ(format_field_value(turbofan.field(power), turbofan.current_values[power]), "5");
    set(turbofan, "Max. Power (K):", "5");
    ASSERT_EQ(encode_record(turbofan, fan), 0);
    EXPECT_EQ(f32_at(fan, 58), 5000.0f);
    set(turbofan, "Max. Power (K):", "7.5");
    ASSERT_EQ(encode_record(turbofan, fan), 0);
    EXPECT_EQ(f32_at(fan, 58), 7500.0f);
}

TEST_F(RecordTest, AxleTableStoresLowEightBitsAndShowsEndingAxles)
{
    Bytes table(22);
    table[0] = 2;  // elevators: 2 pieces from axle 5
    table[1] = 5;
    Record record = load(res_aircraft_axles, table);
    EXPECT_EQ(axle_kind_count(record), 11u);
    EXPECT_EQ(axle_ending(record, 0), 6);
    EXPECT_EQ(axle_ending(record, 1), std::nullopt);

    set(record, "rudder: starting at model axle:", "300");
    Bytes saved = table;
    ASSERT_EQ(encode_record(record, saved), 0);
    EXPECT_EQ(saved[3], 44);
    EXPECT_EQ(saved.size(), 22u);
}

TEST_F(RecordTest, SingleEngineRecordWithoutFieldThirtyTwoIsShownButNotSaved)
{
    Bytes item = patterned(176);
    put_u32(&item[28], std::uint32_t(-1));
    Record record = load(res_player_sound, item);
    EXPECT_EQ(record.spec->form_class, "CPlayerSndDlg");
    EXPECT_EQ(record.spec->fields[*find_field(*record.spec, "Stall Warning:")].offset, 140);
    Bytes saved = item;
    EXPECT_EQ(encode_record(record, saved), -1);
    EXPECT_EQ(set_field_text(record, "Squash:", "1"), -1);
    EXPECT_EQ(saved, item);
    EXPECT_EQ(errors(), std::vector<std::string>(2, "This sound definition has no field 32 (its field 8 is -1 or more) "
                                                    "and cannot be saved in the single-engine layout"));
}

TEST_F(RecordTest, ShowOnlyRecordsHaveNoSave)
{
    const std::pair<int, std::size_t> items[] = {{res_call_voices, 30}, {res_pilot_voices, 84}, {res_aircraft_call, 20}};
    for (const auto& [id, length] : items) {
        Bytes item = patterned(length);
        Record record = load(id, item);
        EXPECT_EQ(record.spec->notice_message, 0);
        EXPECT_EQ(encode_record(record, item), -1);
        EXPECT_EQ(item, patterned(length));
    }
    Bytes anti_ice{3};
    Record record = load(res_physics_segments, anti_ice);
    EXPECT_EQ(encode_record(record, anti_ice), -1);
    EXPECT_EQ(errors(), (std::vector<std::string>{"This record is shown only and cannot be saved",
                                                  "This record is shown only and cannot be saved",
                                                  "This record is shown only and cannot be saved",
                                                  "The anti-ice segment has nothing to change"}));
}

TEST_F(RecordTest, NameRecordIsNotSavedThroughTheFieldTable)
{
    Bytes item{'A', 0, 'B', 0};
    Record record = load(res_aircraft_name, item);
    EXPECT_EQ(encode_record(record, item), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"This record has no fields to save"});
}

TEST_F(RecordTest, ItemShorterThanItsRecordIsNotWritten)
{
    Bytes item = patterned(13);
    Record record = load(res_physics_segments, item);
    Bytes shorter(5);
    EXPECT_EQ(encode_record(record, shorter), -1);
    EXPECT_EQ(shorter, Bytes(5));
    EXPECT_EQ(errors(), std::vector<std::string>{"The item holds 5 bytes, too few for its record of 13 bytes"});
}

}  // namespace
}  // namespace mw::test
