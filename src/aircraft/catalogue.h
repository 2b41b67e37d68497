// The catalogue of aircraft record layouts and how an item finds its layout.
//
// An item is edited by a record form when its entry's resource ID names a
// record kind; for the air-physics entry 2138 the item's length picks the
// segment, and for a few lengths the segment-type byte picks the labels.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "aircraft/record_spec.h"

namespace mw {

// Resource IDs of the entries that hold aircraft records.
enum AircraftResource : int {
    res_aircraft_name = 2052,
    res_aircraft_axles = 2054,
    res_cockpit_axles = 2055,
    res_prop = 2056,
    res_flaps = 2135,
    res_physics_segments = 2138,
    res_call_voices = 11004,
    res_pilot_voices = 11405,
    res_aircraft_call = 11500,
    res_player_sound = 26991,
};

// Every layout, in match order: a kind's specific variants before its general one.
const std::vector<RecordSpec>& record_catalogue();

// The layout for an item of entry `resource_id` with the bytes `item`; nullptr
// when no form edits it (an ordinary entry, a 2138 segment of unknown length).
const RecordSpec* find_record_spec(int resource_id, ByteSpan item);

// The kind by resource ID and item length only, for classification: the form
// class, the notice code and the type text are the same for every variant.
const RecordSpec* find_record_kind(int resource_id, std::size_t length);

// The caption of a form's confirm button: the layout's own, else "Change
// Value" when the form has a single new value and "Change Values" otherwise.
std::string confirm_caption(const RecordSpec& spec);

// "AEROTYPE_…" of an air-physics segment of `length` bytes; empty when none.
std::string segment_info_text(std::size_t length);

// 2138 followed by the length in at least two decimal digits: length 5
// gives 213805, length 109 gives 2138109.
int segment_notice_code(int length);

}  // namespace mw
