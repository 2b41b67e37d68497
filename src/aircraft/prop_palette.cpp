#include "aircraft/prop_palette.h"

namespace mw {

PropPalette::PropPalette() : list_(region_palettes()) { load(0, false); }

int PropPalette::choose(std::size_t index)
{
    if (index >= list_.size() || !load(index, true)) return -1;
    chosen_ = index;
    return 0;
}

bool PropPalette::load(std::size_t index, bool report_failure)
{
    const auto triples = load_region_palette(list_[index], report_failure);
    if (!triples) return false;
    // Channel values taken modulo 256, as every palette reader here does.
    colours_.clear();
    for (const PaletteTriple& t : *triples)
        colours_.push_back({std::uint8_t(t[0] & 255), std::uint8_t(t[1] & 255), std::uint8_t(t[2] & 255)});
    return true;
}

std::uint32_t PropPalette::matched(std::uint32_t rgb) const
{
    const Rgb colour{std::uint8_t(rgb), std::uint8_t(rgb >> 8), std::uint8_t(rgb >> 16)};
    const int k = nearest_palette_index(colours_, colour);
    if (k < 0) return rgb;
    const Rgb& c = colours_[std::size_t(k)];
    return std::uint32_t(c.red) | std::uint32_t(c.green) << 8 | std::uint32_t(c.blue) << 16;
}

}  // namespace mw
