#include "model/model_loader.h"

#include <algorithm>
#include <cstring>

#include "app/workspace/messages.h"
#include "archive/file_io.h"

namespace mw {

namespace {

constexpr std::size_t header_size = 110;
constexpr std::size_t object_record_size = 93;
constexpr std::size_t root_name_size = 9;
constexpr std::size_t material_record_size = 26;
constexpr std::size_t material_pair_size = 8;
constexpr std::size_t texture_coordinate_size = 8;
constexpr std::size_t vertex_size = 12;
constexpr std::size_t quad_record_size = 8;
constexpr std::size_t face_normal_size = 12;
constexpr std::size_t polygon_fixed_size = 12;
constexpr int no_material_code = 255;

// Far beyond any real model; keeps a hostile file from being read whole.
constexpr std::uint64_t max_model_file_size = 256u * 1024 * 1024;

enum Section { objects = 0, materials = 1, texture_coordinates = 2, unused_section = 3, vertices = 4,
               quad_records = 5, face_normals = 6, polygons = 7 };

// Text up to the first NUL of a fixed-size field.
std::string field_text(ByteSpan bytes)
{
    const auto* begin = reinterpret_cast<const char*>(bytes.data());
    return std::string(begin, strnlen(begin, bytes.size()));
}

bool starts_transparent(const std::string& name)
{
    return name.size() >= 2 && (name[0] == 't' || name[0] == 'T') && name[1] == '_';
}

class Parser {
public:
    Parser(ByteSpan data, bool variant) : data_(data), in_(data), variant_(variant) {}

    std::optional<ModelData> run()
    {
        if (!read_header() || !read_root_name() || !read_materials() || !read_texture_coordinates() ||
            !read_vertices() || !read_quad_records() || !read_face_normals() || !read_polygons() || !read_parts())
            return std::nullopt;
        average_normals();
        if (variant_)
            for (ModelMaterial& material : m_.materials) std::swap(material.red, material.blue);
        apply_part_transforms();
        return std::move(m_);
    }

private:
    // Moves to a section holding `count` records of `size` bytes; false when it is not wholly in the file.
    // An empty section is read from nowhere, wherever it lies.
    bool enter(std::int64_t offset, std::size_t count, std::size_t size)
    {
        if (count == 0) return true;
        if (offset < 0 || !in_.seek(static_cast<std::size_t>(offset))) return false;
        return count <= in_.remaining() / size;
    }

    // Records of `size` bytes between two section offsets; none when they are out of order.
    std::size_t records_between(Section first, std::size_t size) const
    {
        const std::int64_t length = std::int64_t(m_.section_offsets[first + 1]) - m_.section_offsets[first];
        return length < 0 ? 0 : static_cast<std::size_t>(length) / size;
    }

    bool read_header()
    {
        if (data_.size() < 4 || std::memcmp(data_.data(), "VMMD", 4) != 0) return false;
        // A header cut short reads as zeros where the file ends; the sections
        // its fields locate are checked like any other.
        Bytes header(header_size, 0);
        std::copy_n(data_.begin(), std::min(data_.size(), header_size), header.begin());
        ByteReader in(header);
        in.skip(4);
        m_.version = in.i32();
        m_.name = field_text(in.bytes(8));
        in.skip(44);
        m_.polygon_count = in.i16();
        m_.vertex_count = in.i16();
        m_.axle_count = in.i16();
        m_.material_count = in.u8();
        m_.callback_count = in.u8();
        m_.light_count = in.u8();
        // An object count of 0 gives a moving-part count of -1: no parts.
        m_.moving_part_count = in.u8() - 1;
        for (auto& offset : m_.section_offsets) offset = in.i32();
        // The counts are int16 in the file and never negative.
        return m_.polygon_count >= 0 && m_.vertex_count >= 0;
    }

