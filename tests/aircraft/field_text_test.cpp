#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "aircraft/catalogue.h"
#include "aircraft/field_text.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

class FieldTextTest : public WorkspaceFixture {};

FieldSpec field(FieldType type, Display display = Display::plain, ChoiceList choices = ChoiceList::none)
{
    FieldSpec f;
    f.type = type;
    f.label = "Value:";
    f.display = display;
    f.choices = choices;
    if (choices != ChoiceList::none) f.save = SaveRule::list_choice;
    return f;
}

FieldValue real(float v)
{
    FieldValue value;
    value.real = v;
    return value;
}

FieldValue integer(std::int64_t a, std::int64_t b = 0)
{
    FieldValue value;
    value.integer = a;
    value.second = b;
    return value;
}

TEST_F(FieldTextTest, FormattedValuesParseBackToTheSameStoredBits)
{
    const float floats[] = {0.0f, -0.0f, 1.5f, 0.1f, 1e-7f, 3.4e38f, -123456.789f, 0.000002f, 5000.0f,
                            std::numeric_limits<float>::infinity(), std::numeric_limits<float>::denorm_min(),
                            // shown as 2271.712 (millionths), a text that once read back one bit off
                            std::bit_cast<float>(0x3b14e100u)};
    for (Display display : {Display::plain, Display::thousandths, Display::millionths}) {
        const FieldSpec f = field(FieldType::f32, display);
        for (float v : floats) {
            const std::string text = format_field_value(f, real(v));
            const auto back = parse_field_value(f, text);
            ASSERT_TRUE(back) << text;
            EXPECT_EQ(std::bit_cast<std::uint32_t>(back->real), std::bit_cast<std::uint32_t>(v)) << text;
        }
    }
    const FieldSpec pair = field(FieldType::i16_pair);
    EXPECT_EQ(format_field_value(pair, integer(-3, 1200)), "-3, 1200");
    EXPECT_EQ(parse_field_value(pair, "-3, 1200")->second, 1200);
    EXPECT_EQ(parse_field_value(pair, " 7,8 ")->integer, 7);
    const FieldSpec i32 = field(FieldType::i32);
    EXPECT_EQ(parse_field_value(i32, format_field_value(i32, integer(-2147483648LL)))->integer, -2147483648LL);
}

TEST_F(FieldTextTest, NotANumberSurvivesTheListingButIsNoByte)
{
    const FieldSpec f = field(FieldType::f32);
    const auto back = parse_field_value(f, format_field_value(f, real(std::nanf(""))));
    ASSERT_TRUE(back);
    EXPECT_TRUE(std::isnan(back->real));
    EXPECT_FALSE(parse_field_value(field(FieldType::u8, Display::byte_number), "nan"));
}

TEST_F(FieldTextTest, DisplayConversions)
{
    const FieldSpec thousandths = field(FieldType::f32, Display::thousandths);
    EXPECT_EQ(format_field_value(thousandths, real(5000.0f)), "5");
    EXPECT_EQ(parse_field_value(thousandths, "5")->real, 5000.0f);
    const FieldSpec millionths = field(FieldType::f32, Display::millionths);
    EXPECT_EQ(format_field_value(millionths, real(0.000002f)), "2");
    EXPECT_EQ(parse_field_value(millionths, "2")->real, 0.000002f);
    EXPECT_EQ(format_field_value(millionths, real(0.0000015f)), "1.5");
    EXPECT_FALSE(parse_field_value(millionths, "1e300"));  // past the float range once stored
    const FieldSpec byte = field(FieldType::u8, Display::byte_number);
    EXPECT_EQ(parse_field_value(byte, "5.9")->integer, 5);
    EXPECT_EQ(parse_field_value(byte, "-0.5")->integer, 0);
    EXPECT_EQ(format_field_value(byte, integer(5)), "5");
}

