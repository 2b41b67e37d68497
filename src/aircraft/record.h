// A loaded aircraft record: for every field of its layout the current value
// (as read) and the new value (what a save writes), and the generic load and
// in-place encode over the catalogue.
//
// Values are kept in their stored units; the display conversions of a field
// apply only to the text a form shows or a user types (field_text.h), so a
// record saved without changes is byte-identical to what was loaded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "aircraft/record_spec.h"

namespace mw {

// One field's value in stored units: `integer` for u8, i16 and i32 (a new
// value may exceed the width; its low bits are written), `integer` and
// `second` for the halves of an i16 pair, `real` for f32.
struct FieldValue {
    std::int64_t integer = 0;
    std::int64_t second = 0;
    float real = 0;
};

// The field's bytes at `at` (which must hold field_width bytes).
FieldValue read_field(FieldType type, const std::uint8_t* at);
void write_field(FieldType type, const FieldValue& value, std::uint8_t* at);

struct Record {
    const RecordSpec* spec = nullptr;
    std::vector<FieldValue> current_values;
    std::vector<FieldValue> new_values;
    std::size_t item_length = 0;  // the item's length when loaded

    const FieldSpec& field(std::size_t index) const { return spec->fields[index]; }
    std::size_t field_count() const { return spec->fields.size(); }
};

// Loads `item` with `spec`: both copies of every field receive the stored
// value (the prop record's stripe count is capped at 7 and its base-shape
// presets fill the new shape points). When the item does not hold the
// record (for the flap record: its step count), shows spec.load_error and
// returns nothing.
std::optional<Record> load_record(const RecordSpec& spec, ByteSpan item);

// Whether a field belongs to the record as loaded: the flap positions past
// the stored step count, or past the item's end, do not (the form shows them
// as 0).
bool field_was_read(const Record& record, std::size_t index);
// Whether a save writes the field: the flap positions up to the chosen count.
bool field_is_written(const Record& record, std::size_t index);

// Sets a field's new value and applies the record's own follow-ups (choosing
// a prop base shape sets its shape points).
void set_new_value(Record& record, std::size_t index, const FieldValue& value);

// Writes the record's new values over the start of `item`, in place: bytes
// past the record stay as they are and the item never shrinks. Only the flap
// record grows, by four bytes for each position past the item's end.
// Refused, with a message and -1, for a record that is shown only, a new value
// outside its field's range, or an item too short for the record.
[[nodiscard]] int encode_record(const Record& record, Bytes& item);

// The whole-number flap step count of a stored float: truncated, 0 for
// negative or not-a-number values, at most 12 (the rows the form has).
std::size_t flap_step_count(float stored);

// The new value of the field at `offset`, or nullptr.
const FieldValue* new_value_at(const Record& record, int offset);
std::optional<std::size_t> field_index_at(const RecordSpec& spec, int offset);

}  // namespace mw
