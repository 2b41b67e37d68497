// The stripe slider's arithmetic: where a dropped marker lands (clamped, or
// removed outside the control with style 0x10), the bubble text and the
// numbers its notices carry.
#include <gtest/gtest.h>

#include "aircraft/multi_slider_math.h"

namespace mw {
namespace {

// A 200-pixel track over the range 0 to 100.
constexpr SliderRange percent{0, 100};

TEST(MultiSliderMath, DropInsideTakesTheValueUnderTheCursor)
{
    EXPECT_EQ(dropped_value(50, 200, true, percent, 0), 25.0f);
    EXPECT_EQ(dropped_value(100, 200, true, percent, slider_remove_outside), 50.0f);
}

TEST(MultiSliderMath, DropOutsideClampsUnlessTheStyleRemoves)
{
    EXPECT_EQ(dropped_value(250, 200, false, percent, 0), 100.0f);
    EXPECT_EQ(dropped_value(-20, 200, false, percent, 0), 0.0f);
    EXPECT_EQ(dropped_value(250, 200, false, percent, slider_remove_outside), std::nullopt);
}

TEST(MultiSliderMath, ValueAndPositionOverAnOffsetRange)
{
    const SliderRange range{-10, 30};  // 40 units over 200 pixels
    EXPECT_EQ(slider_value_at(150, 200, range), 20.0f);
    EXPECT_DOUBLE_EQ(slider_position_of(0, 200, range), 50.0);
}

TEST(MultiSliderMath, BubbleTextFollowsTheWholeValuesStyle)
{
    EXPECT_EQ(bubble_text(12.34f, slider_whole_values), "12");
    EXPECT_EQ(bubble_text(12.34f, 0), "12.3");
}

TEST(MultiSliderMath, NoticesCarryIndexPlusTenAndTenThousandths)
{
    const SliderNotice moved = marker_notice(1, 50.0f);
    EXPECT_EQ(moved.index, 11);
    EXPECT_EQ(moved.value, 500000);
    const SliderNotice colour = colour_notice(2, 101);  // "Color 2" on interval 2
    EXPECT_EQ(colour.index, 2);
    EXPECT_EQ(colour.value, 1);
    EXPECT_FALSE(offers_colour_menu(slider_colour_menu));
    EXPECT_TRUE(offers_colour_menu(slider_colour_menu | slider_colour_menu_on));
}

}  // namespace
}  // namespace mw
