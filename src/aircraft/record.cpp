#include "aircraft/record.h"

#include <algorithm>
#include <array>
#include <string>

#include "aircraft/field_text.h"
#include "aircraft/prop_record.h"
#include "app/workspace/messages.h"

namespace mw {

FieldValue read_field(FieldType type, const std::uint8_t* at)
{
    FieldValue v;
    switch (type) {
    case FieldType::u8: v.integer = at[0]; break;
    case FieldType::i16: v.integer = get_i16(at); break;
    case FieldType::i32: v.integer = get_i32(at); break;
    case FieldType::f32: v.real = get_f32(at); break;
    case FieldType::i16_pair:
        v.integer = get_i16(at);
        v.second = get_i16(at + 2);
        break;
    }
    return v;
}

void write_field(FieldType type, const FieldValue& value, std::uint8_t* at)
{
    switch (type) {
    case FieldType::u8: at[0] = std::uint8_t(value.integer); break;
    case FieldType::i16: put_u16(at, std::uint32_t(value.integer)); break;
    case FieldType::i32: put_u32(at, std::uint32_t(value.integer)); break;
    case FieldType::f32: put_f32(at, value.real); break;
    case FieldType::i16_pair:
        put_u16(at, std::uint32_t(value.integer));
        put_u16(at + 2, std::uint32_t(value.second));
        break;
    }
}

std::size_t flap_step_count(float stored)
{
    if (!(stored >= 1.0f)) return 0;  // also not-a-number
    if (stored >= 12.0f) return 12;
    return std::size_t(stored);
}

namespace {

// Fields of the flap record: the count, then position k at index k.
std::size_t flap_fields_in(const std::vector<FieldValue>& values) { return 1 + flap_step_count(values[0].real); }

bool is_flaps(const Record& record) { return record.spec->special == RecordSpecial::flap_steps; }

// Bytes a load needs: the flap record needs only its count; it loads the
// positions the item holds, up to that count.
std::size_t bytes_needed(const RecordSpec& spec)
{
    if (spec.special != RecordSpecial::flap_steps) return std::size_t(spec.length);
    return std::size_t(spec.fields[0].end());
}

}  // namespace

bool field_was_read(const Record& record, std::size_t index)
{
    if (!is_flaps(record)) return true;
    return index < flap_fields_in(record.current_values) && std::size_t(record.field(index).offset) < record.item_length;
}

bool field_is_written(const Record& record, std::size_t index)
{
    const FieldSpec& field = record.field(index);
    if (field.save == SaveRule::as_read) return false;
    return !is_flaps(record) || index < flap_fields_in(record.new_values);
}

std::optional<Record> load_record(const RecordSpec& kind, ByteSpan item)
{
    Record record;
    record.spec = &kind;
    record.item_length = item.size();
    record.current_values.resize(kind.fields.size());

    if (item.size() < bytes_needed(kind)) {
        report_error(kind.load_error);
        return std::nullopt;
    }
    // The flap record's count decides how many positions follow it.
    if (kind.special == RecordSpecial::flap_steps) record.current_values[0] = read_field(FieldType::f32, item.data());
    for (std::size_t i = 0; i < kind.fields.size(); ++i) {
        const FieldSpec& field = kind.fields[i];
        if (!field_was_read(record, i)) continue;
        // A flap position cut by the item's end keeps the bytes it has (the
        // rest read as 0), so a save writes them back rather than zeros.
        std::array<std::uint8_t, 4> bytes{};
        const std::size_t at = std::size_t(field.offset);
        std::copy_n(&item[at], std::min(field_width(field.type), item.size() - at), bytes.begin());
        record.current_values[i] = read_field(field.type, bytes.data());
    }
    record.new_values = record.current_values;
    if (kind.special == RecordSpecial::prop) prop_after_load(record);
    return record;
}

void set_new_value(Record& record, std::size_t index, const FieldValue& value)
{
    record.new_values.at(index) = value;
    if (record.spec->special == RecordSpecial::prop) prop_after_set(record, index);
}

int encode_record(const Record& record, Bytes& item)
{
    const RecordSpec& spec = *record.spec;
    if (!spec.saves()) return report_error(spec.save_refusal);
    // The name record's texts have their own save (aircraft_name.h).
    if (spec.fields.empty()) return report_error("This record has no fields to save");

    std::size_t needed = std::size_t(spec.length);
    if (is_flaps(record)) needed = std::size_t(spec.fields[flap_fields_in(record.new_values) - 1].end());
    if (item.size() < needed && !is_flaps(record))
        return report_error("The item holds " + std::to_string(item.size()) + " bytes, too few for its record of " +
                            std::to_string(needed) + " bytes");

    for (std::size_t i = 0; i < spec.fields.size(); ++i) {
        const FieldSpec& field = spec.fields[i];
        const FieldValue& value = record.new_values[i];
        if (field.ranged && field_is_written(record, i) && (value.integer < field.min_value || value.integer > field.max_value))
            return report_error(field_parse_message(field));
    }

    if (item.size() < needed) item.resize(needed, 0);  // a flap record with more steps than it had
    for (std::size_t i = 0; i < spec.fields.size(); ++i) {
        if (!field_is_written(record, i)) continue;
        const FieldSpec& field = spec.fields[i];
        const FieldValue value = field.save == SaveRule::always_zero ? FieldValue{} : record.new_values[i];
        write_field(field.type, value, &item[std::size_t(field.offset)]);
    }
    return 0;
}

std::optional<std::size_t> field_index_at(const RecordSpec& spec, int offset)
{
    for (std::size_t i = 0; i < spec.fields.size(); ++i)
        if (spec.fields[i].offset == offset) return i;
    return std::nullopt;
}

const FieldValue* new_value_at(const Record& record, int offset)
{
    const auto index = field_index_at(*record.spec, offset);
    return index ? &record.new_values[*index] : nullptr;
}

}  // namespace mw
