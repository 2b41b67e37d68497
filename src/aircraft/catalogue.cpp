#include "aircraft/catalogue.h"

#include <cstdio>

#include "aircraft/catalogue_parts.h"

namespace mw {

const std::vector<std::string>& choice_entries(ChoiceList list)
{
    static const std::vector<std::string> none;
    static const std::vector<std::string> plane_parts{"Fuselage", "Left Wing", "Right Wing", "Tail"};
    static const std::vector<std::string> controls{"NONE",       "AILERON",    "RUDDER",    "ELEVATOR",
                                                   "FLAP",       "THROTTLE",   "LEFTBRAKE", "RIGHTBRAKE",
                                                   "SPOILERON",  "NOSOUND",    "SPOILER"};
    static const std::vector<std::string> flap_steps{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
    static const std::vector<std::string> base_shapes{"2", "3", "4", "5"};
    switch (list) {
    case ChoiceList::plane_part: return plane_parts;
    case ChoiceList::control_surface: return controls;
    case ChoiceList::flap_steps: return flap_steps;
    case ChoiceList::base_shape: return base_shapes;
    case ChoiceList::none: break;
    }
    return none;
}

int segment_notice_code(int length)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "2138%02d", length);
    return std::stoi(digits);
}

const std::vector<RecordSpec>& record_catalogue()
{
    static const std::vector<RecordSpec> catalogue = [] {
        std::vector<RecordSpec> all;
        add_physics_records(all);
        add_physics_segments(all);
        add_axle_records(all);
        add_sound_records(all);
        add_shape_records(all);
        return all;
    }();
    return catalogue;
}

namespace {

bool matches(const RecordMatch& m, int resource_id, ByteSpan item)
{
    if (m.resource_id != resource_id) return false;
    if (m.length >= 0 && std::size_t(m.length) != item.size()) return false;
    if (m.type_byte >= 0 && (item.empty() || item[0] != m.type_byte)) return false;
    return !m.test || m.test(item);
}

}  // namespace

const RecordSpec* find_record_spec(int resource_id, ByteSpan item)
{
    for (const RecordSpec& spec : record_catalogue())
        if (matches(spec.match, resource_id, item)) return &spec;
    return nullptr;
}

const RecordSpec* find_record_kind(int resource_id, std::size_t length)
{
    for (const RecordSpec& spec : record_catalogue()) {
        const RecordMatch& m = spec.match;
        if (m.resource_id == resource_id && (m.length < 0 || std::size_t(m.length) == length)) return &spec;
    }
    return nullptr;
}

std::string confirm_caption(const RecordSpec& spec)
{
    if (!spec.confirm_caption.empty()) return spec.confirm_caption;
    int edited = 0;
    for (const FieldSpec& field : spec.fields)
        if (field.shown && field.save != SaveRule::as_read && field.save != SaveRule::always_zero) ++edited;
    return edited == 1 ? "Change Value" : "Change Values";
}

std::string segment_info_text(std::size_t length)
{
    const RecordSpec* spec = find_record_kind(res_physics_segments, length);
    return spec ? spec->info_text : std::string();
}

}  // namespace mw
