// trueSpace COB export: a binary "Caligari V00.01" file with one polygon
// object ("PolH") holding every vertex and polygon of the model and the
// closing "END " chunk. Materials, texture coordinates and moving parts are
// not written; a model with faces carries one texture vertex (0, 0), which
// every corner names. Corners are written last to first, which turns the
// model's winding into the one trueSpace expects.
#pragma once

#include <filesystem>

#include "archive/byte_io.h"
#include "model/model_data.h"

namespace mw {

namespace fs = std::filesystem;

// The whole file.
Bytes cob_bytes(const ModelData& model);

// -1 after "Error opening NAME for writing" or "Error writing NAME".
[[nodiscard]] int write_cob(const ModelData& model, const fs::path& file);

}  // namespace mw
