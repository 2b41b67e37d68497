// Aircraft record commands: record (show a record as its form does),
// record-set (change fields and save as confirming the form does) and
// visualise (the "3D model code:" text of a located part).
//
// Fields are printed as "NAME = VALUE" with VALUE as the form shows it, so
// that a line of `record` can be given back to `record-set` as NAME=VALUE.
#include <algorithm>
#include <charconv>
#include <iostream>

#include "aircraft/aircraft_call.h"
#include "aircraft/axle_table.h"
#include "aircraft/catalogue.h"
#include "aircraft/field_text.h"
#include "aircraft/model_code.h"
#include "aircraft/record_file.h"
#include "app/workspace/messages.h"
#include "cli/commands.h"
#include "cli/selection_args.h"
#include "archive/windows1252.h"
#include "document/record_saving.h"

namespace mw::cli {

namespace {

// One printed field: a record field or one of the texts of the name and call records.
struct FieldLine {
    int offset = 0;
    std::string type;
    std::string name;
    std::string label;
    std::string group;
    std::string value;
    std::string note;  // beside the value: the list entry chosen, or where an axle run ends
    bool editable = true;
    bool shown = true;
};

// "@OFFSET", the name every field also answers to. Built by appending: GCC 12
// reports a false -Wrestrict for "@" + std::to_string(...).
std::string offset_key(std::size_t offset)
{
    std::string key = "@";
    key += std::to_string(offset);
    return key;
}

std::string type_name(FieldType type)
{
    switch (type) {
    case FieldType::u8: return "u8";
    case FieldType::i16: return "i16";
    case FieldType::i32: return "i32";
    case FieldType::f32: return "f32";
    case FieldType::i16_pair: return "i16x2";
    }
    return "?";
}

// Record texts on one line: backslash escapes for the backslash and control bytes.
std::string escape_text(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                static const char hex[] = "0123456789abcdef";
                out += "\\x";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += char(c);
            }
        }
    }
    return out;
}

std::optional<std::string> unescape_text(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'x': {
            unsigned value = 0;
            if (i + 2 >= text.size()) return std::nullopt;
            const auto [end, ec] = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
            // A zero byte would end the text early inside the record.
            if (ec != std::errc() || end != text.data() + i + 3 || value == 0) return std::nullopt;
            out += char(value);
            i += 2;
            break;
        }
        default: return std::nullopt;
        }
    }
    return out;
}

std::vector<FieldLine> record_lines(const Record& record)
{
    std::vector<FieldLine> lines;
    for (std::size_t i = 0; i < record.field_count(); ++i) {
        const FieldSpec& field = record.field(i);
        FieldLine line;
        line.offset = field.offset;
        line.type = type_name(field.type);
        line.name = field_key(field);
        line.label = field.label;
        line.group = field.group;
        // What the next save writes: a prop's preset shape points replace its stored ones.
        line.value = format_field_value(field, record.new_values[i]);
        if (choice_stores_index(field.choices)) line.note = choice_text(field, record.new_values[i]);
        const std::string stored = format_field_value(field, record.current_values[i]);
        if (stored != line.value) line.note = "stored: " + stored;
        // Tables with a computed column (the axles' ending axle) note it on each row's first field.
        const std::string& computed = record.spec->computed_column;
        if (!computed.empty() && i % 2 == 0) {
            if (const auto ending = axle_ending(record, i / 2)) line.note = computed + " " + std::to_string(*ending);
        }
        line.editable = record.spec->saves() && field.save != SaveRule::as_read && field.save != SaveRule::always_zero;
        line.shown = field.shown;
        lines.push_back(line);
    }
    return lines;
}

FieldLine text_line(int offset, std::size_t length, const std::string& name, const std::string& value, bool editable)
{
    FieldLine line;
    line.offset = offset;
    line.type = "char[" + std::to_string(length) + "]";
    line.name = line.label = name;
    line.value = escape_text(value);
    line.editable = editable;
    return line;
}