TEST_F(FieldTextTest, ListsTakeIndexOrEntry)
{
    const FieldSpec control = field(FieldType::u8, Display::plain, ChoiceList::control_surface);
    EXPECT_EQ(parse_field_value(control, "3")->integer, 3);
    EXPECT_EQ(parse_field_value(control, "elevator")->integer, 3);
    EXPECT_EQ(parse_field_value(control, "SPOILER")->integer, 10);
    EXPECT_FALSE(parse_field_value(control, "11"));
    EXPECT_FALSE(parse_field_value(control, "-1"));
    EXPECT_EQ(choice_text(control, integer(3)), "ELEVATOR");
    EXPECT_EQ(choice_text(control, integer(40)), "");
    EXPECT_EQ(format_field_value(control, integer(3)), "3");

    const FieldSpec part = field(FieldType::u8, Display::plain, ChoiceList::plane_part);
    EXPECT_EQ(parse_field_value(part, "Right Wing")->integer, 2);

    const FieldSpec steps = field(FieldType::f32, Display::plain, ChoiceList::flap_steps);
    EXPECT_EQ(parse_field_value(steps, "12")->real, 12.0f);
    EXPECT_EQ(parse_field_value(steps, "3.0")->real, 3.0f);
    EXPECT_FALSE(parse_field_value(steps, "13"));
    EXPECT_FALSE(parse_field_value(steps, "2.5"));
    EXPECT_FALSE(parse_field_value(steps, "0"));
    EXPECT_EQ(choice_text(steps, real(4.0f)), "4");
}

TEST_F(FieldTextTest, RejectedTexts)
{
    EXPECT_FALSE(parse_field_value(field(FieldType::f32), ""));
    EXPECT_FALSE(parse_field_value(field(FieldType::f32), "1.5x"));
    EXPECT_FALSE(parse_field_value(field(FieldType::f32), "1e99"));
    EXPECT_FALSE(parse_field_value(field(FieldType::i32), "1.5"));
    EXPECT_FALSE(parse_field_value(field(FieldType::i32), "99999999999"));
    EXPECT_FALSE(parse_field_value(field(FieldType::i16_pair), "1"));
    EXPECT_FALSE(parse_field_value(field(FieldType::i16_pair), "1,70000"));
    EXPECT_EQ(parse_field_value(field(FieldType::f32), "+2.5")->real, 2.5f);
    EXPECT_EQ(parse_field_value(field(FieldType::u8), "300")->integer, 300);  // its low eight bits are written
}

TEST_F(FieldTextTest, FieldsByKeyLabelOrOffset)
{
    const Bytes item(73, 0);
    const RecordSpec& config = *find_record_spec(res_physics_segments, item);
    EXPECT_EQ(find_field(config, "for approach speed"), 10u);
    EXPECT_EQ(find_field(config, "  FOR   approach   SPEED: "), 10u);
    EXPECT_EQ(find_field(config, "@37"), 10u);
    EXPECT_EQ(find_field(config, "@38"), std::nullopt);   // inside a field
    EXPECT_EQ(find_field(config, "speed"), std::nullopt);  // two fields have this label
    EXPECT_EQ(find_field(config, "Segment type"), 0u);     // unique label, colon optional
    EXPECT_EQ(find_field(config, "@x"), std::nullopt);
    EXPECT_EQ(find_field(config, "nothing"), std::nullopt);
}

TEST_F(FieldTextTest, AssignmentsReportWhatWentWrong)
{
    const Bytes item(73, 0);
    Record record = *load_record(*find_record_spec(res_physics_segments, item), item);
    EXPECT_EQ(apply_assignment(record, "for cruise throttle=0.75"), 0);
    EXPECT_EQ(record.new_values[4].real, 0.75f);
    EXPECT_EQ(record.current_values[4].real, 0.0f);
    EXPECT_EQ(apply_assignment(record, "@33=-7"), 0);
    EXPECT_EQ(record.new_values[9].integer, -7);
    EXPECT_EQ(apply_assignment(record, "speed=1"), -1);
    EXPECT_EQ(apply_assignment(record, "for cruise pitch=abc"), -1);
    EXPECT_EQ(apply_assignment(record, "for cruise dummy=1.5"), -1);
    EXPECT_EQ(apply_assignment(record, "no equals sign"), -1);
    EXPECT_EQ(errors(), (std::vector<std::string>{
                            "No single field of this record is named \"speed\"; name it by its group and label or by "
                            "its offset (@N)",
                            "for cruise pitch: Please enter a number.", "for cruise dummy: Please enter an integer.",
                            "Expected NAME=VALUE, not \"no equals sign\""}));
}

}  // namespace
}  // namespace mw::test
