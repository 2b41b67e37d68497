#include "model/model_source_writer.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/model_writer_file.h"

namespace mw {

namespace {

// 100 / 6.28318 in single precision: the limits are stored in radians and
// written in hundredths of a turn. The product is taken in single precision
// too, as the game's tools do: 0.628318 gives 10, not 9.
constexpr float limit_factor = 15.915507316589355f;

// printf's "%.Nf" in the C locale, whatever locale the program runs in.
std::string fixed(double value, int precision)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    return std::string(buffer, result.ptr);
}

template <class... Args>
std::string format(const char* pattern, Args... args)
{
    char buffer[256];
    const int length = std::snprintf(buffer, sizeof buffer, pattern, args...);
    return std::string(buffer, static_cast<std::size_t>(std::max(length, 0)));
}

// One object of the text: the vertices it uses, in order of first use, and
// its polygons with corners numbered within that list.
struct SourceObject {
    struct Face {
        int material_index = -1;
        std::vector<int> corners;
    };
    std::vector<int> used_vertices;
    std::vector<Face> faces;
    std::unordered_map<int, int> local_index;

    void add(const ModelPolygon& polygon, int material_index)
    {
        Face face{material_index, {}};
        face.corners.reserve(polygon.vertex_indices.size());
        for (int vertex : polygon.vertex_indices) {
            const auto [it, added] = local_index.try_emplace(vertex, static_cast<int>(used_vertices.size()));
            if (added) used_vertices.push_back(vertex);
            face.corners.push_back(it->second);
        }
        faces.push_back(std::move(face));
    }
};

// The text goes out to `sink` a piece at a time: in the parts layout every
// part repeats its polygons, so a whole text could be far larger than the model.
class SourceText {
public:
    using Sink = std::function<void(std::string_view)>;
    SourceText(const ModelData& model, Sink sink) : model_(model), sink_(std::move(sink)) {}

    void write(ModelSourceLayout layout)
    {
        head();
        if (layout == ModelSourceLayout::parts_decomposition)
            parts_decomposition();
        else
            multimaterial_root();
        sink_(out_);
        out_.clear();
    }

private:
    static constexpr std::size_t piece_size = std::size_t{1} << 20;
    void pass_on_a_full_piece()
    {
        if (out_.size() < piece_size) return;
        sink_(out_);
        out_.clear();
    }

    void head()
    {
        out_ += "BEGIN \"" + model_.name + "\"\n\nCOMMENT{\n";
        out_ += format("// Polygons     = %d\n", model_.polygon_count);
        out_ += format("// Vertices     = %d\n", model_.vertex_count);
        out_ += format("// Materials    = %d\n", model_.material_count);
        out_ += format("// Axles        = %d\n", model_.axle_count);
        out_ += format("// Moving Parts = %d\n", model_.moving_part_count);
        out_ += format("// Callbacks    = %d\n", model_.callback_count);
        out_ += format("// Lights       = %d\n", model_.light_count);
        out_ += "}\n\nMATERIALS{\n";
    }

    void point(double x, double y, double z)
    {
        out_ += fixed(x, 6) + "," + fixed(y, 6) + "," + fixed(z, 6) + ";\n";
        pass_on_a_full_piece();
    }
    void point(const ModelVertex& vertex) { point(vertex.x, vertex.y, vertex.z); }

    void multimaterial_root()
    {
        out_ += "1,\"PLANE\",PHONG,RGB 192,192,192,TRANSP 0.5;\n";
        out_ += "}\n\nBEGIN \"plane\"\n";
        out_ += "\nPOINTS{\n";
        for (const ModelVertex& vertex : model_.vertices) point(vertex);
        out_ += "}\n\nPARTS{\n";
        int triangle = 0;
        for (const ModelPolygon& polygon : model_.polygons) {
            const auto& v = polygon.vertex_indices;
            for (std::size_t k = 2; k < v.size(); ++k)
                out_ += format("4,N,%d,1,(%d,%d,%d);\n", triangle++, v[0], v[k - 1], v[k]);
            pass_on_a_full_piece();
        }
        out_ += "}\n\nEND\n";
    }

