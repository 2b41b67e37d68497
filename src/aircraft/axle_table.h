// The axle tables (entries 2054 and 2055): per kind of part a byte pair,
// number of pieces and first model axle.
#pragma once

#include <cstddef>
#include <optional>

#include "aircraft/record.h"

namespace mw {

inline std::size_t axle_kind_count(const Record& record) { return record.field_count() / 2; }

// "ending at model axle:" of kind `kind` from the new values: first + number
// - 1 when the number of pieces is positive, else nothing.
inline std::optional<std::int64_t> axle_ending(const Record& record, std::size_t kind)
{
    const std::size_t at = 2 * kind;
    if (at + 1 >= record.field_count() || record.new_values[at].integer <= 0) return std::nullopt;
    return record.new_values[at + 1].integer + record.new_values[at].integer - 1;
}

}  // namespace mw
