// Writes VMMD model files from a description, for the model tests. Sections
// are laid out in offset-table order and the offsets filled in; tests that
// need a malformed file change the built bytes with the setters below.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "archive/byte_io.h"

// The tests describe models with designated initializers and leave the other
// members at their defaults on purpose.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace mw::test {

struct BuiltMaterial {
    std::string name;
    std::uint8_t kind = 1;  // 0 textured, 1 colour
    std::uint8_t code = 0;
    std::uint8_t texture_or_blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    float transparency = 0.0f;
    float second_value = 0.0f;
};

struct BuiltPolygon {
    std::int16_t material_code = 255;
    std::uint8_t flags = 0;  // 0x40: colour polygon
    std::int16_t face_normal = 0;
    std::vector<std::int16_t> vertices;
    std::vector<std::int16_t> secondary;           // defaults to the polygon's own number on each corner
    std::vector<std::int16_t> texture_coordinates; // written only when not empty
    std::uint8_t corner_count_override = 0;        // non-zero: written instead of vertices.size()
};

struct BuiltPart {
    std::string name;
    std::uint8_t axis_kind = 0;
    std::uint8_t part_number = 0;
    float limit_a = 0.0f;
    float limit_b = 0.0f;
    std::array<float, 12> transform{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    std::int16_t child_link = -1;
    std::int16_t first_polygon = 0;
    std::int16_t polygon_count = 0;
};

class ModelBuilder {
public:
    std::int32_t version = 3;
    std::string name = "MODEL";
    std::string root_name = "root";
    std::int16_t axle_count = 0;
    std::uint8_t callback_count = 0;
    std::uint8_t light_count = 0;
    bool without_material_section = false;  // off[2] = off[1]

    std::vector<BuiltMaterial> materials;
    std::vector<std::array<float, 2>> texture_coordinates;
    std::vector<std::array<float, 3>> vertices;
    std::vector<std::array<std::int16_t, 4>> quad_records;
    std::vector<std::array<float, 3>> face_normals;
    std::vector<BuiltPolygon> polygons;
    std::vector<BuiltPart> parts;

    Bytes build() const;

    // Header field positions, for tests that break a built file.
    static constexpr std::size_t polygon_count_at = 60;
    static constexpr std::size_t vertex_count_at = 62;
    static constexpr std::size_t material_count_at = 66;
    static constexpr std::size_t object_count_at = 69;
    static std::int32_t offset(const Bytes& model, int k) { return get_i32(&model[70 + 4 * std::size_t(k)]); }
    static void set_offset(Bytes& model, int k, std::int32_t value) { put_u32(&model[70 + 4 * std::size_t(k)], std::uint32_t(value)); }
};

// The model of the model-source examples: "TWOPART", root "fuselage", ten
// vertices, five polygons in three material runs (colour "hull" x2, textured
// "t_glass" x2, no material), two moving parts ("gear" polygons 1-2 with a
// scale and a shift, "door" polygons 3-5, turned about z, child of "gear").
ModelBuilder two_part_model();

}  // namespace mw::test
