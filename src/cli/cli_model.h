// Printing a loaded model for marrowick-cli: the file form of model-info
// and, later, the archive form share it.
#pragma once

#include <iosfwd>

#include "model/model_data.h"

namespace mw::cli {

// Counts, bounding box, materials and moving parts; as text or as one JSON object.
void print_model_info(std::ostream& out, const ModelData& model, bool json);

}  // namespace mw::cli
