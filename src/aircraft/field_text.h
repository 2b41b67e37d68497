// Field values as text, the way a form shows and a user types them: display
// units applied (thousandths, millionths), list choices by their index (or
// entry name), i16 pairs as "a, b". Every text format_field_value writes is
// read back by parse_field_value to the same stored value, so a record
// listing can be fed back to set fields.
//
// Fields are named by their key (group and name, whitespace collapsed), by
// their name alone when no other field has it, or by "@offset". A field's
// name is its label unless the label repeats in its group or is empty.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "aircraft/record.h"

namespace mw {

// The field's group and name (its label unless it has a name of its own)
// joined by a space, whitespace runs collapsed.
std::string field_key(const FieldSpec& field);

// The field a name means; nothing when none or several fit. Names compare
// without case, whitespace runs collapsed and a trailing colon ignored.
std::optional<std::size_t> find_field(const RecordSpec& spec, std::string_view name);

std::string format_field_value(const FieldSpec& field, const FieldValue& value);
std::optional<FieldValue> parse_field_value(const FieldSpec& field, std::string_view text);

// The list entry a list field's value selects; empty when none or no list.
std::string choice_text(const FieldSpec& field, const FieldValue& value);

// What a user is told when `text` is not a value of `field`.
std::string field_parse_message(const FieldSpec& field);

// Sets the new value of the field `name` from `text` (NAME=VALUE). Unknown
// or ambiguous names, fields that are only shown and texts that do not parse
// are reported and give -1.
[[nodiscard]] int set_field_text(Record& record, std::string_view name, std::string_view text);
[[nodiscard]] int set_field_text(Record& record, std::size_t index, std::string_view text);

// "NAME=VALUE" split at its first '=' and applied.
[[nodiscard]] int apply_assignment(Record& record, std::string_view assignment);

// Every "NAME=VALUE" applied in order; then a field the save would not write
// (a flap position past the step count they leave) is refused, so that no
// value given is dropped without a word.
[[nodiscard]] int apply_assignments(Record& record, const std::vector<std::string>& assignments);

}  // namespace mw
