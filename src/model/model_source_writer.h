// Model source (".e"): the plain-text description of a model's points,
// polygons and materials, in one of two layouts.
//
// "As multimaterial root" (0): one material "PLANE" and one object "plane"
// holding every vertex and every polygon, fan-triangulated.
// "Parts decompositon" (1): the model's materials; per moving part an object
// with its own points and triangles followed by an axle marker object
// ("@x"/"@z", part number, root name, limits); then one "mesh_NN" object per
// run of consecutive polygons with the same material.
#pragma once

#include <filesystem>
#include <string>

#include "model/model_data.h"

namespace mw {

namespace fs = std::filesystem;

enum class ModelSourceLayout { multimaterial_root = 0, parts_decomposition = 1 };

// The text with "\n" line ends. The model comes from load_model, which has
// checked its vertex indices.
std::string model_source_text(const ModelData& model, ModelSourceLayout layout);

// Writes the text with CR LF line ends. -1 after "Error opening NAME for
// writing" or "Error writing NAME".
[[nodiscard]] int write_model_source(const ModelData& model, const fs::path& file, ModelSourceLayout layout);

// The axle marker's limit value: limit × 100 / 2π (single precision), truncated
// toward zero; INT_MIN (as the x86 conversion gives) when it is out of range
// or not a number.
int axle_limit_value(float limit, bool negate);

}  // namespace mw
