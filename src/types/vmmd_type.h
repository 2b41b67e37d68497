// The handler of 3D model items ("VMMD"). Its converted form is the item
// itself, copied to the ".bin" file; on the way it remembers the polygon and
// vertex counts for the information line. An import must be a model file.
#pragma once

#include <cstdint>

#include "types/copy_types.h"

namespace mw {

class VMMDType final : public CopyingType {
public:
    VMMDType() : CopyingType("3D Model", "bin", type_model, 1009, 1003) {}

    // Reads the counts at byte 60 (left as they were when the file is
    // shorter), then copies; "Error#1009: Error converting file" on failure.
    int export_convert(const fs::path& stored) override;
    // "Error#1077: File is not a Vellamore 3D Model file" unless `source`
    // begins with "VMMD"; then copies ("Error#1003: Error converting file").
    int import_convert(const fs::path& source, const fs::path& target) override;
    bool imports_unchanged() const override { return false; }  // the source is checked first
    std::unique_ptr<FileType> clone() const override { return std::make_unique<VMMDType>(*this); }
    // "Model Information     : N Polygons" + CR LF.
    std::string info_text() const override;

    std::int16_t polygon_count() const { return polygon_count_; }
    std::int16_t vertex_count() const { return vertex_count_; }

private:
    std::int16_t polygon_count_ = 0;
    std::int16_t vertex_count_ = 0;
};

}  // namespace mw