    bool read_root_name()
    {
        if (!enter(m_.section_offsets[objects], 1, root_name_size)) return false;
        m_.root_name = field_text(in_.bytes(root_name_size));
        return true;
    }

    bool read_materials()
    {
        m_.materials.resize(static_cast<std::size_t>(m_.material_count));
        // Equal offsets mean the model carries no material section, whatever its count says.
        if (m_.section_offsets[texture_coordinates] == m_.section_offsets[materials]) return true;
        if (!enter(m_.section_offsets[materials], m_.materials.size(), material_record_size + material_pair_size))
            return false;
        for (std::size_t i = 0; i < m_.materials.size(); ++i) {
            ModelMaterial& material = m_.materials[i];
            material.name = field_text(in_.bytes(16));
            material.kind = in_.u8();
            material.code = in_.u8();
            const std::uint8_t texture_or_blue = in_.u8();
            material.green = in_.u8() / 255.0f;
            material.red = in_.u8() / 255.0f;
            material.blue = texture_or_blue / 255.0f;
            material.texture_slot = -1;
            material.opacity = 1.0f;
            in_.skip(5);
            if (material.kind != 0) {
                material.texture_number = 0;
                continue;
            }
            // Version-3 models outside the variant archives number their textures by position.
            material.texture_number = m_.version == 3 && !variant_ ? static_cast<int>(i) : texture_or_blue;
            if (starts_transparent(material.name)) material.opacity = 0.0f;
        }
        for (ModelMaterial& material : m_.materials) {
            material.transparency = in_.f32();
            material.second_value = in_.f32();
        }
        return in_.ok();
    }

    bool read_texture_coordinates()
    {
        const std::size_t count = records_between(texture_coordinates, texture_coordinate_size);
        if (!enter(m_.section_offsets[texture_coordinates], count, texture_coordinate_size)) return false;
        m_.texture_coordinates.resize(count);
        for (auto& [u, v] : m_.texture_coordinates) {
            u = in_.f32();
            v = in_.f32();
        }
        return in_.ok();
    }

    bool read_vertices()
    {
        const auto count = static_cast<std::size_t>(m_.vertex_count);
        if (!enter(m_.section_offsets[vertices], count, vertex_size)) return false;
        m_.vertices.resize(count);
        BoundingBox& box = m_.bounds;
        for (ModelVertex& vertex : m_.vertices) {
            const std::array<float, 3> position{in_.f32(), in_.f32(), in_.f32()};
            vertex.x = position[0];
            vertex.y = position[1];
            vertex.z = position[2];
            for (int axis = 0; axis < 3; ++axis) {
                if (position[axis] > box.maximum[axis]) box.maximum[axis] = position[axis];
                if (position[axis] < box.minimum[axis]) box.minimum[axis] = position[axis];
            }
        }
        for (int axis = 0; axis < 3; ++axis) box.centre[axis] = (box.minimum[axis] + box.maximum[axis]) * 0.5f;
        return in_.ok();
    }

    bool read_quad_records()
    {
        const std::size_t count = records_between(quad_records, quad_record_size);
        if (!enter(m_.section_offsets[quad_records], count, quad_record_size)) return false;
        m_.quad_records.resize(count);
        for (auto& record : m_.quad_records)
            for (int& value : record) value = in_.i16();
        return in_.ok();
    }

    bool read_face_normals()
    {
        const std::size_t count = records_between(face_normals, face_normal_size);
        if (!enter(m_.section_offsets[face_normals], count, face_normal_size)) return false;
        m_.face_normals.resize(count);
        for (auto& normal : m_.face_normals)
            for (float& value : normal) value = in_.f32();
        return in_.ok();
    }

    static bool within(int index, std::size_t size) { return index >= 0 && static_cast<std::size_t>(index) < size; }

