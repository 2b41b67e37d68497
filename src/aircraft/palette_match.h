// The palette entry nearest to a colour, for the prop form's palette list.
#pragma once

#include <cstdint>
#include <span>

namespace mw {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// The index of the entry with the least sum of squared channel differences;
// the first such entry on a tie; -1 for an empty palette.
int nearest_palette_index(std::span<const Rgb> palette, Rgb colour);

}  // namespace mw
