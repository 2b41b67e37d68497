// Exporting an extracted model item to a file the user named: as model
// source (".e", in the layout of the workspace's model-source export option)
// or as a trueSpace COB file. Extraction calls these for destinations whose
// name ends in "e" or "b".
//
// The model is loaded as outside the variant archives, whatever the archive:
// files made for the game's tools carry the colours as stored. 0 on success; -1 after the message of
// the failing step ("Error#375: Error Loading 3D Model" for an
// item that is no valid model, nothing is written then; the writer's message
// otherwise).
#pragma once

#include <filesystem>

namespace mw {

namespace fs = std::filesystem;

[[nodiscard]] int export_model_source(const fs::path& model_file, const fs::path& destination);
[[nodiscard]] int export_cob(const fs::path& model_file, const fs::path& destination);

}  // namespace mw
