// Export > Options...: the dialog "Export Options" with its two settings,
// the palette format of converted palettes (kept in "config.cfg") and the
// layout of model source exports (back to "As multimaterial root" at every
// start).
#pragma once


namespace mw {

struct ExportOptions {
    int palette_format = 0;     // 0 "PaintShop Pro" (JASC text), 1 "Corel PhotoPaint" (binary)
    int model_source_mode = 0;  // 0 "As multimaterial root", 1 "Parts decompositon"

    bool operator==(const ExportOptions&) const = default;
};

inline constexpr char export_options_title[] = "Export Options";
inline constexpr char palette_format_group[] = "Palette Format";
inline constexpr const char* palette_format_choices[] = {"PaintShop Pro", "Corel PhotoPaint"};
inline constexpr char model_source_group[] = "E-File resolution";
inline constexpr const char* model_source_choices[] = {"As multimaterial root", "Parts decompositon"};

// The settings the dialog opens with.
ExportOptions current_export_options();
// "OK": both settings are stored (a value other than 1 counts as 0).
void store_export_options(const ExportOptions& options);

}  // namespace mw
