// Any bytes as a VMMD model item, in both archive variants. A model that
// loads is whole (every index the writers and the renderer follow is
// inside its table) and goes through both model writers and the
// renderer's per-polygon decisions.
#include "fuzz_support.h"
#include "model/cob_writer.h"
#include "model/model_camera.h"
#include "model/model_loader.h"
#include "model/model_source_writer.h"

namespace {

void check_model(mw::ModelData& model)
{
    for (const mw::ModelPolygon& polygon : model.polygons) {
        FUZZ_CHECK(polygon.vertex_indices.size() == std::size_t(polygon.corner_count));
        for (const int v : polygon.vertex_indices) FUZZ_CHECK(v >= 0 && std::size_t(v) < model.vertices.size());
        FUZZ_CHECK(polygon.material_index >= -1 && polygon.material_index < int(model.materials.size()));
    }
    for (const mw::ModelPart& part : model.parts)
        FUZZ_CHECK(part.parent >= -1 && part.parent < int(model.parts.size()));

    (void)mw::model_source_text(model, mw::ModelSourceLayout::multimaterial_root);
    (void)mw::model_source_text(model, mw::ModelSourceLayout::parts_decomposition);
    (void)mw::cob_bytes(model);

    std::vector<int> texture_numbers;
    mw::collect_textures(model, texture_numbers);
    FUZZ_CHECK(texture_numbers.size() == model.texture_slots.size());
    for (const mw::ModelPolygon& polygon : model.polygons) {
        const mw::PolygonLook look = mw::polygon_look(model, polygon);
        FUZZ_CHECK(look.texture_slot >= -1 && look.texture_slot < int(model.texture_slots.size()));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (const bool variant : {false, true}) {
        std::optional<mw::ModelData> model = mw::parse_model(mw::fuzz::bytes_of(data, size), variant);
        if (model) check_model(*model);
    }
    return 0;
}
