// Forces PaletteFormat to 0 (JASC text) while it lives: the display and the
// current palette file always receive JASC palettes.
#pragma once

#include "app/workspace/workspace.h"

namespace mw {

class PaletteFormatScope {
public:
    PaletteFormatScope() : saved_(Workspace::instance().palette_format()) { Workspace::instance().set_palette_format(0); }
    ~PaletteFormatScope() { Workspace::instance().set_palette_format(saved_); }
    PaletteFormatScope(const PaletteFormatScope&) = delete;
    PaletteFormatScope& operator=(const PaletteFormatScope&) = delete;

private:
    int saved_;
};

}  // namespace mw
