// The aircraft call texts (entry 11500): after a 14-byte header (a u16 and
// three u32, not shown) the full call and the short call, each
// zero-terminated. The record is only shown.
#pragma once

#include <string>

#include "archive/byte_io.h"

namespace mw {

struct AircraftCall {
    std::string full_call;
    std::string short_call;
    bool complete = false;  // both zero bytes were found
};

// Reads the texts; when the item ends early, shows "Error#62: Error reading
// aircraft call file" and keeps what was read.
AircraftCall load_aircraft_call(ByteSpan item);

}  // namespace mw