std::string without_carriage_returns(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

std::vector<FieldLine> name_lines(const AircraftName& name)
{
    const NameLayout& at = name.layout;
    return {text_line(int(at.name_offset), at.name_length, "Name:", name.name, true),
            text_line(int(at.name_offset + at.name_length + 1), at.description_length, "Description:",
                      without_carriage_returns(name.description), true)};
}

std::vector<FieldLine> call_lines(const fs::path& file)
{
    const auto bytes = read_record_bytes(file);
    if (!bytes) return {};
    const AircraftCall call = load_aircraft_call(*bytes);
    const int full_at = 14;
    const int short_at = full_at + int(call.full_call.size()) + 1;
    return {text_line(full_at, call.full_call.size(), "Aircraft Call:", call.full_call, false),
            text_line(short_at, call.short_call.size(), "short call", call.short_call, false)};
}

std::string saving_text(const RecordSpec& layout)
{
    if (!layout.saves()) return "not saved: " + layout.save_refusal;
    std::string text = "WM_USER+";
    text += std::to_string(layout.notice_message);
    if (layout.notice_message == 3) text += ", notice code " + std::to_string(layout.notice_code);
    return text;
}

void print_text(const RecordSpec& layout, int resource_id, std::size_t length, const std::vector<FieldLine>& lines)
{
    // The form's internals (its class, the message it saves with) are for --json.
    std::cout << "Record      : " << layout.info_text << " (resource " << resource_id << ", " << length << " bytes)\n"
              << "Title       : " << layout.title << '\n';
    if (!layout.saves()) std::cout << "Saving      : not possible, " << layout.save_refusal << '\n';
    std::cout << "Fields      : offset, type, name = value\n";
    for (const FieldLine& line : lines) {
        std::string offset = offset_key(std::size_t(line.offset));
        offset.resize(std::max<std::size_t>(offset.size() + 1, 6), ' ');
        std::string type = line.type;
        type.resize(std::max<std::size_t>(type.size() + 1, 7), ' ');
        std::cout << "  " << offset << type << line.name << " = "
                  << utf8_from_windows1252(line.value);
        if (!line.note.empty()) std::cout << "  (" << line.note << ")";
        if (!line.shown) std::cout << "  [not shown, kept as read]";
        else if (!line.editable && layout.saves()) std::cout << "  [shown only]";
        std::cout << '\n';
    }
}

void print_json(const RecordSpec& layout, int resource_id, std::size_t length, const std::vector<FieldLine>& lines)
{
    std::cout << "{\"record\":" << json_literal(layout.info_text) << ",\"resource_id\":" << resource_id
              << ",\"length\":" << length << ",\"form_class\":" << json_literal(layout.form_class)
              << ",\"title\":" << json_literal(layout.title) << ",\"notice_message\":" << layout.notice_message
              << ",\"notice_code\":" << layout.notice_code << ",\"saved_with\":" << json_literal(saving_text(layout))
              << ",\"saves\":" << (layout.saves() ? "true" : "false")
              << ",\"save_refusal\":" << json_literal(layout.save_refusal) << ",\"fields\":[";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const FieldLine& line = lines[i];
        std::cout << (i ? "," : "") << "{\"offset\":" << line.offset << ",\"type\":" << json_literal(line.type)
                  << ",\"name\":" << json_literal(line.name) << ",\"label\":" << json_literal(line.label)
                  << ",\"group\":" << json_literal(line.group) << ",\"value\":" << json_string(line.value)
                  << ",\"note\":" << json_literal(line.note) << ",\"editable\":" << (line.editable ? "true" : "false")
                  << ",\"shown\":" << (line.shown ? "true" : "false") << "}";
    }
    std::cout << "]}\n";
}

// The selected item's record kind; reported when the item has none.
const RecordSpec* record_kind(const CMarrowickDoc& doc, const Selection& selection)
{
    const RecordSpec* kind = doc.selected_record_kind();
    if (!kind) {
        report_error("Error: file " + std::to_string(selection.file) + " item " + std::to_string(doc.selected_item()) +
                     " is not an aircraft record");
    }
    return kind;
}

// "NAME" of a NAME=VALUE of the name record: which of its two texts.
enum class NameText { none, name, description };

NameText name_text_of(std::string_view key, const NameLayout& layout)
{
    std::string k;
    for (char c : key)
        if (c != ' ' && c != '\t' && c != ':') k += char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (k == "name" || k == "newname" || k == "aircraftname" || k == offset_key(layout.name_offset))
        return NameText::name;
    if (k == "description" || k == offset_key(layout.name_offset + layout.name_length + 1))
        return NameText::description;
    return NameText::none;
}

int set_aircraft_name(CMarrowickDoc& doc, const std::vector<std::string>& assignments)
{
    const auto loaded = doc.load_selected_aircraft_name();
    if (!loaded) return exit_failed;
    std::string name = loaded->name;
    std::string description = without_carriage_returns(loaded->description);
    for (const std::string& assignment : assignments) {
        const auto equals = assignment.find('=');
        const NameText which = name_text_of(std::string_view(assignment).substr(0, equals), loaded->layout);
        if (which == NameText::none) {
            report_error("The aircraft name record has the texts \"Name\" and \"Description\", not \"" +
                         assignment.substr(0, equals) + "\"");
            return exit_failed;
        }
        // Typed as UTF-8, stored as the game's Windows-1252.
        const auto typed = game_text_from_typed(std::string_view(assignment).substr(equals + 1));
        if (!typed) return exit_failed;
        const auto text = unescape_text(*typed);
        if (!text) {
            report_error("Unknown escape in \"" + assignment + "\"; use \\\\, \\n, \\t, \\r or \\xNN (not \\x00)");
            return exit_failed;
        }
        (which == NameText::name ? name : description) = *text;
    }
    return doc.save_aircraft_name(doc.display_request().file, name, description, loaded->layout) == 0 ? exit_ok
                                                                                                        : exit_failed;
}