    void materials()
    {
        int number = 1;
        for (const ModelMaterial& material : model_.materials) {
            out_ += format("%d", number++) + ",\"" + material.name + "\",PHONG,";
            if (material.kind == 0)
                out_ += "TMAP \"" + material.name + "\",0";
            else
                out_ += "RGB " + fixed(material.red * 255.0f, 0) + "," + fixed(material.green * 255.0f, 0) + "," +
                        fixed(material.blue * 255.0f, 0);
            out_ += ",TRANSP " + fixed(material.transparency, 2) + ";\n";
        }
    }

    void object(const std::string& name, const SourceObject& object)
    {
        out_ += "\nBEGIN \"" + name + "\"\n";
        out_ += "\nPOINTS{\n";
        for (int vertex : object.used_vertices) point(model_.vertices[static_cast<std::size_t>(vertex)]);
        out_ += "}\n\nPARTS{\n";
        int triangle = 0;
        for (const SourceObject::Face& face : object.faces) {
            const auto& l = face.corners;
            for (std::size_t k = 2; k < l.size(); ++k)
                out_ += format("4,N,%d,%x,(%d,%d,%d);\n", triangle++, static_cast<unsigned>(face.material_index + 1),
                               l[0], l[k - 1], l[k]);
            pass_on_a_full_piece();
        }
        out_ += "}\n\n";
    }

    void axle_marker(const ModelPart& part, const std::string& root)
    {
        const char* pattern = part.axis_kind == 1 ? "BEGIN \"@x%02d%3s%02d%02d\"\n" : "BEGIN \"@z%02d%3s%02d%02d\"\n";
        out_ += format(pattern, part.part_number, root.c_str(), axle_limit_value(part.limit_a, false),
                       axle_limit_value(part.limit_b, true));
        const auto& t = part.transform;
        out_ += "\nPOINTS{\n";
        point(t[9], t[10], t[11]);
        // Single-precision sums and products, as the part's float fields give them.
        const float second[3] = {t[9] * (t[6] + t[7] + t[8]), t[10] * (t[3] + t[4] + t[5]), t[11] * (t[0] + t[1] + t[2])};
        point(second[0], second[1], second[2]);
        out_ += "}\n\n";
    }

    void parts_decomposition()
    {
        materials();
        const std::string root = model_.root_name.substr(0, 3);
        const auto polygon_total = static_cast<long>(model_.polygons.size());
        for (const ModelPart& part : model_.parts) {
            // A range reaching past the polygons contributes only the polygons that exist.
            SourceObject part_object;
            for (long i = std::max(0L, long(part.first_polygon)); i <= part.last_polygon && i < polygon_total; ++i) {
                const ModelPolygon& polygon = model_.polygons[static_cast<std::size_t>(i)];
                part_object.add(polygon, polygon.material_index);
            }
            object(part.name, part_object);
            axle_marker(part, root);
        }
        // Every polygon lies in exactly one mesh: a run of consecutive polygons with one material.
        int mesh = 0;
        for (std::size_t start = 0; start < model_.polygons.size();) {
            const int material_index = model_.polygons[start].material_index;
            SourceObject run;
            std::size_t end = start;
            for (; end < model_.polygons.size() && model_.polygons[end].material_index == material_index; ++end)
                run.add(model_.polygons[end], material_index);
            object(format("mesh_%02d", mesh++), run);
            start = end;
        }
        out_ += "}\n\nEND\n";
    }

    const ModelData& model_;
    Sink sink_;
    std::string out_;
};

}  // namespace

int axle_limit_value(float limit, bool negate)
{
    const float value = limit * (negate ? -limit_factor : limit_factor);
    if (!(double(value) > double(INT_MIN) - 1.0 && double(value) < double(INT_MAX) + 1.0)) return INT_MIN;
    return static_cast<int>(value);
}

std::string model_source_text(const ModelData& model, ModelSourceLayout layout)
{
    std::string text;
    SourceText(model, [&](std::string_view piece) { text += piece; }).write(layout);
    return text;
}

int write_model_source(const ModelData& model, const fs::path& file, ModelSourceLayout layout)
{
    ExportFile out;
    if (out.open(file) != 0) return -1;
    std::string crlf;
    SourceText(model, [&](std::string_view piece) {
        // Text-file line ends of the game's platform.
        crlf.clear();
        for (char c : piece) {
            if (c == '\n') crlf += '\r';
            crlf += c;
        }
        out.write(crlf);
    }).write(layout);
    return out.finish();
}

}  // namespace mw
