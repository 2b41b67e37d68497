#include "aircraft/model_code.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "aircraft/field_text.h"

namespace mw {

namespace {

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

// Offsets of the located-part header and the body block.
constexpr int plane_part_at = 1;
constexpr int position_at = 6;
constexpr int size_at = 18;
constexpr int orientation_at = 30;
constexpr float radians_per_degree = 0.017453292f;

float real_at(const Record& record, int offset)
{
    const FieldValue* v = new_value_at(record, offset);
    return v ? v->real : 0.0f;
}

Vec3 vec_at(const Record& record, int offset)
{
    return {real_at(record, offset), real_at(record, offset + 4), real_at(record, offset + 8)};
}

std::string point_lines(const std::vector<Vec3>& points)
{
    std::string out;
    char line[160];
    for (const Vec3& p : points) {
        std::snprintf(line, sizeof line, "%f,%f,%f;\r\n", double(p.x), double(p.y), double(p.z));
        out += line;
    }
    return out;
}

template <std::size_t N>
std::string face_lines(const std::array<std::array<int, 3>, N>& faces, const std::string& material)
{
    std::string out = "PARTS{\r\n";
    for (std::size_t k = 0; k < N; ++k) {
        const auto& f = faces[k];
        out += "0,N," + std::to_string(k) + "," + material + ",(" + std::to_string(f[0]) + "," + std::to_string(f[1]) +
               "," + std::to_string(f[2]) + ");\r\n";
    }
    return out + "}\r\n";
}

std::vector<Vec3> box_points(Vec3 position, Vec3 size, Vec3 orientation)
{
    const float hx = size.x / 2, hy = size.y / 2, hz = size.z / 2;
    std::vector<Vec3> corners{{+hx, -hy, +hz}, {+hx, +hy, +hz}, {-hx, +hy, +hz}, {-hx, -hy, +hz},
                              {+hx, -hy, -hz}, {+hx, +hy, -hz}, {-hx, +hy, -hz}, {-hx, -hy, -hz}};
    if (orientation.x != 0) {
        const float a = -orientation.x * radians_per_degree;
        const float c = std::cos(a), s = std::sin(a);
        for (Vec3& p : corners) p = {p.x, p.y * c + p.z * s, p.z * c - p.y * s};
    }
    if (orientation.y != 0) {
        const float b = orientation.y * radians_per_degree;
        const float c = std::cos(b), s = std::sin(b);
        for (Vec3& p : corners) p = {p.x * c + p.z * s, p.y, p.z * c - p.x * s};
    }
    if (orientation.z != 0) {
        const float a = -orientation.z * radians_per_degree;
        const float c = std::cos(a), s = std::sin(a);
        for (Vec3& p : corners) p = {p.x * c + p.y * s, p.y * c - p.x * s, p.z};
    }
    for (Vec3& p : corners) p = {p.x + position.x, p.y + position.y, p.z + position.z};
    return corners;
}

std::vector<Vec3> octahedron_points(Vec3 p, float r)
{
    return {{p.x - r, p.y, p.z}, {p.x + r, p.y, p.z}, {p.x, p.y - r, p.z},
            {p.x, p.y + r, p.z}, {p.x, p.y, p.z - r}, {p.x, p.y, p.z + r}};
}

constexpr std::array<std::array<int, 3>, 12> box_faces{{{0, 4, 5}, {0, 5, 1}, {1, 5, 6}, {1, 6, 2},
                                                        {2, 6, 7}, {2, 7, 3}, {3, 7, 4}, {3, 4, 0},
                                                        {0, 1, 2}, {0, 2, 3}, {4, 6, 5}, {4, 7, 6}}};
constexpr std::array<std::array<int, 3>, 8> octahedron_faces{
    {{0, 4, 3}, {3, 4, 1}, {1, 4, 2}, {2, 4, 0}, {0, 3, 5}, {3, 1, 5}, {1, 2, 5}, {2, 0, 5}}};

Vec3 scaled(Vec3 v, float s) { return {v.x / s, v.y / s, v.z / s}; }

}  // namespace

const std::vector<std::string>& model_materials()
{
    static const std::vector<std::string> materials = [] {
        std::vector<std::string> out;
        char name[8];
        for (int i = 1; i <= 0x14; ++i) {
            std::snprintf(name, sizeof name, "ff%02x", i);
            out.push_back(name);
        }
        return out;
    }();
    return materials;
}

float effective_bsp_scale(float scale) { return scale > 0.0f && std::isfinite(scale) ? scale : 1.0f; }

std::string model_object_name(const std::string& temp_path, const std::string& plane_part)
{
    const std::string last = temp_path.size() > 10 ? temp_path.substr(temp_path.size() - 10) : temp_path;
    std::string head = last.substr(0, 2);
    if (!last.empty() && last[0] == 'm') {
        const std::string last_nine = last.size() > 9 ? last.substr(last.size() - 9) : last;
        head = last_nine.substr(0, 1);
    }
    return head + "_" + plane_part;
}

std::string model_code_text(const Record& record, const std::string& temp_path, float bsp_scale,
                            const std::string& material)
{
    const ModelCodeSpec& code = record.spec->model_code;
    if (code.solid == ModelSolid::none) return {};

    const float s = effective_bsp_scale(bsp_scale);
    std::string plane_part;
    if (const auto index = field_index_at(*record.spec, plane_part_at))
        plane_part = choice_text(record.field(*index), record.new_values[*index]);
    const std::string name = model_object_name(temp_path, plane_part);
    const std::string tag = material.empty() ? code.default_material : material;
    const Vec3 position = scaled(vec_at(record, position_at), s);

    std::string text = "\r\nBEGIN \"" + code.name_prefix + name + "\"\r\n\r\nPOINTS{\r\n";
    if (code.solid == ModelSolid::octahedron) {
        text += point_lines(octahedron_points(position, 0.1f / s)) + "}\r\n\r\n";
        return text + face_lines(octahedron_faces, tag);
    }
    text += point_lines(box_points(position, scaled(vec_at(record, size_at), s), vec_at(record, orientation_at)));
    return text + "}\r\n\r\n" + face_lines(box_faces, tag);
}

}  // namespace mw
