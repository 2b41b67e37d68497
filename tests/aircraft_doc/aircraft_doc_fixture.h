// An aircraft archive with one entry or item of most record kinds, and
// helpers to compare what its entries hold before and after a save.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "archive/byte_io.h"
#include "support/res_builder.h"

namespace mw::test {

// Files (1-based, as the tree numbers them) of the built aircraft archive.
enum AircraftFile : int {
    file_cockpit = 7,
    file_name = 8,    // 2052: item 1 the name record, item 2 other bytes
    file_trim = 9,    // 2130: 1.5
    file_flaps = 10,  // 2135: 2 steps at 10 and 20
    file_segments = 11,
    file_axles = 12,
    file_prop = 13,
    file_player_sound = 14,
    file_call_voices = 15,
};

// Items of the 2138 entry.
enum SegmentItem : int {
    item_contact = 1,  // 18 bytes: right wing, mass 2, position (1, 2, 3)
    item_gear = 2,     // 101 bytes
    item_fuel_system = 3,
    item_anti_ice = 4,
};

// The name item: prefix 02 00 05, two filler bytes, "Cessna", then the
// description "Line one\nLine two" and two bytes after its zero.
Bytes name_item();

// The six key entries (voices, sounds, textures, model, palette, cockpit),
// then the record entries listed above.
ResBuilder aircraft_records_archive();


// What every entry holds: its directory block followed by its uncompressed data.
std::vector<Bytes> entry_contents(const std::filesystem::path& archive, const std::filesystem::path& scratch);

}  // namespace mw::test
