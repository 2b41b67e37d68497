// Writing an exporter's output file, with the exporters' messages.
#pragma once

#include <filesystem>
#include <string_view>

#include "archive/system_file.h"

namespace mw {

// An export written piece by piece, so that a large text need not be held
// whole. `open` reports "Error opening NAME for writing"; after a failed
// `write`, later writes do nothing and `finish` reports "Error writing NAME"
// and removes the short file.
class ExportFile {
public:
    [[nodiscard]] int open(const std::filesystem::path& file);
    void write(std::string_view content);
    [[nodiscard]] int finish();

private:
    std::filesystem::path file_;
    OutputFile out_;
    bool failed_ = false;
};

// Writes `content` (truncating) as one piece.
[[nodiscard]] int write_export_file(const std::filesystem::path& file, std::string_view content);

}  // namespace mw