    // The first material whose code matches and whose kind suits the polygon; -1 for none.
    int matching_material(const ModelPolygon& polygon) const
    {
        const int wanted_kind = polygon.colour_polygon() ? 1 : 0;
        for (std::size_t i = 0; i < m_.materials.size(); ++i)
            if (m_.materials[i].code == polygon.material_code && m_.materials[i].kind == wanted_kind)
                return static_cast<int>(i);
        return -1;
    }

    bool read_polygon(ModelPolygon& polygon)
    {
        in_.skip(2);
        polygon.material_code = in_.i16();
        polygon.flags = in_.u8();
        const int n = in_.u8();
        const int face_normal = in_.i16();
        in_.skip(4);
        if (!in_.ok() || !within(face_normal, m_.face_normals.size())) return false;
        polygon.corner_count = n;
        polygon.vertex_indices.assign(n, 0);
        polygon.texture_coordinate_indices.assign(n, 0);
        polygon.secondary_indices.assign(n, 0);
        const auto& normal = m_.face_normals[static_cast<std::size_t>(face_normal)];
        polygon.face_normal = {normal[0], normal[1], normal[2]};

        for (int& index : polygon.vertex_indices) {
            index = in_.i16();
            if (!within(index, m_.vertices.size())) return false;
        }
        for (int& index : polygon.secondary_indices) index = in_.i16();
        polygon.in_part = 0;
        polygon.material_index = -1;

        if (polygon.material_code != no_material_code) {
            polygon.material_index = matching_material(polygon);
            if (polygon.material_index < 0) return false;
            if (m_.materials[static_cast<std::size_t>(polygon.material_index)].textured() && !polygon.colour_polygon()) {
                for (int& index : polygon.texture_coordinate_indices) {
                    index = in_.i16();
                    if (!within(index, m_.texture_coordinates.size())) return false;
                }
            }
        }
        if (m_.version == 4) in_.skip(1);
        return in_.ok();
    }

    bool read_polygons()
    {
        const auto count = static_cast<std::size_t>(m_.polygon_count);
        if (!enter(m_.section_offsets[polygons], count, polygon_fixed_size)) return false;
        m_.polygons.resize(count);
        std::vector<int> use_counts(m_.vertices.size(), 0);
        for (ModelPolygon& polygon : m_.polygons) {
            if (!read_polygon(polygon)) return false;
            for (int index : polygon.vertex_indices) {
                ModelVertex& vertex = m_.vertices[static_cast<std::size_t>(index)];
                vertex.normal_x += polygon.face_normal[0];
                vertex.normal_y += polygon.face_normal[1];
                vertex.normal_z += polygon.face_normal[2];
                ++use_counts[static_cast<std::size_t>(index)];
            }
        }
        use_counts_ = std::move(use_counts);
        return true;
    }

    void average_normals()
    {
        for (std::size_t i = 0; i < m_.vertices.size(); ++i) {
            const int uses = use_counts_[i];
            if (uses == 0) continue;  // used by no polygon: its normal stays zero
            ModelVertex& vertex = m_.vertices[i];
            vertex.normal_x /= static_cast<float>(uses);
            vertex.normal_y /= static_cast<float>(uses);
            vertex.normal_z /= static_cast<float>(uses);
        }
    }

    bool read_parts()
    {
        const auto count = static_cast<std::size_t>(std::max(m_.moving_part_count, 0));
        m_.parts.assign(count, ModelPart{});
        if (count == 0) return true;
        if (!enter(std::int64_t(m_.section_offsets[objects]) + std::int64_t(object_record_size), count,
                   object_record_size))
            return false;
        for (std::size_t k = 0; k < count; ++k) {
            ModelPart& part = m_.parts[k];
            part.name = field_text(in_.bytes(8));
            part.axis_kind = in_.u8();
            part.part_number = in_.u8();
            for (int& value : part.stored_bytes) value = in_.u8();
            part.limit_b = in_.f32();
            part.limit_a = in_.f32();
            for (float& value : part.transform) value = in_.f32();
            const int child_link = in_.i16();
            for (int& value : part.stored_words) value = in_.i16();
            part.first_polygon = in_.i16();
            const int polygon_count = in_.i16();
            part.last_polygon = part.first_polygon + polygon_count - 1;
            for (int& value : part.trailing_words) value = in_.i16();
            if (child_link == -1) continue;
            // The link is 1-based among the moving parts.
            if (child_link < 1 || static_cast<std::size_t>(child_link) > count) return false;
            m_.parts[static_cast<std::size_t>(child_link - 1)].parent = static_cast<int>(k);
        }
        return in_.ok() && parents_end();
    }

