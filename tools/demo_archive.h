// The demo archive: an aircraft archive made entirely by our own code, with
// one entry of every kind the program displays, so every view can be
// opened without game files.
//
//   File  ID     what
//   1     11005  voices: a WAV sound (key entry "Voices")
//   2     26001  sounds: a compressed compound of two WAV sounds (key entry "Sounds")
//   3     1971   texture 0: an 8-bit image item, 128 x 96 (key entry "Textures")
//   4     2053   the model definition naming model 3000
//   5     3000   a textured 3D model (key entry "3D Models")
//   6     2059   the aircraft palette (key entry "Palette")
//   7     2900   cockpit & panel: a 16-bit image item, 800 x 600, compressed (key entry "Cockpit")
//   8     2052   aircraft name and description (compound)
//   9     2054   axles
//   10    2056   prop
//   11-18 2130 ... 2137  trims, breakup forces, flaps, damping
//   19    2138   air-physics segments (compound: contact point, gear, fuel system, anti-ice)
//   20    26991  player sound definition
//   21    2060   a second palette ("dusk"; key 2 makes it current)
//   22    500    an unknown blob, compressed
//   23    300    a compressed compound entry of three text items
#pragma once

#include "support/res_builder.h"

namespace mw::demo {

// Files of the demo archive (1-based, as the tree numbers them).
enum DemoFile : int {
    demo_voices = 1,
    demo_sounds = 2,
    demo_texture = 3,
    demo_model = 5,
    demo_palette = 6,
    demo_cockpit = 7,
    demo_name = 8,
    demo_segments = 19,
    demo_second_palette = 21,
    demo_unknown = 22,
    demo_compound = 23,
};

inline constexpr int demo_texture_width = 128;
inline constexpr int demo_texture_height = 96;

// Colour index of texture pixel (x, y), y = 0 the top row.
std::uint8_t demo_texture_index(int x, int y);
// Palette colour k of the aircraft palette, red, green, blue.
std::array<std::uint8_t, 3> demo_palette_colour(int k);

test::ResBuilder demo_archive();

}  // namespace mw::demo
