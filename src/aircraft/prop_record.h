// The prop record (entry 2056, 180 bytes): its rules beside the generic
// field table — the stripe-count cap, the base-shape presets, the colour
// swatches, the notices of the form's custom controls, and the preview
// geometry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "aircraft/record.h"

namespace mw {

namespace prop_layout {
inline constexpr int colours = 0;  // three colours of three f32 (red, green, blue)
inline constexpr int blades = 36;
inline constexpr int length = 40;
inline constexpr int stripes = 44;
inline constexpr int stripe_colours = 48;    // i32 ×8
inline constexpr int stripe_positions = 80;  // f32 ×8
inline constexpr int base_shape = 112;
inline constexpr int widths = 116;   // f32 ×8
inline constexpr int lengths = 148;  // f32 ×8
inline constexpr int size = 180;
inline constexpr int max_loaded_stripes = 7;
}  // namespace prop_layout

// Chooses base shape 2 to 4 (preset points) or 5 (the record's own points,
// as loaded) and sets the new base shape.
void apply_base_shape(Record& record, int shape);

// A notice of the form's controls (WM_USER+4 with index and value):
// 1 to 7 set that stripe colour slot to `value`; 10 and up set stripe
// position slot index - 10 to value × 0.000001. Index 0 (a swatch changed)
// needs nothing here; 8, 9 and slots past the eighth are ignored.
// True when a value changed.
bool apply_prop_notice(Record& record, int index, int value);

// Colour swatch 0 to 2 as a packed 24-bit value (red in the low byte), from
// the new floats truncated to 0…255.
std::uint32_t prop_colour(const Record& record, int swatch);
// Sets a swatch; the stored floats stay untouched when the packed colour is
// the one they already give, so fractional channels survive a save.
void set_prop_colour(Record& record, int swatch, std::uint32_t rgb);

struct PreviewPoint {
    double x = 0;
    double y = 0;
};
// Shape point i at (w × length(i), h/2 + w/2 × width(i)).
std::vector<PreviewPoint> prop_shape_points(const Record& record, double width, double height);

struct StripeBand {
    float from = 0;
    float to = 0;
    std::int32_t colour = 0;
};
// The stripe bar: one band per stripe from its position to the next (a next
// position of 0 or none reads as 1), stripes 0 to the stripe count in order,
// stopping at the first position of 1 or more.
std::vector<StripeBand> prop_stripe_bands(const Record& record);

// Hooks of the generic load and set (record.cpp).
void prop_after_load(Record& record);
void prop_after_set(Record& record, std::size_t index);

}  // namespace mw
