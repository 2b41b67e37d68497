#include "aircraft/spec_builder.h"

#include <utility>

namespace mw {

SpecBuilder::SpecBuilder(std::string form_class, std::string title)
{
    spec_.form_class = std::move(form_class);
    spec_.title = std::move(title);
}

SpecBuilder& SpecBuilder::info(std::string type_text)
{
    spec_.info_text = std::move(type_text);
    return *this;
}

SpecBuilder& SpecBuilder::note(std::string text)
{
    spec_.note = std::move(text);
    return *this;
}

SpecBuilder& SpecBuilder::matches(int resource_id, int length, int type_byte, bool (*test)(ByteSpan))
{
    spec_.match = RecordMatch{resource_id, length, type_byte, test};
    return *this;
}

SpecBuilder& SpecBuilder::notice(int message, int code)
{
    spec_.notice_message = message;
    spec_.notice_code = code;
    return *this;
}

SpecBuilder& SpecBuilder::errors(std::string load, std::string open, std::string locate)
{
    spec_.load_error = std::move(load);
    spec_.open_error = std::move(open);
    spec_.locate_error = std::move(locate);
    return *this;
}

SpecBuilder& SpecBuilder::load_error(std::string text)
{
    spec_.load_error = std::move(text);
    return *this;
}

SpecBuilder& SpecBuilder::refuse_save(std::string why)
{
    spec_.save_refusal = std::move(why);
    spec_.notice_message = 0;
    spec_.notice_code = 0;
    return *this;
}

SpecBuilder& SpecBuilder::special(RecordSpecial kind)
{
    spec_.special = kind;
    return *this;
}

SpecBuilder& SpecBuilder::model(ModelSolid solid, std::string name_prefix, std::string default_material)
{
    spec_.model_code = ModelCodeSpec{solid, std::move(name_prefix), std::move(default_material)};
    return *this;
}

SpecBuilder& SpecBuilder::columns(std::string current, std::string next)
{
    spec_.columns = {std::move(current), std::move(next)};
    return *this;
}

SpecBuilder& SpecBuilder::confirm(std::string caption)
{
    spec_.confirm_caption = std::move(caption);
    return *this;
}

SpecBuilder& SpecBuilder::table(std::string computed)
{
    spec_.table_rows = true;
    spec_.computed_column = std::move(computed);
    return *this;
}

SpecBuilder& SpecBuilder::group(std::string name)
{
    group_ = std::move(name);
    return *this;
}

SpecBuilder& SpecBuilder::add(FieldType type, std::string label, SaveRule save)
{
    FieldSpec field;
    field.offset = offset_;
    field.type = type;
    field.label = std::move(label);
    field.group = group_;
    field.save = save;
    spec_.fields.push_back(std::move(field));
    offset_ += int(field_width(type));
    return *this;
}

SpecBuilder& SpecBuilder::u8(std::string label, SaveRule save) { return add(FieldType::u8, std::move(label), save); }
SpecBuilder& SpecBuilder::i16(std::string label, SaveRule save) { return add(FieldType::i16, std::move(label), save); }
SpecBuilder& SpecBuilder::i32(std::string label, SaveRule save) { return add(FieldType::i32, std::move(label), save); }
SpecBuilder& SpecBuilder::f32(std::string label, SaveRule save) { return add(FieldType::f32, std::move(label), save); }

SpecBuilder& SpecBuilder::pair(std::string label, std::string first, std::string second)
{
    add(FieldType::i16_pair, std::move(label), SaveRule::new_value);
    last().part_labels = {std::move(first), std::move(second)};
    return *this;
}

SpecBuilder& SpecBuilder::shown_as(Display display)
{
    last().display = display;
    return *this;
}

SpecBuilder& SpecBuilder::named(std::string name)
{
    last().name = std::move(name);
    return *this;
}

SpecBuilder& SpecBuilder::choose_from(ChoiceList list)
{
    last().choices = list;
    last().save = SaveRule::list_choice;
    return *this;
}

SpecBuilder& SpecBuilder::hidden()
{
    last().shown = false;
    last().save = SaveRule::as_read;
    return *this;
}

SpecBuilder& SpecBuilder::within(std::int64_t min_value, std::int64_t max_value)
{
    last().ranged = true;
    last().min_value = min_value;
    last().max_value = max_value;
    return *this;
}

SpecBuilder& SpecBuilder::plays_sound()
{
    last().sound_resource = true;
    return *this;
}

SpecBuilder& SpecBuilder::segment_type() { return u8("Segment type:", SaveRule::as_read); }

SpecBuilder& SpecBuilder::located_header()
{
    segment_type();
    u8("Plane Part:").choose_from(ChoiceList::plane_part);
    f32("Mass (Kg):");
    f32("Position X (m):");
    f32("Position Y (m):");
    return f32("Position Z (m):");
}

SpecBuilder& SpecBuilder::body_block()
{
    f32("Size X (m):");
    f32("Size Y (m):");
    f32("Size Z (m):");
    f32("Orientation X:");
    f32("Orientation Y:");
    return f32("Orientation Z:");
}

SpecBuilder& SpecBuilder::drag_block()
{
    const std::string outer = group_;
    group("Pos. Drag:").f32("X").f32("Y").f32("Z");
    group("Neg. Drag:").f32("X").f32("Y").f32("Z");
    return group(outer);
}

SpecBuilder& SpecBuilder::body_floats() { return located_header().body_block().drag_block(); }

SpecBuilder& SpecBuilder::mass_body() { return located_header().body_block(); }

RecordSpec SpecBuilder::build() const
{
    RecordSpec spec = spec_;
    spec.length = offset_;
    return spec;
}

}  // namespace mw
