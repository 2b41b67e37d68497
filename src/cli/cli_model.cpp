// marrowick-cli model-info (ARCHIVE FILE [ITEM] | MODELFILE [--variant]) [--json]
#include "cli/cli_model.h"

#include <cmath>
#include <iomanip>
#include <iostream>
#include <sstream>

#include "cli/commands.h"
#include "cli/selection_args.h"
#include "archive/windows1252.h"
#include "model/model_loader.h"

namespace mw::cli {

namespace {

std::string number(double value)
{
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << std::fixed << std::setprecision(6) << value;
    return text.str();
}

// JSON has no infinities or NaN: those become null.
std::string json_number(double value) { return std::isfinite(value) ? number(value) : "null"; }

std::string triple(const std::array<float, 3>& v, const char* separator, std::string (*format)(double) = number)
{
    return format(v[0]) + separator + format(v[1]) + separator + format(v[2]);
}

int channel(float value) { return static_cast<int>(value * 255.0f + 0.5f); }

const char* kind_name(int kind) { return kind == 0 ? "textured" : kind == 1 ? "colour" : "other"; }

void print_text(std::ostream& out, const ModelData& m)
{
    out << "Model \"" << utf8_from_windows1252(m.name) << "\" version " << m.version << ", root \""
        << utf8_from_windows1252(m.root_name) << "\"\n"
        << "Polygons " << m.polygon_count << ", vertices " << m.vertex_count << ", materials " << m.material_count
        << ", axles " << m.axle_count << ", moving parts " << m.moving_part_count << ", callbacks "
        << m.callback_count << ", lights " << m.light_count << '\n'
        << "Texture coordinates " << m.texture_coordinates.size() << ", face normals " << m.face_normals.size()
        << ", quad records " << m.quad_records.size() << '\n'
        << "Bounding box (" << triple(m.bounds.minimum, ", ") << ") to (" << triple(m.bounds.maximum, ", ")
        << "), centre (" << triple(m.bounds.centre, ", ") << ")\n";
    out << "Materials:\n";
    for (std::size_t i = 0; i < m.materials.size(); ++i) {
        const ModelMaterial& material = m.materials[i];
        out << "  " << i + 1 << " \"" << utf8_from_windows1252(material.name) << "\" " << kind_name(material.kind) << " code "
            << material.code;
        if (material.kind == 0)
            out << " texture " << material.texture_number << (material.opacity == 0.0f ? " colour-keyed" : "");
        else
            out << " RGB " << channel(material.red) << ',' << channel(material.green) << ',' << channel(material.blue);
        out << " transparency " << number(material.transparency) << '\n';
    }
    out << "Parts:\n";
    for (std::size_t k = 0; k < m.parts.size(); ++k) {
        const ModelPart& part = m.parts[k];
        out << "  " << k + 1 << " \"" << utf8_from_windows1252(part.name) << "\" axis " << (part.axis_kind == 1 ? 'x' : 'z') << " number "
            << part.part_number << " polygons " << part.first_polygon << '-' << part.last_polygon << " parent ";
        if (part.parent < 0)
            out << "none";
        else
            out << part.parent + 1;
        out << " limits A " << number(part.limit_a) << " B " << number(part.limit_b) << '\n';
    }
}

void print_json(std::ostream& out, const ModelData& m)
{
    out << "{\"name\":" << json_string(m.name) << ",\"root_name\":" << json_string(m.root_name)
        << ",\"version\":" << m.version << ",\"polygons\":" << m.polygon_count << ",\"vertices\":" << m.vertex_count
        << ",\"materials_count\":" << m.material_count << ",\"axles\":" << m.axle_count
        << ",\"moving_parts\":" << m.moving_part_count << ",\"callbacks\":" << m.callback_count
        << ",\"lights\":" << m.light_count << ",\"texture_coordinates\":" << m.texture_coordinates.size()
        << ",\"face_normals\":" << m.face_normals.size() << ",\"quad_records\":" << m.quad_records.size()
        << ",\"bounds\":{\"min\":[" << triple(m.bounds.minimum, ",", json_number) << "],\"max\":["
        << triple(m.bounds.maximum, ",", json_number) << "],\"centre\":[" << triple(m.bounds.centre, ",", json_number)
        << "]},\"materials\":[";
    for (std::size_t i = 0; i < m.materials.size(); ++i) {
        const ModelMaterial& material = m.materials[i];
        out << (i ? "," : "") << "\n {\"name\":" << json_string(material.name) << ",\"kind\":" << material.kind
            << ",\"code\":" << material.code << ",\"texture\":" << material.texture_number
            << ",\"rgb\":[" << channel(material.red) << ',' << channel(material.green) << ',' << channel(material.blue)
            << "],\"opacity\":" << json_number(material.opacity)
            << ",\"transparency\":" << json_number(material.transparency)
            << '}';
    }
    out << "],\"parts\":[";
    for (std::size_t k = 0; k < m.parts.size(); ++k) {
        const ModelPart& part = m.parts[k];
        out << (k ? "," : "") << "\n {\"name\":" << json_string(part.name) << ",\"axis_kind\":" << part.axis_kind
            << ",\"number\":" << part.part_number << ",\"first_polygon\":" << part.first_polygon
            << ",\"last_polygon\":" << part.last_polygon << ",\"parent\":"
            << (part.parent < 0 ? std::string("null") : std::to_string(part.parent + 1))
            << ",\"limit_a\":" << json_number(part.limit_a) << ",\"limit_b\":" << json_number(part.limit_b) << '}';
    }
    out << "]}\n";
}

}  // namespace

void print_model_info(std::ostream& out, const ModelData& model, bool json)
{
    if (json)
        print_json(out, model);
    else
        print_text(out, model);
}

int run_model_info(Args& args)
{
    const bool variant = args.flag("--variant");
    const bool json = args.flag("--json");
    ModelData model;
    if (args.count() == 1) {
        if (!args.expect({"MODELFILE"}, 1)) return usage(args, "model-info");
        if (load_model(model, args[0], variant) != 0) return exit_failed;
    } else {
        // An entry or item of an archive, selected as the tree would; the archive gives the variant flag.
        const auto selection = parse_selection(args);
        if (!selection) return usage(args, "model-info");
        if (variant) return usage_problem("model-info", "--variant is for a MODELFILE; an archive gives its own");
        HeadlessDocument session;
        if (!open_and_select(session.doc, *selection)) return exit_failed;
        if (load_model(model, session.doc.display_request().file, session.doc.analysis().variant) != 0) return exit_failed;
    }
    print_model_info(std::cout, model, json);
    return exit_ok;
}

}  // namespace mw::cli
