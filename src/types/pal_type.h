// The handler of palette entries (768 bytes: 256 colours of red, green,
// blue). Exports a JASC text palette or a Corel PhotoPaint palette as the
// PaletteFormat setting says; imports either, recognised by its magic.
#pragma once

#include "types/file_type.h"
#include "types/palette_formats.h"

namespace mw {

class PalType final : public FileType {
public:
    PalType() : FileType("Palette", "pal", type_palette) {}

    // S → S + "pal" in the workspace's PaletteFormat.
    [[nodiscard]] int export_convert(const fs::path& stored) override;
    // A JASC or Corel palette → a 768-byte entry in `target`.
    [[nodiscard]] int import_convert(const fs::path& source, const fs::path& target) override;
    std::unique_ptr<FileType> clone() const override { return std::make_unique<PalType>(*this); }
    std::string info_text() const override { return {}; }

    // S → S + "pal" in the given format, whatever the setting (the display
    // and the current palette always want JASC text).
    [[nodiscard]] int export_as(const fs::path& stored, PaletteFormat format);

private:
    int import_jasc(const fs::path& source, const fs::path& target);
    int import_corel(const fs::path& source, const fs::path& target);
};

}  // namespace mw
