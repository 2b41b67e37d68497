#include "aircraft/field_text.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>
#include <vector>

#include "app/workspace/messages.h"

namespace mw {

namespace {

// Integers a form accepts for a field of any integer width; the low bits are written.
constexpr std::int64_t widest_min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t widest_max = std::numeric_limits<std::uint32_t>::max();
constexpr std::int64_t half_min = std::numeric_limits<std::int16_t>::min();
constexpr std::int64_t half_max = std::numeric_limits<std::uint16_t>::max();

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trim(std::string_view s)
{
    while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
    return s;
}

std::string collapse_spaces(std::string_view s)
{
    std::string out;
    bool gap = false;
    for (char c : trim(s)) {
        if (is_space(c)) {
            gap = true;
            continue;
        }
        if (gap) out += ' ';
        gap = false;
        out += c;
    }
    return out;
}

// The form in which names are compared.
std::string comparable(std::string_view name)
{
    std::string s = collapse_spaces(name);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    while (!s.empty() && (s.back() == ':' || s.back() == ' ')) s.pop_back();
    return s;
}

std::string format_float(float value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

template <class T>
std::optional<T> parse_number(std::string_view text)
{
    text = trim(text);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    T value{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::optional<std::int64_t> parse_integer(std::string_view text, std::int64_t min, std::int64_t max)
{
    const auto value = parse_number<std::int64_t>(text);
    if (!value || *value < min || *value > max) return std::nullopt;
    return value;
}

// A whole number written as an integer or a float ("3", "3.0").
std::optional<std::int64_t> parse_whole(std::string_view text)
{
    const auto value = parse_number<double>(text);
    if (!value || !std::isfinite(*value) || std::trunc(*value) != *value || std::fabs(*value) > 1e15) return std::nullopt;
    return std::int64_t(*value);
}

std::optional<FieldValue> parse_choice(const FieldSpec& field, std::string_view text)
{
    const auto& entries = choice_entries(field.choices);
    FieldValue value;
    if (choice_stores_index(field.choices)) {
        if (const auto index = parse_integer(text, 0, std::int64_t(entries.size()) - 1)) {
            value.integer = *index;
            return value;
        }
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (comparable(entries[i]) == comparable(text)) {
                value.integer = std::int64_t(i);
                return value;
            }
        }
        return std::nullopt;
    }
    const auto number = parse_whole(text);
    if (!number) return std::nullopt;
    for (const std::string& entry : entries) {
        if (entry == std::to_string(*number)) {
            value.integer = *number;
            value.real = float(*number);
            return value;
        }
    }
    return std::nullopt;
}

// A shown value in stored units, worked in double so that the text of a
// converted value gives back the stored float; nothing when it leaves the
// float range.
std::optional<float> stored_from_shown(Display display, double shown)
{
    double stored = shown;
    if (display == Display::thousandths) stored = shown * 1000.0;
    if (display == Display::millionths) stored = shown / 1000000.0;
    if (std::isfinite(stored) && std::fabs(stored) > double(std::numeric_limits<float>::max())) return std::nullopt;
    return float(stored);
}

std::optional<FieldValue> parse_float_field(const FieldSpec& field, std::string_view text)
{
    std::optional<float> stored;
    if (field.display == Display::plain) {
        stored = parse_number<float>(text);
    } else if (const auto shown = parse_number<double>(text)) {
        stored = stored_from_shown(field.display, *shown);
    }
    if (!stored) return std::nullopt;
    FieldValue value;
    value.real = *stored;
    return value;
}

// A converted value: the float result when its text reads back to the
// stored bits (5000 shows "5"), else the exact double quotient. The text is
// what is read back, not the float it came from: the shortest text of a
// float is another number once read as a double.
std::string format_converted(Display display, float stored)
{
    const float shown = display == Display::thousandths ? stored / 1000.0f : stored * 1000000.0f;
    const std::string text = format_float(shown);
    const auto text_value = parse_number<double>(text);
    const auto back = text_value ? stored_from_shown(display, *text_value) : std::nullopt;
    if (back && std::bit_cast<std::uint32_t>(*back) == std::bit_cast<std::uint32_t>(stored)) return text;
    const double exact = display == Display::thousandths ? double(stored) / 1000.0 : double(stored) * 1000000.0;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, exact);
    return std::string(buffer, result.ptr);
}

std::optional<FieldValue> parse_pair(std::string_view text)
{
    const auto comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto first = parse_integer(text.substr(0, comma), half_min, half_max);
    const auto second = parse_integer(text.substr(comma + 1), half_min, half_max);
    if (!first || !second) return std::nullopt;
    FieldValue value;
    value.integer = *first;
    value.second = *second;
    return value;
}

std::string join(const std::vector<std::string>& entries)
{
    std::string out;
    for (const std::string& e : entries) out += (out.empty() ? "" : ", ") + e;
    return out;
}

// The key, then the message, with one separator.
std::string about(const FieldSpec& field, const std::string& message)
{
    const std::string key = field_key(field);
    return key + (!key.empty() && key.back() == ':' ? " " : ": ") + message;
}

}  // namespace

std::string field_key(const FieldSpec& field)
{
    const std::string& name = field.name.empty() ? field.label : field.name;
    return collapse_spaces(field.group.empty() ? name : field.group + " " + name);
}

std::optional<std::size_t> find_field(const RecordSpec& spec, std::string_view name)
{
    name = trim(name);
    if (!name.empty() && name.front() == '@') {
        const auto offset = parse_integer(name.substr(1), 0, std::numeric_limits<int>::max());
        return offset ? field_index_at(spec, int(*offset)) : std::nullopt;
    }
    const std::string wanted = comparable(name);
    if (wanted.empty()) return std::nullopt;
    for (bool by_key : {true, false}) {
        std::optional<std::size_t> found;
        int count = 0;
        for (std::size_t i = 0; i < spec.fields.size(); ++i) {
            const FieldSpec& field = spec.fields[i];
            const std::string& own = field.name.empty() ? field.label : field.name;
            if (comparable(by_key ? field_key(field) : own) == wanted) {
                found = i;
                ++count;
            }
        }
        if (count == 1) return found;
        if (count > 1) return std::nullopt;
    }
    return std::nullopt;
}

std::string format_field_value(const FieldSpec& field, const FieldValue& value)
{
    switch (field.type) {
    case FieldType::f32:
        if (field.display == Display::thousandths || field.display == Display::millionths)
            return format_converted(field.display, value.real);
        return format_float(value.real);
    case FieldType::i16_pair: return std::to_string(value.integer) + ", " + std::to_string(value.second);
    default: return std::to_string(value.integer);
    }
}

std::optional<FieldValue> parse_field_value(const FieldSpec& field, std::string_view text)
{
    if (field.choices != ChoiceList::none) return parse_choice(field, text);
    switch (field.type) {
    case FieldType::f32: return parse_float_field(field, text);
    case FieldType::i16_pair: return parse_pair(text);
    default: break;
    }
    std::optional<std::int64_t> number;
    if (field.display == Display::byte_number) {
        // Shown with decimals; the byte keeps the truncated whole part.
        const auto real = parse_number<double>(text);
        if (real && std::isfinite(*real) && *real > double(widest_min) - 1 && *real < double(widest_max) + 1)
            number = std::int64_t(*real);
    } else {
        number = parse_integer(text, widest_min, widest_max);
    }
    if (!number || (field.ranged && (*number < field.min_value || *number > field.max_value))) return std::nullopt;
    FieldValue value;
    value.integer = *number;
    return value;
}

std::string choice_text(const FieldSpec& field, const FieldValue& value)
{
    const auto& entries = choice_entries(field.choices);
    if (entries.empty()) return {};
    if (choice_stores_index(field.choices))
        return value.integer >= 0 && std::size_t(value.integer) < entries.size() ? entries[std::size_t(value.integer)]
                                                                                 : std::string();
    const std::string shown = field.type == FieldType::f32 ? format_float(value.real) : std::to_string(value.integer);
    for (const std::string& entry : entries)
        if (entry == shown) return entry;
    return {};
}

std::string field_parse_message(const FieldSpec& field)
{
    if (field.choices != ChoiceList::none) return about(field, "Please select one of: " + join(choice_entries(field.choices)) + ".");
    if (field.ranged)
        return about(field, "Please enter an integer between " + std::to_string(field.min_value) + " and " +
                                std::to_string(field.max_value) + ".");
    if (field.type == FieldType::f32 || field.display == Display::byte_number) return about(field, "Please enter a number.");
    if (field.type == FieldType::i16_pair) return about(field, "Please enter two integers separated by a comma.");
    return about(field, "Please enter an integer.");
}

int set_field_text(Record& record, std::size_t index, std::string_view text)
{
    const RecordSpec& spec = *record.spec;
    if (!spec.saves()) return report_error(spec.save_refusal);
    const FieldSpec& field = record.field(index);
    if (field.save == SaveRule::as_read || field.save == SaveRule::always_zero)
        return report_error(about(field, "This value is shown only and cannot be changed."));
    const auto value = parse_field_value(field, text);
    if (!value) return report_error(field_parse_message(field));
    set_new_value(record, index, *value);
    return 0;
}

int set_field_text(Record& record, std::string_view name, std::string_view text)
{
    const auto index = find_field(*record.spec, name);
    if (!index) {
        return report_error("No single field of this record is named \"" + std::string(trim(name)) +
                            "\"; name it by its group and label or by its offset (@N)");
    }
    return set_field_text(record, *index, text);
}

int apply_assignment(Record& record, std::string_view assignment)
{
    const auto equals = assignment.find('=');
    if (equals == std::string_view::npos)
        return report_error("Expected NAME=VALUE, not \"" + std::string(assignment) + "\"");
    return set_field_text(record, assignment.substr(0, equals), assignment.substr(equals + 1));
}

int apply_assignments(Record& record, const std::vector<std::string>& assignments)
{
    std::vector<std::size_t> assigned;
    for (const std::string& assignment : assignments) {
        if (apply_assignment(record, assignment) != 0) return -1;
        assigned.push_back(*find_field(*record.spec, std::string_view(assignment).substr(0, assignment.find('='))));
    }
    for (const std::size_t index : assigned) {
        if (field_is_written(record, index)) continue;
        const FieldSpec& field = record.field(index);
        if (record.spec->special != RecordSpecial::flap_steps) return report_error(about(field, "This value is not saved."));
        // Position k is field k of the flap record.
        const std::string steps = std::to_string(flap_step_count(record.new_values[0].real));
        return report_error(about(field, "This position is not saved with " + steps + " flap steps; set \"Flap Steps:\" to " +
                                             std::to_string(index) + " or more to save it."));
    }
    return 0;
}

}  // namespace mw
