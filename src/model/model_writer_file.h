// Writing an exporter's output file, with the exporters' messages.
#pragma once

#include <filesystem>
#include <string_view>

namespace mw {

// Writes `content` (truncating). -1 after "Error opening NAME for writing"
// when the file cannot be created, or "Error writing NAME" when writing fails.
[[nodiscard]] int write_export_file(const std::filesystem::path& file, std::string_view content);

}  // namespace mw