    // True when every chain of parents ends; a loop would transform forever.
    bool parents_end() const
    {
        for (std::size_t k = 0; k < m_.parts.size(); ++k) {
            int q = static_cast<int>(k);
            for (std::size_t steps = 0; q != -1; ++steps) {
                if (steps > m_.parts.size()) return false;
                q = m_.parts[static_cast<std::size_t>(q)].parent;
            }
        }
        return true;
    }

    // Applies part q's transform, then its parent's, and so on up the chain.
    void transform_vertex(ModelVertex& vertex, int q) const
    {
        for (; q != -1; q = m_.parts[static_cast<std::size_t>(q)].parent) {
            const auto& t = m_.parts[static_cast<std::size_t>(q)].transform;
            const double x = vertex.x, y = vertex.y, z = vertex.z;
            vertex.x = static_cast<float>(t[0] * x + t[3] * y + t[6] * z + t[9]);
            vertex.y = static_cast<float>(t[1] * x + t[4] * y + t[7] * z + t[10]);
            vertex.z = static_cast<float>(t[2] * x + t[5] * y + t[8] * z + t[11]);
        }
    }

    // Polygons belong to a part by their first secondary index; parts are met in
    // polygon order. A vertex shared between parts moves with the first part that reaches it.
    void apply_part_transforms()
    {
        const int part_count = m_.moving_part_count;
        if (part_count <= 0) return;
        std::vector<bool> transformed(m_.vertices.size(), false);
        int p = 0;
        for (ModelPolygon& polygon : m_.polygons) {
            if (polygon.secondary_indices.empty()) continue;  // no corners: no membership to decide
            const int s = polygon.secondary_indices[0];
            if (p < part_count - 1 && s == m_.parts[static_cast<std::size_t>(p + 1)].first_polygon) ++p;
            const ModelPart& part = m_.parts[static_cast<std::size_t>(p)];
            if (s < part.first_polygon || s > part.last_polygon) continue;
            polygon.in_part = 1;
            for (int index : polygon.vertex_indices) {
                const auto i = static_cast<std::size_t>(index);
                if (transformed[i]) continue;
                transform_vertex(m_.vertices[i], p);
                transformed[i] = true;
            }
        }
    }

    ByteSpan data_;
    ByteReader in_;
    bool variant_;
    ModelData m_;
    std::vector<int> use_counts_;
};

}  // namespace

std::optional<ModelData> parse_model(ByteSpan data, bool variant)
{
    return Parser(data, variant).run();
}

int load_model(ModelData& model, const fs::path& file, bool variant)
{
    const auto data = read_file(file, max_model_file_size);
    std::optional<ModelData> loaded;
    if (data) loaded = parse_model(*data, variant);
    if (!loaded) return report_error(375, "Error Loading 3D Model");
    model = std::move(*loaded);
    return 0;
}

void collect_textures(ModelData& model, std::vector<int>& texture_numbers)
{
    model.texture_slots.clear();
    for (ModelMaterial& material : model.materials) {
        if (!material.textured()) continue;
        texture_numbers.push_back(material.texture_number);
        TextureSlot slot;
        slot.texture_number = material.texture_number;
        slot.colour_key = material.opacity == 0.0f;
        model.texture_slots.push_back(std::move(slot));
        material.texture_slot = static_cast<int>(model.texture_slots.size()) - 1;
    }
}

}  // namespace mw
