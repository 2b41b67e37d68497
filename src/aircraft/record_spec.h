// The description of one aircraft record layout: which form edits it, how it
// is recognised, its fields (offset, type, label, how it is saved, how it is
// shown) and the texts its load and save report.
//
// Layouts are data: record.cpp loads and encodes every kind from these
// tables, the forms lay themselves out from them, and the few kinds with
// behaviour of their own are marked by `RecordSpecial`.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "archive/byte_io.h"

namespace mw {

enum class FieldType {
    u8,
    i16,
    i32,
    f32,
    i16_pair,  // a 4-byte field read as two i16, the first at the lower address
};

inline std::size_t field_width(FieldType type)
{
    switch (type) {
    case FieldType::u8: return 1;
    case FieldType::i16: return 2;
    default: return 4;
    }
}

// Where the value written back on save comes from.
enum class SaveRule {
    new_value,        // the field's new value
    as_read,          // shown only; the stored bytes are left as they are
    list_choice,      // the index (or entry) chosen in a drop-down list
    edited_in_place,  // one edit and no separate current copy; the edited value
    always_zero,      // written as 0 whatever was read (the radio segment's plane part)
};

// How the stored value is shown and typed.
enum class Display {
    plain,
    thousandths,  // shown = stored / 1000, saved = shown * 1000
    millionths,   // shown = stored * 1 000 000, saved = shown / 1 000 000
    byte_number,  // a u8 shown as a number that may have decimals; truncated back
};

// Drop-down lists. The first two store the chosen entry's index, the others
// the number the entry shows.
enum class ChoiceList {
    none,
    plane_part,       // "Fuselage" … "Tail"
    control_surface,  // "NONE" … "SPOILER"
    flap_steps,       // "1" … "12"
    base_shape,       // "2" … "5"
};

const std::vector<std::string>& choice_entries(ChoiceList list);
inline bool choice_stores_index(ChoiceList list)
{
    return list == ChoiceList::plane_part || list == ChoiceList::control_surface;
}

struct FieldSpec {
    int offset = 0;
    FieldType type = FieldType::f32;
    std::string label;  // as the form writes it; empty for a value the form leaves unlabelled
    std::string name;   // the field's name in listings where the label does not tell it apart; empty: the label
    std::string group;  // the box or row the field sits in; empty for none
    SaveRule save = SaveRule::new_value;
    Display display = Display::plain;
    ChoiceList choices = ChoiceList::none;
    std::array<std::string, 2> part_labels;  // the halves of an i16 pair
    bool shown = true;                        // false: kept and written back, never shown
    bool ranged = false;                      // new values must lie in [min_value, max_value]
    std::int64_t min_value = 0;
    std::int64_t max_value = 0;
    bool sound_resource = false;              // the form offers a play button beside it

    int end() const { return offset + int(field_width(type)); }
};

// Kinds whose loading or saving has a rule of its own beside the field table.
enum class RecordSpecial {
    none,
    flap_steps,     // the position count follows the step count; the record may grow
    prop,           // stripe count capped on load, base-shape presets
    aircraft_name,  // name and description texts (aircraft_name.h)
    aircraft_call,  // two call texts after the header (aircraft_call.h)
};

enum class ModelSolid { none, box, octahedron };

// The "3D model code:" box of the forms of located parts.
struct ModelCodeSpec {
    ModelSolid solid = ModelSolid::none;
    std::string name_prefix;       // "mass_" …
    std::string default_material;  // "ff06" …
};

// Which items a layout applies to. Variants of one kind (labels chosen by the
// segment-type byte, the player-sound layouts) are separate specs; the first
// that matches wins.
struct RecordMatch {
    int resource_id = 0;
    int length = -1;                        // the item's length; -1: any
    int type_byte = -1;                     // the item's first byte; -1: any
    bool (*test)(ByteSpan item) = nullptr;  // a further condition, or none
};

struct RecordSpec {
    std::string form_class;  // "CLandGearDlg" …
    std::string title;
    std::string note;       // a fixed explanation the form shows; often empty
    std::string info_text;  // the information view's type text ("AEROTYPE_GEAR")
    RecordMatch match;
    int length = 0;  // bytes the layout covers (the flap record: with twelve positions)

    // The form's confirmation: WM_USER + notice_message with notice_code
    // (message 1 and 2 carry no code). 0: the form has no save action.
    int notice_message = 0;
    int notice_code = 0;

    std::vector<FieldSpec> fields;
    RecordSpecial special = RecordSpecial::none;

    // How the form lays the fields out: the headings of the current and new
    // value columns, the confirm button's caption (empty: "Change Value" for a
    // single edit, else "Change Values"), and for tables one row per group
    // with a column computed from the row's new values (the axles' ending axle).
    std::array<std::string, 2> columns{"Current", "New"};
    std::string confirm_caption;
    bool table_rows = false;
    std::string computed_column;
    ModelCodeSpec model_code;

    std::string load_error;    // the file cannot be opened or does not hold the record
    std::string open_error;    // the file cannot be opened for update on save
    std::string locate_error;  // no entry to replace
    // Non-empty: the record is shown but never saved; the text says why.
    std::string save_refusal;

    int resource_id() const { return match.resource_id; }
    bool saves() const { return save_refusal.empty(); }
};

}  // namespace mw
