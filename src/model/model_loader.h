// Loading a VMMD model item into a ModelData.
//
// Format notes (all little-endian): a 110-byte header ("VMMD", version,
// 8-character name, 44 unused bytes, polygon/vertex/axle counts as int16,
// material/callback/light/object counts as uint8, ten int32 section
// offsets), then sections found through the offsets: objects (93 bytes each:
// the root, then the moving parts), materials (26 bytes each, then one pair
// of floats each), texture coordinates, an unused section, vertices, records
// of four int16, face normals and variable-length polygon records.
//
// Outcomes of load_model:
//   0  the model holds the file's content: materials matched to polygons,
//      vertex normals averaged over the polygons using each vertex (zero for
//      a vertex no polygon uses), bounding box of the stored positions,
//      moving-part transforms applied to the positions.
//  -1  "Error#375: Error Loading 3D Model" has been shown and the model is
//      unchanged. The file cannot be read, is not a "VMMD" file, or is
//      malformed: a section or record that does not fit in the file, a
//      negative count or section length, no root object, an index (vertex,
//      face normal, texture coordinate, child link) outside its section, a
//      polygon material code that matches no material of the polygon's kind,
//      or moving parts whose parent links form a loop. Nothing is ever read
//      outside the file's bytes.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "archive/byte_io.h"
#include "model/model_data.h"

namespace mw {

namespace fs = std::filesystem;

// `variant`: the archive's variant flag (models of the variant archives
// store their texture numbers and colours differently).
[[nodiscard]] int load_model(ModelData& model, const fs::path& file, bool variant);

// The same over the file's bytes, silently: nothing when they are no valid model.
std::optional<ModelData> parse_model(ByteSpan data, bool variant);

// Rebuilds the texture slots, one per textured material in order (materials
// sharing a texture number get separate slots), sets each textured
// material's slot and appends its texture number to `texture_numbers`.
void collect_textures(ModelData& model, std::vector<int>& texture_numbers);

}  // namespace mw
