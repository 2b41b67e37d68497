// The archives of a flight-model import, built for tests: an aircraft
// archive (the six key entries, 2130 ... 2137 with 2132 compressed, the 2138
// flight model, a tail entry) and a physics archive of nine entries.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "archive/dcl/dcl.h"
#include "support/res_builder.h"

namespace mw::test {

inline Bytes filled(std::size_t n, std::uint8_t value) { return Bytes(n, value); }

inline Bytes compound_data(const std::vector<Bytes>& items, std::vector<std::uint32_t>* offsets)
{
    offsets->assign(1, static_cast<std::uint32_t>(2 + 4 * (items.size() + 1)));
    Bytes joined;
    for (const Bytes& item : items) {
        joined.insert(joined.end(), item.begin(), item.end());
        offsets->push_back(offsets->back() + static_cast<std::uint32_t>(item.size()));
    }
    return joined;
}

inline void write_aircraft_archive(const std::filesystem::path& path, bool compressed_piece = true)
{
    ResBuilder b;
    b.raw(11005, filled(8, 1)).raw(26001, {'R', 'I', 'F', 'F'}).raw(1971, filled(12, 3));
    Bytes definition(16, 0);
    put_u16(&definition[12], 3000);
    b.raw(2053, definition).raw(3000, filled(20, 4)).raw(2059, filled(768, 5)).raw(2900, filled(960038, 6));
    for (int j = 0; j < 8; ++j) {
        const Bytes data = filled(20, std::uint8_t(0x10 + j));
        if (j == 2 && compressed_piece)
            b.stored(2132, dcl::implode(data, 2048), 20);
        else
            b.raw(std::uint16_t(2130 + j), data);
    }
    std::vector<std::uint32_t> offsets;
    const Bytes joined = compound_data({filled(10, 0xA1), filled(45, 0xA2)}, &offsets);
    b.compound(2138, offsets, dcl::implode(joined, 4096), static_cast<std::uint32_t>(joined.size()));
    b.raw(7777, filled(33, 0x77));
    b.write(path);
}

// A physics archive of `count` entries with pieces of the given sizes.
inline void write_physics_archive(const std::filesystem::path& path, int count, const std::vector<std::size_t>& sizes)
{
    ResBuilder b;
    for (int j = 0; j < count && j < 8; ++j) b.raw(std::uint16_t(2130 + j), filled(sizes[j], std::uint8_t(0xC0 + j)));
    if (count >= 9) {
        std::vector<std::uint32_t> offsets;
        const Bytes joined = compound_data({filled(12, 0xB1), filled(42, 0xB2), filled(5, 0xB3)}, &offsets);
        // Physics archives hold the flight model raw: its directory, then the items.
        Bytes main = ResBuilder::directory(offsets);
        main.insert(main.end(), joined.begin(), joined.end());
        b.raw(2138, main);
    }
    for (int j = 9; j < count; ++j) b.raw(1, filled(4, 0));
    b.write(path);
}

}  // namespace mw::test
