// A loaded VMMD model: what the loader reads out of a model item, after its
// post-processing (averaged vertex normals, moving-part transforms,
// bounding box). The exporters and the renderer work only on this.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "archive/byte_io.h"

namespace mw {

struct ModelMaterial {
    std::string name;
    int kind = 0;  // 0 textured, 1 colour
    int code = 0;  // matched against the polygons' material codes
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    // 0 for textured materials named "t_..." or "T_...": palette index 0 of their texture is transparent.
    float opacity = 1.0f;
    int texture_number = 0;
    int texture_slot = -1;  // set by collect_textures
    float transparency = 0.0f;
    float second_value = 0.0f;

    bool textured() const { return kind == 0; }
};

struct ModelVertex {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float normal_x = 0.0f;
    float normal_y = 0.0f;
    float normal_z = 0.0f;
};

struct ModelPolygon {
    int corner_count = 0;
    std::vector<int> vertex_indices;
    std::vector<int> texture_coordinate_indices;  // zeros when the record has none
    std::vector<int> secondary_indices;           // the first decides moving-part membership
    int material_code = 255;                      // 255: no material
    std::array<double, 3> face_normal{};
    std::uint8_t flags = 0;
    int in_part = 0;
    int material_index = -1;  // into ModelData::materials; -1 for none

    static constexpr std::uint8_t colour_flag = 0x40;
    bool colour_polygon() const { return (flags & colour_flag) != 0; }
};

struct ModelPart {
    std::string name;
    int axis_kind = 0;  // 1: x axis, else z
    int part_number = 0;
    std::array<int, 3> stored_bytes{};
    float limit_a = 0.0f;
    float limit_b = 0.0f;
    // a0..a2 (image of x), b0..b2 (image of y), c0..c2 (image of z), t0..t2 (translation)
    std::array<float, 12> transform{};
    int parent = -1;
    std::array<int, 5> stored_words{};
    int first_polygon = 0;
    int last_polygon = -1;
    std::array<int, 4> trailing_words{};
};

struct TextureSlot {
    int texture_number = 0;
    bool colour_key = false;  // palette index 0 becomes transparent
    int width = 0;
    int height = 0;
    Bytes rgba;  // width * height * 4 bytes once uploaded
};

struct BoundingBox {
    std::array<float, 3> minimum{1e8f, 1e8f, 1e8f};
    std::array<float, 3> maximum{-1e8f, -1e8f, -1e8f};
    std::array<float, 3> centre{};
};

enum class PolygonMode { fill, line };

struct ModelData {
    std::string name;       // up to 8 characters
    std::string root_name;  // up to 9 characters
    int version = 0;
    int polygon_count = 0;
    int vertex_count = 0;
    int axle_count = 0;
    int material_count = 0;
    int callback_count = 0;
    int light_count = 0;
    int moving_part_count = 0;
    std::array<std::int32_t, 10> section_offsets{};

    std::vector<ModelMaterial> materials;
    std::vector<ModelVertex> vertices;
    std::vector<std::array<float, 3>> face_normals;
    std::vector<ModelPolygon> polygons;
    std::vector<std::array<float, 2>> texture_coordinates;
    std::vector<std::array<int, 4>> quad_records;
    std::vector<ModelPart> parts;
    std::vector<TextureSlot> texture_slots;
    BoundingBox bounds;

    // Display state: wireframe or filled, and the colour of polygons without a material.
    PolygonMode polygon_mode = PolygonMode::fill;
    std::array<double, 3> no_material_colour{};
};

}  // namespace mw
