// The prop editor's "Palette:" list: the plane palette and the region
// palettes, the chosen one's colours, and how a colour looks in it (the
// game draws a propeller with the nearest colour of the region's palette).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "aircraft/palette_match.h"
#include "types/palette_file.h"

namespace mw {

class PropPalette {
public:
    // Lists the palettes and loads the first; a failure there is silent
    // and leaves no colours.
    PropPalette();

    const std::vector<RegionPalette>& list() const { return list_; }
    std::size_t chosen() const { return chosen_; }
    const std::vector<Rgb>& colours() const { return colours_; }

    // Loads palette `index` of the list. When its file cannot be opened:
    // "Error#71: Error loading region palette file", the colours and the
    // choice stay as they were, -1.
    int choose(std::size_t index);

    // A packed colour (red in the low byte) as the chosen palette draws it:
    // its nearest entry; the colour itself while no palette is loaded.
    std::uint32_t matched(std::uint32_t rgb) const;

private:
    bool load(std::size_t index, bool report_failure);

    std::vector<RegionPalette> list_;
    std::size_t chosen_ = 0;
    std::vector<Rgb> colours_;
};

}  // namespace mw
