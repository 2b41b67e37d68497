#include <gtest/gtest.h>

#include <array>

#include "aircraft/catalogue.h"
#include "aircraft/field_text.h"
#include "aircraft/palette_match.h"
#include "aircraft/prop_palette.h"
#include "aircraft/prop_record.h"
#include "support/workspace_fixture.h"
#include "types/palette_file.h"

namespace mw::test {
namespace {

class PropRecordTest : public WorkspaceFixture {
protected:
    static Bytes prop_item(int stripes, int base_shape)
    {
        Bytes b(prop_layout::size, 0);
        put_f32(&b[0], 200.75f);  // colour 1 red, fractional
        put_f32(&b[4], 100.0f);
        put_f32(&b[8], 50.0f);
        put_u32(&b[36], 3);
        put_f32(&b[40], 1.25f);
        put_u32(&b[44], std::uint32_t(stripes));
        put_u32(&b[112], std::uint32_t(base_shape));
        for (int i = 0; i < 8; ++i) {
            put_f32(&b[std::size_t(116 + 4 * i)], 0.01f * float(i + 1));  // widths
            put_f32(&b[std::size_t(148 + 4 * i)], 0.1f * float(i + 1));   // lengths
        }
        return b;
    }
    static Record load(const Bytes& item) { return *load_record(*find_record_spec(res_prop, item), item); }
    static float real(const Record& r, int offset) { return new_value_at(r, offset)->real; }
    static std::int64_t integer(const Record& r, int offset) { return new_value_at(r, offset)->integer; }
};

TEST_F(PropRecordTest, StripeCountAboveSevenLoadsAsSeven)
{
    const Record record = load(prop_item(9, 5));
    EXPECT_EQ(integer(record, prop_layout::stripes), 7);
    EXPECT_EQ(load(prop_item(4, 5)).new_values[*field_index_at(*record.spec, 44)].integer, 4);
}

TEST_F(PropRecordTest, BaseShapeThreeSetsItsPresetPoints)
{
    Record record = load(prop_item(2, 5));
    apply_base_shape(record, 3);
    const std::array<std::pair<float, float>, 8> expected{
        {{0, 0}, {0.1f, 0.05f}, {0.6f, 0.08f}, {1.0f, 0.08f}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(real(record, prop_layout::lengths + 4 * i), expected[std::size_t(i)].first) << i;
        EXPECT_EQ(real(record, prop_layout::widths + 4 * i), expected[std::size_t(i)].second) << i;
    }
    // Back to shape 5: the record's own points again.
    ASSERT_EQ(set_field_text(record, "Base Shape:", "5"), 0);
    EXPECT_EQ(real(record, prop_layout::lengths + 4), 0.2f);
    EXPECT_EQ(real(record, prop_layout::widths + 28), 0.08f);

    Bytes item = prop_item(2, 5);
    ASSERT_EQ(set_field_text(record, "Base Shape:", "2"), 0);
    ASSERT_EQ(encode_record(record, item), 0);
    EXPECT_EQ(get_i32(&item[112]), 2);
    EXPECT_EQ(get_f32(&item[148 + 8]), 1.0f);
    EXPECT_EQ(get_f32(&item[116 + 8]), 0.05f);
    EXPECT_EQ(get_f32(&item[148 + 12]), 0.0f);
    EXPECT_EQ(set_field_text(record, "Base Shape:", "6"), -1);
}

TEST_F(PropRecordTest, LoadingAPresetShapeShowsThePreset)
{
    const Record record = load(prop_item(2, 4));
    EXPECT_EQ(real(record, prop_layout::lengths + 12), 1.0f);
    EXPECT_EQ(real(record, prop_layout::widths + 12), 0.05f);
}

TEST_F(PropRecordTest, BladesComeBeforeLengthAndWidthsBeforeLengths)
{
    const Record record = load(prop_item(2, 5));
    EXPECT_EQ(integer(record, 36), 3);
    EXPECT_EQ(real(record, 40), 1.25f);
    EXPECT_EQ(real(record, 116), 0.01f);
    EXPECT_EQ(real(record, 148), 0.1f);
}

TEST_F(PropRecordTest, StripeCountOutsideOneToEightIsNotSaved)
{
    Bytes item = prop_item(0, 5);
    const Record record = load(item);
    EXPECT_EQ(encode_record(record, item), -1);
    EXPECT_EQ(item, prop_item(0, 5));
    Record other = load(prop_item(3, 5));
    EXPECT_EQ(set_field_text(other, "Stripes:", "9"), -1);
    EXPECT_EQ(errors(), (std::vector<std::string>{"Stripes: Please enter an integer between 1 and 8.",
                                                  "Stripes: Please enter an integer between 1 and 8."}));
}

TEST_F(PropRecordTest, ControlNoticesSetStripeSlotsAndIgnoreEightAndNine)
{
    Record record = load(prop_item(3, 5));
    EXPECT_TRUE(apply_prop_notice(record, 2, 1));
    EXPECT_EQ(integer(record, prop_layout::stripe_colours + 8), 1);
    EXPECT_TRUE(apply_prop_notice(record, 10, 500000));  // marker value 50
    EXPECT_FLOAT_EQ(real(record, prop_layout::stripe_positions), 0.5f);
    EXPECT_TRUE(apply_prop_notice(record, 17, 250000));
    EXPECT_FLOAT_EQ(real(record, prop_layout::stripe_positions + 28), 0.25f);

    const auto before = record.new_values;
    for (int index : {0, 8, 9, 18, 99, -1}) EXPECT_FALSE(apply_prop_notice(record, index, 7)) << index;
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(record.new_values[i].integer, before[i].integer);
        EXPECT_EQ(record.new_values[i].real, before[i].real);
    }
}

TEST_F(PropRecordTest, ColourSwatchesPackAndKeepFractionalChannelsUnlessChanged)
{
    Record record = load(prop_item(3, 5));
    EXPECT_EQ(prop_colour(record, 0), 200u | (100u << 8) | (50u << 16));
    set_prop_colour(record, 0, prop_colour(record, 0));
    EXPECT_EQ(real(record, 0), 200.75f);
    set_prop_colour(record, 0, 0x102030);
    EXPECT_EQ(real(record, 0), 48.0f);
    EXPECT_EQ(real(record, 4), 32.0f);
    EXPECT_EQ(real(record, 8), 16.0f);
}

TEST_F(PropRecordTest, UnchangedRecordSavesByteIdentical)
{
    const Bytes original = prop_item(5, 5);
    Bytes item = original;
    ASSERT_EQ(encode_record(load(original), item), 0);
    EXPECT_EQ(item, original);
}

TEST_F(PropRecordTest, PreviewPointsAndStripeBands)
{
    Record record = load(prop_item(2, 5));
    const auto points = prop_shape_points(record, 200, 40);
    ASSERT_EQ(points.size(), 8u);
    EXPECT_NEAR(points[0].x, 20.0, 1e-4);
    EXPECT_NEAR(points[0].y, 20.0 + 100 * 0.01, 1e-4);

    ASSERT_TRUE(apply_prop_notice(record, 11, 300000));  // stripe 1 from 0.3
    ASSERT_TRUE(apply_prop_notice(record, 1, 2));
    const auto bands = prop_stripe_bands(record);
    ASSERT_EQ(bands.size(), 3u);  // stripes 0 … 2
    EXPECT_FLOAT_EQ(bands[0].to, 0.3f);
    EXPECT_EQ(bands[1].colour, 2);
    EXPECT_FLOAT_EQ(bands[1].to, 1.0f);  // a next position of 0 reads as 1
}

TEST(PaletteMatch, NearestBySquaredDistanceFirstOnTies)
{
    const std::vector<Rgb> palette{{0, 0, 0}, {10, 0, 0}, {0, 10, 0}, {200, 200, 200}};
    EXPECT_EQ(nearest_palette_index(palette, {4, 0, 0}), 0);
    EXPECT_EQ(nearest_palette_index(palette, {6, 0, 0}), 1);
    EXPECT_EQ(nearest_palette_index(palette, {7, 7, 0}), 1);  // 1 and 2 both at 58
    EXPECT_EQ(nearest_palette_index(palette, {5, 5, 0}), 0);  // 0, 1 and 2 all at 50
    EXPECT_EQ(nearest_palette_index(palette, {255, 255, 255}), 3);
    EXPECT_EQ(nearest_palette_index({}, {1, 2, 3}), -1);
}

TEST_F(PropRecordTest, PaletteListLoadsThePlanePaletteSilentlyAndMatchesToTheChosenOne)
{
    // A region palette of 257 lines: red 250, 255 blacks, then red 200 (past 256, never stored).
    std::string desert = "JASC-PAL\n0100\n256\n250 0 0\n";
    for (int k = 0; k < 255; ++k) desert += "0 0 0\n";
    desert += "200 0 0\n";
    std::filesystem::create_directory(program_folder() / "regions");
    write_text(program_folder() / "regions" / "desert.pal", desert);
    std::filesystem::remove(current_palette_path());

    PropPalette palettes;  // the plane palette is missing: silent, no colours
    EXPECT_TRUE(errors().empty());
    ASSERT_EQ(palettes.list().size(), 2u);
    EXPECT_EQ(palettes.list()[1].name, "desert");
    EXPECT_EQ(palettes.matched(0x0000C8), 0x0000C8u);

    ASSERT_EQ(palettes.choose(1), 0);
    EXPECT_EQ(palettes.colours().size(), 256u);
    EXPECT_EQ(palettes.matched(0x0000C8), 0x0000FAu);  // red 200 drawn as red 250
    EXPECT_EQ(palettes.matched(0x202020), 0u);

    // Choosing the missing plane palette is reported and keeps the desert.
    EXPECT_EQ(palettes.choose(0), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#71: Error loading region palette file"});
    EXPECT_EQ(palettes.chosen(), 1u);
    EXPECT_EQ(palettes.matched(0x0000C8), 0x0000FAu);
}

}  // namespace
}  // namespace mw::test
