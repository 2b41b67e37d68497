#include "model/cob_writer.h"

#include <string_view>

#include "model/model_writer_file.h"

namespace mw {

namespace {

constexpr std::string_view file_header = "Caligari V00.01BLH             \n";
static_assert(file_header.size() == 32);

constexpr std::uint8_t face_flags = 0x10;

struct ChunkHeader {
    std::string_view type;
    int major;
    int minor;
    std::uint32_t id;
    std::uint32_t parent;
};

// Writes a chunk header with a zero size; returns the position of its size field.
std::size_t chunk_header(ByteWriter& out, const ChunkHeader& chunk)
{
    out.text(std::string(chunk.type));
    out.u16(chunk.major);
    out.u16(chunk.minor);
    out.u32(chunk.id);
    out.u32(chunk.parent);
    const std::size_t size_field = out.size();
    out.u32(0);
    return size_field;
}

void floats(ByteWriter& out, std::initializer_list<float> values)
{
    for (float value : values) out.f32(value);
}

}  // namespace

Bytes cob_bytes(const ModelData& model)
{
    ByteWriter out;
    out.text(std::string(file_header));

    const std::size_t size_field = chunk_header(out, {"PolH", 0, 2, 1, 0});
    const std::size_t data_start = out.size();
    out.u16(0);  // name duplicate count
    out.u16(0);  // name length, no characters
    floats(out, {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1});  // local axes: centre, x, y, z
    floats(out, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0});  // current position
    out.u32(static_cast<std::uint32_t>(model.vertices.size()));
    for (const ModelVertex& vertex : model.vertices) floats(out, {vertex.x, vertex.y, vertex.z});
    // Every corner names texture vertex 0, so a model with faces carries that
    // one texture vertex; readers refuse corners naming one that is missing.
    if (model.polygons.empty()) {
        out.u32(0);
    } else {
        out.u32(1);
        floats(out, {0, 0});
    }
    out.u32(static_cast<std::uint32_t>(model.polygons.size()));
    for (const ModelPolygon& polygon : model.polygons) {
        out.u8(face_flags);
        out.u16(static_cast<std::uint32_t>(polygon.vertex_indices.size()));
        out.u16(0);  // material
        for (auto corner = polygon.vertex_indices.rbegin(); corner != polygon.vertex_indices.rend(); ++corner) {
            out.i32(*corner);
            out.u32(0);  // texture vertex
        }
    }
    const auto data_size = static_cast<std::uint32_t>(out.size() - data_start);

    chunk_header(out, {"END ", 1, 0, 0, 0});
    put_u32(&out.data()[size_field], data_size);
    return out.take();
}

int write_cob(const ModelData& model, const fs::path& file)
{
    const Bytes bytes = cob_bytes(model);
    return write_export_file(file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace mw
