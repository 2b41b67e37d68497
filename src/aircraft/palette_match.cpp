#include "aircraft/palette_match.h"

namespace mw {

int nearest_palette_index(std::span<const Rgb> palette, Rgb colour)
{
    int best = -1;
    long best_distance = 0;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long dr = long(palette[i].red) - colour.red;
        const long dg = long(palette[i].green) - colour.green;
        const long db = long(palette[i].blue) - colour.blue;
        const long distance = dr * dr + dg * dg + db * db;
        if (best < 0 || distance < best_distance) {
            best = int(i);
            best_distance = distance;
        }
    }
    return best;
}

}  // namespace mw
