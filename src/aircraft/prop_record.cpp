#include "aircraft/prop_record.h"

#include <array>

namespace mw {

namespace {

FieldValue* new_at(Record& record, int offset)
{
    const auto index = field_index_at(*record.spec, offset);
    return index ? &record.new_values[*index] : nullptr;
}

float new_real(const Record& record, int offset)
{
    const FieldValue* v = new_value_at(record, offset);
    return v ? v->real : 0.0f;
}

std::int64_t new_integer(const Record& record, int offset)
{
    const FieldValue* v = new_value_at(record, offset);
    return v ? v->integer : 0;
}

std::uint32_t channel(float value)
{
    if (!(value > 0.0f)) return 0;  // also not-a-number
    if (value >= 255.0f) return 255;
    return std::uint32_t(value);
}

struct Point {
    float length;
    float width;
};

// Points 0 to 7 of base shapes 2 to 4; unlisted points are (0, 0).
std::array<Point, 8> preset(int shape)
{
    std::array<Point, 8> points{};
    points[1] = {0.1f, 0.05f};
    if (shape == 2) {
        points[2] = {1.0f, 0.05f};
    } else if (shape == 3) {
        points[2] = {0.6f, 0.08f};
        points[3] = {1.0f, 0.08f};
    } else {
        points[2] = {0.6f, 0.08f};
        points[3] = {1.0f, 0.05f};
    }
    return points;
}

void set_shape_points(Record& record, int shape)
{
    if (shape < 2 || shape > 4) {
        // Shape 5 draws the record's own points.
        for (int i = 0; i < 8; ++i) {
            for (int base : {prop_layout::widths, prop_layout::lengths}) {
                const auto index = field_index_at(*record.spec, base + 4 * i);
                if (index) record.new_values[*index] = record.current_values[*index];
            }
        }
        return;
    }
    const auto points = preset(shape);
    for (int i = 0; i < 8; ++i) {
        if (FieldValue* w = new_at(record, prop_layout::widths + 4 * i)) w->real = points[std::size_t(i)].width;
        if (FieldValue* l = new_at(record, prop_layout::lengths + 4 * i)) l->real = points[std::size_t(i)].length;
    }
}

}  // namespace

void prop_after_load(Record& record)
{
    const auto stripes = field_index_at(*record.spec, prop_layout::stripes);
    if (stripes) {
        for (auto* values : {&record.current_values, &record.new_values}) {
            FieldValue& v = (*values)[*stripes];
            if (v.integer > prop_layout::max_loaded_stripes) v.integer = prop_layout::max_loaded_stripes;
        }
    }
    set_shape_points(record, int(new_integer(record, prop_layout::base_shape)));
}

void prop_after_set(Record& record, std::size_t index)
{
    if (record.field(index).offset == prop_layout::base_shape) set_shape_points(record, int(record.new_values[index].integer));
}

void apply_base_shape(Record& record, int shape)
{
    const auto index = field_index_at(*record.spec, prop_layout::base_shape);
    if (!index) return;
    FieldValue v = record.new_values[*index];
    v.integer = shape;
    set_new_value(record, *index, v);
}

bool apply_prop_notice(Record& record, int index, int value)
{
    FieldValue* target = nullptr;
    if (index >= 1 && index <= 7) {
        target = new_at(record, prop_layout::stripe_colours + 4 * index);
        if (target) target->integer = value;
    } else if (index >= 10 && index < 18) {
        target = new_at(record, prop_layout::stripe_positions + 4 * (index - 10));
        if (target) target->real = float(value * 0.000001);
    }
    return target != nullptr;
}

std::uint32_t prop_colour(const Record& record, int swatch)
{
    const int base = prop_layout::colours + 12 * swatch;
    return channel(new_real(record, base)) | (channel(new_real(record, base + 4)) << 8) |
           (channel(new_real(record, base + 8)) << 16);
}

void set_prop_colour(Record& record, int swatch, std::uint32_t rgb)
{
    if (swatch < 0 || swatch > 2 || prop_colour(record, swatch) == (rgb & 0xFFFFFF)) return;
    const int base = prop_layout::colours + 12 * swatch;
    for (int c = 0; c < 3; ++c)
        if (FieldValue* v = new_at(record, base + 4 * c)) v->real = float((rgb >> (8 * c)) & 0xFF);
}

std::vector<PreviewPoint> prop_shape_points(const Record& record, double width, double height)
{
    std::vector<PreviewPoint> points;
    for (int i = 0; i < 8; ++i) {
        const double length = new_real(record, prop_layout::lengths + 4 * i);
        const double blade_width = new_real(record, prop_layout::widths + 4 * i);
        points.push_back({width * length, height / 2 + width / 2 * blade_width});
    }
    return points;
}

std::vector<StripeBand> prop_stripe_bands(const Record& record)
{
    std::vector<StripeBand> bands;
    const std::int64_t count = new_integer(record, prop_layout::stripes);
    for (int i = 0; i <= count && i < 8; ++i) {
        const float from = new_real(record, prop_layout::stripe_positions + 4 * i);
        if (from >= 1.0f) break;
        float to = i + 1 < 8 ? new_real(record, prop_layout::stripe_positions + 4 * (i + 1)) : 1.0f;
        if (to == 0.0f) to = 1.0f;
        bands.push_back({from, to, std::int32_t(new_integer(record, prop_layout::stripe_colours + 4 * i))});
    }
    return bands;
}

}  // namespace mw
