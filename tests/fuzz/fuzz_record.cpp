// Any bytes as an aircraft record. The first byte picks a layout of the
// catalogue (its entry's resource ID; its length and segment-type byte
// when the layout needs them), the rest is the item. A record that loads
// is shown as its form shows it; every text shown reads back to the stored
// value; saved without changes it writes the bytes it was loaded from.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cmath>

#include "aircraft/aircraft_call.h"
#include "aircraft/aircraft_name.h"
#include "aircraft/axle_table.h"
#include "aircraft/catalogue.h"
#include "aircraft/field_text.h"
#include "aircraft/model_code.h"
#include "aircraft/prop_record.h"
#include "aircraft/record.h"
#include "fuzz_support.h"

namespace {

bool same_value(mw::FieldType type, const mw::FieldValue& a, const mw::FieldValue& b)
{
    switch (type) {
    case mw::FieldType::f32:
        return std::bit_cast<std::uint32_t>(a.real) == std::bit_cast<std::uint32_t>(b.real) ||
               (std::isnan(a.real) && std::isnan(b.real));
    case mw::FieldType::i16_pair: return a.integer == b.integer && a.second == b.second;
    default: return a.integer == b.integer;
    }
}

// The form's text of each field, and what typing it back gives.
void check_shown(const mw::Record& record)
{
    for (std::size_t i = 0; i < record.field_count(); ++i) {
        const mw::FieldSpec& field = record.field(i);
        const mw::FieldValue& value = record.current_values[i];
        const std::string text = mw::format_field_value(field, value);
        (void)mw::choice_text(field, value);
        const auto back = mw::parse_field_value(field, text);
        // Lists and ranges refuse values no form offers; everything else reads back.
        const bool free_text = field.choices == mw::ChoiceList::none && !field.ranged &&
                               !(field.type == mw::FieldType::f32 && std::isnan(value.real));
        if (free_text) FUZZ_CHECK(back.has_value());
        if (back && !same_value(field.type, *back, value)) {
            std::fprintf(stderr, "%s: field at %d shows \"%s\" (stored %08x / %lld), which reads back as %08x / %lld\n",
                         record.spec->form_class.c_str(), field.offset, text.c_str(),
                         std::bit_cast<std::uint32_t>(value.real), (long long)value.integer,
                         std::bit_cast<std::uint32_t>(back->real), (long long)back->integer);
            FUZZ_CHECK(false);
        }
    }
}

// The value the item's bytes hold for a field, bytes past the item's end
// read as 0 (a flap position the item lacks, wholly or partly).
mw::FieldValue stored_value(const mw::FieldSpec& field, mw::ByteSpan item)
{
    std::array<std::uint8_t, 4> bytes{};
    for (std::size_t k = 0; k < mw::field_width(field.type); ++k)
        if (std::size_t(field.offset) + k < item.size()) bytes[k] = item[std::size_t(field.offset) + k];
    return mw::read_field(field.type, bytes.data());
}

// Only the prop's load changes values: its stripe count is capped and a
// preset base shape sets the shape points.
bool load_may_change(const mw::Record& record, const mw::FieldSpec& field)
{
    if (record.spec->special != mw::RecordSpecial::prop) return false;
    return field.offset == mw::prop_layout::stripes ||
           (field.offset >= mw::prop_layout::widths && field.offset < mw::prop_layout::size);
}

// Saved unchanged: the bytes are those loaded, except fields the save
// always writes as 0 and values the load itself replaced; only a flap
// record may grow, with zeros.
void check_unchanged_save(const mw::Record& record, mw::ByteSpan item)
{
    std::vector<bool> may_change(std::max<std::size_t>(item.size(), record.spec->length), false);
    for (std::size_t i = 0; i < record.field_count(); ++i) {
        const mw::FieldSpec& field = record.field(i);
        // A flap position past the step count is neither read nor written.
        if (!mw::field_was_read(record, i)) continue;
        const bool zeroed = field.save == mw::SaveRule::always_zero;
        const bool replaced = !same_value(field.type, record.new_values[i], stored_value(field, item));
        if (replaced && !load_may_change(record, field)) {
            std::fprintf(stderr, "%s: field at %d loaded as another value\n", record.spec->form_class.c_str(), field.offset);
            FUZZ_CHECK(false);
        }
        if (zeroed || replaced)
            for (int at = field.offset; at < field.end(); ++at) may_change[std::size_t(at)] = true;
    }
    if (!record.spec->saves() || record.spec->fields.empty()) return;
    mw::Bytes saved(item.begin(), item.end());
    if (mw::encode_record(record, saved) != 0) {
        // Refused only for a stored value outside its field's range.
        bool out_of_range = false;
        for (std::size_t i = 0; i < record.field_count(); ++i) {
            const mw::FieldSpec& field = record.field(i);
            const std::int64_t v = record.new_values[i].integer;
            if (field.ranged && mw::field_is_written(record, i) && (v < field.min_value || v > field.max_value))
                out_of_range = true;
        }
        FUZZ_CHECK(out_of_range);
        return;
    }
    FUZZ_CHECK(saved.size() >= item.size());
    if (record.spec->special != mw::RecordSpecial::flap_steps) FUZZ_CHECK(saved.size() == item.size());
    FUZZ_CHECK(saved.size() <= may_change.size());
    for (std::size_t at = 0; at < saved.size(); ++at) {
        if (may_change[at] || saved[at] == (at < item.size() ? item[at] : 0)) continue;
        std::fprintf(stderr, "%s (%s): byte %zu changed by a save without changes\n", record.spec->form_class.c_str(),
                     record.spec->info_text.c_str(), at);
        FUZZ_CHECK(false);
    }
}

void check_aircraft_name(mw::ByteSpan item)
{
    const auto name = mw::load_aircraft_name(item);
    if (!name) return;
    FUZZ_CHECK(name->name.size() == name->layout.name_length);
    FUZZ_CHECK(mw::description_edit_limit(*name) >= name->layout.description_length);
    mw::Bytes saved(item.begin(), item.end());
    if (mw::encode_aircraft_name(saved, name->layout, name->name, name->description) != 0) {
        FUZZ_CHECK(name->name.empty());  // a save needs a name
        return;
    }
    FUZZ_CHECK(std::ranges::equal(saved, item));
}

void check_record(const mw::RecordSpec& spec, mw::ByteSpan item)
{
    const auto record = mw::load_record(spec, item);
    if (!record) return;
    FUZZ_CHECK(record->current_values.size() == spec.fields.size());
    FUZZ_CHECK(record->new_values.size() == spec.fields.size());
    check_shown(*record);
    (void)mw::model_code_text(*record, "/tmp/mw3792_aircraft_003_2138_item4.", 1.0f);
    if (spec.special == mw::RecordSpecial::prop) {
        (void)mw::prop_shape_points(*record, 200, 100);
        (void)mw::prop_stripe_bands(*record);
        for (int swatch = 0; swatch < 3; ++swatch) (void)mw::prop_colour(*record, swatch);
    }
    if (spec.resource_id() == mw::res_aircraft_axles || spec.resource_id() == mw::res_cockpit_axles)
        for (std::size_t kind = 0; kind < mw::axle_kind_count(*record); ++kind) (void)mw::axle_ending(*record, kind);
    check_unchanged_save(*record, item);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    mw::fuzz::silence_messages();
    if (size == 0) return 0;
    const auto& catalogue = mw::record_catalogue();
    const mw::RecordSpec& chosen = catalogue[data[0] % catalogue.size()];
    mw::Bytes item(data + 1, data + size);
    if (chosen.match.length >= 0) item.resize(std::size_t(chosen.match.length));
    if (chosen.match.type_byte >= 0 && !item.empty()) item[0] = std::uint8_t(chosen.match.type_byte);

    const int resource_id = chosen.resource_id();
    const mw::RecordSpec* spec = mw::find_record_spec(resource_id, item);
    if (!spec) return 0;
    switch (spec->special) {
    case mw::RecordSpecial::aircraft_name: check_aircraft_name(item); break;
    case mw::RecordSpecial::aircraft_call: (void)mw::load_aircraft_call(item); break;
    default: check_record(*spec, item); break;
    }
    return 0;
}
