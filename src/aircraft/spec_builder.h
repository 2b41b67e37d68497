// Builds a RecordSpec by appending fields one after the other, so offsets are
// computed rather than typed and shared runs of fields are written once.
#pragma once

#include <string>

#include "aircraft/record_spec.h"

namespace mw {

class SpecBuilder {
public:
    SpecBuilder(std::string form_class, std::string title);

    SpecBuilder& info(std::string type_text);
    SpecBuilder& note(std::string text);
    SpecBuilder& matches(int resource_id, int length = -1, int type_byte = -1, bool (*test)(ByteSpan) = nullptr);
    SpecBuilder& notice(int message, int code);
    SpecBuilder& errors(std::string load, std::string open, std::string locate);
    SpecBuilder& load_error(std::string text);
    SpecBuilder& refuse_save(std::string why);
    SpecBuilder& special(RecordSpecial kind);
    SpecBuilder& model(ModelSolid solid, std::string name_prefix, std::string default_material);
    SpecBuilder& columns(std::string current, std::string next);
    SpecBuilder& confirm(std::string caption);
    // One form row per group; `computed` names a column worked out from the row.
    SpecBuilder& table(std::string computed = {});

    // The group of the fields appended after this call ("" for none).
    SpecBuilder& group(std::string name);

    // Fields, appended at the current end of the layout.
    SpecBuilder& u8(std::string label, SaveRule save = SaveRule::new_value);
    SpecBuilder& i16(std::string label, SaveRule save = SaveRule::new_value);
    SpecBuilder& i32(std::string label, SaveRule save = SaveRule::new_value);
    SpecBuilder& f32(std::string label, SaveRule save = SaveRule::new_value);
    SpecBuilder& pair(std::string label, std::string first, std::string second);

    // Modifiers of the field appended last.
    SpecBuilder& shown_as(Display display);
    SpecBuilder& named(std::string name);  // where the label repeats in its group, or is empty
    SpecBuilder& choose_from(ChoiceList list);  // also makes it saved from the list choice
    SpecBuilder& hidden();
    SpecBuilder& within(std::int64_t min_value, std::int64_t max_value);
    SpecBuilder& plays_sound();

    // Shared runs of the air-physics segments.
    SpecBuilder& segment_type();    // u8 "Segment type:", written back as read
    SpecBuilder& located_header();  // 18 bytes: segment type, plane part, mass, position
    SpecBuilder& body_block();      // 24 bytes: size and orientation
    SpecBuilder& drag_block();      // 24 bytes: positive and negative drag
    SpecBuilder& body_floats();     // the three above: 66 bytes
    SpecBuilder& mass_body();       // header and body block: 42 bytes

    int size() const { return offset_; }
    // The spec; its length is the end of the last field.
    RecordSpec build() const;

private:
    SpecBuilder& add(FieldType type, std::string label, SaveRule save);
    FieldSpec& last() { return spec_.fields.back(); }

    RecordSpec spec_;
    std::string group_;
    int offset_ = 0;
};

}  // namespace mw
