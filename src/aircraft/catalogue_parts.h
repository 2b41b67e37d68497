// The parts of the record catalogue, each appending its layouts in match order.
#pragma once

#include <vector>

#include "aircraft/record_spec.h"

namespace mw {

void add_physics_records(std::vector<RecordSpec>& out);   // trims, break force, flaps, damping
void add_physics_segments(std::vector<RecordSpec>& out);  // items of entry 2138
void add_axle_records(std::vector<RecordSpec>& out);      // 2054, 2055
void add_sound_records(std::vector<RecordSpec>& out);     // 26991, 11004, 11405, 11500
void add_shape_records(std::vector<RecordSpec>& out);     // 2052 name, 2056 prop

}  // namespace mw
