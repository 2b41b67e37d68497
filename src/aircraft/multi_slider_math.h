// The multi-marker slider's arithmetic (the prop editor's stripe markers),
// free of widgets: value and position along the track, where a dropped
// marker lands, the bubble's text and the numbers the slider's notices carry.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

namespace mw {

// Style bits of CMultiSlider.
enum SliderStyle : int {
    slider_colour_menu = 0x01,   // with slider_colour_menu_on: right click offers "Color 1/2/3"
    slider_whole_values = 0x04,  // bubble "%.0f", else "%.1f"
    slider_bubble = 0x08,        // the value bubble follows the marker
    slider_remove_outside = 0x10,
    slider_colour_menu_on = 0x40,
};

struct SliderRange {
    float minimum = 0;
    float maximum = 100;
};

// The value at `position` pixels along a track of `length` pixels (not clamped).
inline float slider_value_at(double position, double length, SliderRange range)
{
    if (length <= 0) return range.minimum;
    return float(range.minimum + (position / length) * (double(range.maximum) - range.minimum));
}

inline double slider_position_of(float value, double length, SliderRange range)
{
    const double span = double(range.maximum) - range.minimum;
    return span == 0 ? 0 : (double(value) - range.minimum) / span * length;
}

// Where a marker dropped at `position` lands: clamped into the range, or
// nothing (the marker is removed) when the slider removes markers dropped
// outside it and `inside` is false.
inline std::optional<float> dropped_value(double position, double length, bool inside, SliderRange range, int style)
{
    if ((style & slider_remove_outside) && !inside) return std::nullopt;
    return std::clamp(slider_value_at(position, length, range), range.minimum, range.maximum);
}

inline std::string bubble_text(float value, int style)
{
    char text[64];
    std::snprintf(text, sizeof text, (style & slider_whole_values) ? "%.0f" : "%.1f", double(value));
    return text;
}

inline bool offers_colour_menu(int style)
{
    return (style & slider_colour_menu) && (style & slider_colour_menu_on);
}

// The notice of a moved marker: (marker index + 10, value × 10000 as an integer).
struct SliderNotice {
    int index = 0;
    int value = 0;
};
inline SliderNotice marker_notice(int marker, float value)
{
    return {marker + 10, int(double(value) * 10000.0)};
}
// The notice of an interval's colour chosen from the menu (command 100 + c).
inline SliderNotice colour_notice(int interval, int command)
{
    return {interval, command - 100};
}

}  // namespace mw
