#include "model/model_builder.h"

namespace mw::test {

namespace {

void fixed_text(ByteWriter& out, const std::string& text, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i) out.u8(i < text.size() ? std::uint8_t(text[i]) : 0);
}

}  // namespace

Bytes ModelBuilder::build() const
{
    std::array<std::int32_t, 10> off{};
    ByteWriter body;
    const std::size_t header_size = 110;
    auto here = [&] { return std::int32_t(header_size + body.size()); };

    off[0] = here();
    fixed_text(body, root_name, 9);
    body.zeros(93 - 9);
    for (const BuiltPart& part : parts) {
        fixed_text(body, part.name, 8);
        body.u8(part.axis_kind);
        body.u8(part.part_number);
        body.zeros(3);
        body.f32(part.limit_b);
        body.f32(part.limit_a);
        for (float value : part.transform) body.f32(value);
        body.i16(part.child_link);
        body.zeros(10);
        body.i16(part.first_polygon);
        body.i16(part.polygon_count);
        body.zeros(8);
    }

    off[1] = here();
    if (!without_material_section) {
        for (const BuiltMaterial& material : materials) {
            fixed_text(body, material.name, 16);
            body.u8(material.kind);
            body.u8(material.code);
            body.u8(material.texture_or_blue);
            body.u8(material.green);
            body.u8(material.red);
            body.zeros(5);
        }
        for (const BuiltMaterial& material : materials) {
            body.f32(material.transparency);
            body.f32(material.second_value);
        }
    }

    off[2] = here();
    for (const auto& [u, v] : texture_coordinates) {
        body.f32(u);
        body.f32(v);
    }
    off[3] = here();
    off[4] = here();
    for (const auto& vertex : vertices)
        for (float value : vertex) body.f32(value);
    off[5] = here();
    for (const auto& record : quad_records)
        for (std::int16_t value : record) body.i16(value);
    off[6] = here();
    for (const auto& normal : face_normals)
        for (float value : normal) body.f32(value);
    off[7] = here();
    for (std::size_t i = 0; i < polygons.size(); ++i) {
        const BuiltPolygon& polygon = polygons[i];
        body.i16(0);
        body.i16(polygon.material_code);
        body.u8(polygon.flags);
        body.u8(polygon.corner_count_override ? polygon.corner_count_override : polygon.vertices.size());
        body.i16(polygon.face_normal);
        body.zeros(4);
        for (std::int16_t index : polygon.vertices) body.i16(index);
        if (polygon.secondary.empty())
            for (std::size_t k = 0; k < polygon.vertices.size(); ++k) body.i16(std::int32_t(i));
        else
            for (std::int16_t index : polygon.secondary) body.i16(index);
        for (std::int16_t index : polygon.texture_coordinates) body.i16(index);
        if (version == 4) body.u8(0xEE);
    }
    off[8] = here();
    off[9] = here();

    ByteWriter out;
    out.text("VMMD");
    out.i32(version);
    fixed_text(out, name, 8);
    out.zeros(44);
    out.i16(std::int32_t(polygons.size()));
    out.i16(std::int32_t(vertices.size()));
    out.i16(axle_count);
    out.u8(std::uint32_t(materials.size()));
    out.u8(callback_count);
    out.u8(light_count);
    out.u8(std::uint32_t(parts.size() + 1));
    for (std::int32_t value : off) out.i32(value);
    out.bytes(body.data());
    return out.take();
}

}  // namespace mw::test

namespace mw::test {

ModelBuilder two_part_model()
{
    ModelBuilder b;
    b.name = "TWOPART";
    b.root_name = "fuselage";
    b.axle_count = 2;
    b.callback_count = 1;
    b.materials = {
        {.name = "hull", .kind = 1, .code = 1, .texture_or_blue = 51, .green = 102, .red = 255, .transparency = 0.25f},
        {.name = "t_glass", .kind = 0, .code = 2, .texture_or_blue = 7, .transparency = 0.5f},
        {.name = "wheel", .kind = 1, .code = 3, .red = 128},
    };
    b.texture_coordinates = {{0, 0}, {1, 0}, {1, 1}};
    b.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 1, 0},
                  {2, 2, 0}, {3, 2, 0}, {3, 3, 1}, {2, 3, 1}, {-1, -2, -3}};
    b.face_normals = {{0, 0, 1}, {0, 1, 0}};
    b.polygons = {
        {.material_code = 1, .flags = 0x40, .vertices = {0, 1, 2, 3}},
        {.material_code = 1, .flags = 0x40, .vertices = {1, 2, 4}},
        {.material_code = 2, .face_normal = 1, .vertices = {4, 5, 6}, .texture_coordinates = {0, 1, 2}},
        {.material_code = 2, .face_normal = 1, .vertices = {5, 6, 7, 8}, .texture_coordinates = {0, 1, 2, 0}},
        {.material_code = 255, .vertices = {7, 8, 9}},
    };
    b.parts = {
        {.name = "gear", .axis_kind = 1, .part_number = 3, .limit_a = 0.5f, .limit_b = 0.5f,
         .transform = {2, 0, 0, 0, 1, 0, 0, 0, 1, 0.5f, 0, 1}, .child_link = 2, .first_polygon = 1, .polygon_count = 2},
        {.name = "door", .axis_kind = 2, .part_number = 12, .limit_a = 1.0f, .limit_b = 2.0f,
         .transform = {0, 1, 0, -1, 0, 0, 0, 0, 1, 10, 0, 0}, .first_polygon = 3, .polygon_count = 3},
    };
    return b;
}

}  // namespace mw::test