std::optional<float> parse_float(const std::string& text)
{
    float value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

}  // namespace

int run_record(Args& args)
{
    const bool json = args.flag("--json");
    const auto selection = parse_selection(args);
    if (!selection) return usage(args, "record");
    HeadlessDocument session;
    CMarrowickDoc& doc = session.doc;
    if (!open_and_select(doc, *selection)) return exit_failed;
    const RecordSpec* kind = record_kind(doc, *selection);
    if (!kind) return exit_failed;

    std::vector<FieldLine> lines;
    if (kind->special == RecordSpecial::aircraft_name) {
        const auto name = doc.load_selected_aircraft_name();
        if (!name) return exit_failed;
        lines = name_lines(*name);
    } else {
        const auto record = doc.load_selected_record();
        if (!record) return exit_failed;
        kind = record->spec;  // the variant the bytes chose
        lines = record_lines(*record);
        if (kind->special == RecordSpecial::aircraft_call) {
            const auto calls = call_lines(doc.display_request().file);
            lines.insert(lines.end(), calls.begin(), calls.end());
        }
    }
    const int resource_id = doc.selected_entry()->resource_id;
    const std::size_t length = record_item_length(*doc.selected_entry(), doc.selected_item());
    if (json)
        print_json(*kind, resource_id, length, lines);
    else
        print_text(*kind, resource_id, length, lines);
    return exit_ok;
}

int run_record_set(Args& args)
{
    // Values may start with '-': every word is read as it is, none as an option.
    if (!args.ok()) return usage(args, "record-set");
    const char* const names[] = {"ARCHIVE", "FILE", "ITEM", "NAME=VALUE"};
    if (args.count() < 4) return usage_problem("record-set", std::string("missing ") + names[args.count()]);
    const auto file = args.number(1, "FILE", 1, 65535);
    const auto item = args.number(2, "ITEM", 0, 65535);
    if (!file || !item) return usage(args, "record-set");
    Selection selection;
    selection.archive = args[0];
    selection.file = int(*file);
    selection.item = int(*item);
    std::vector<std::string> assignments(args.positional().begin() + 3, args.positional().end());
    for (const std::string& assignment : assignments)
        if (assignment.find('=') == std::string::npos)
            return usage_problem("record-set", "a change must read NAME=VALUE: '" + assignment + "'");

    HeadlessDocument session;
    CMarrowickDoc& doc = session.doc;
    if (!open_and_select(doc, selection)) return exit_failed;
    const RecordSpec* kind = record_kind(doc, selection);
    if (!kind) return exit_failed;
    if (kind->special == RecordSpecial::aircraft_name) return set_aircraft_name(doc, assignments);

    auto record = doc.load_selected_record();
    if (!record) return exit_failed;
    if (apply_assignments(*record, assignments) != 0) return exit_failed;
    return doc.save_record(doc.display_request().file, *record) == 0 ? exit_ok : exit_failed;
}

int run_visualise(Args& args)
{
    const auto scale_text = args.option("--scale");
    const auto material = args.option("--material");
    const auto selection = parse_selection(args);
    if (!selection) return usage(args, "visualise");
    const auto scale = scale_text ? parse_float(*scale_text) : std::optional<float>(1.0f);
    if (!scale) return usage_problem("visualise", "--scale must be a number: '" + *scale_text + "'");
    const auto& materials = model_materials();
    if (material && std::find(materials.begin(), materials.end(), *material) == materials.end())
        return usage_problem("visualise", "--material must be ff01 ... ff14: '" + *material + "'");

    HeadlessDocument session;
    CMarrowickDoc& doc = session.doc;
    if (!open_and_select(doc, *selection)) return exit_failed;
    const RecordSpec* kind = record_kind(doc, *selection);
    if (!kind) return exit_failed;
    if (kind->model_code.solid == ModelSolid::none) {
        report_error("Error: file " + std::to_string(selection->file) + " item " + std::to_string(doc.selected_item()) +
                     " (" + kind->info_text + ") has no 3D model code");
        return exit_failed;
    }
    const auto record = doc.load_selected_record();
    if (!record) return exit_failed;
    const std::string text =
        model_code_text(*record, doc.display_request().file.string(), *scale, material.value_or(std::string()));
    std::cout << without_carriage_returns(text);
    return exit_ok;
}

}  // namespace mw::cli
