// Writes ".res" archives from a description, for tests and the sample
// archive: raw entries, entries given as stored bytes plus an uncompressed
// length (plain compressed or deliberately damaged), and compound entries
// from a directory and a stream.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "archive/byte_io.h"

namespace mw::test {

struct BuiltEntry {
    std::uint16_t id = 0;
    Bytes stored;                       // the bytes in the file (directory included)
    std::uint32_t uncompressed_length = 0;
    std::uint32_t stored_length = 0;    // as written in the index (normally stored.size())
    std::uint8_t attribute1 = 0;
    std::uint8_t attribute2 = 0;
};

class ResBuilder {
public:
    // A raw entry: both lengths equal the data's size.
    ResBuilder& raw(std::uint16_t id, Bytes data);
    // Stored bytes with their own uncompressed length (a compressed stream).
    ResBuilder& stored(std::uint16_t id, Bytes stored, std::uint32_t uncompressed_length);
    // A compound entry: the directory of `offsets` (O[0] ... O[n]) followed by `stream`;
    // uncompressed length = O[0] + decompressed_length.
    ResBuilder& compound(std::uint16_t id, const std::vector<std::uint32_t>& offsets, Bytes stream,
                         std::uint32_t decompressed_length);
    // A compound entry of `items`, its stream imploded with `dictionary`.
    ResBuilder& compound_items(std::uint16_t id, const std::vector<Bytes>& items, int dictionary = 4096);
    // A plain compressed entry: `data` imploded with `dictionary`.
    ResBuilder& compressed(std::uint16_t id, const Bytes& data, int dictionary);
    // Any entry, as is.
    ResBuilder& entry(BuiltEntry entry);

    // Header bytes 14...123 (not interpreted); default zeros.
    ResBuilder& header_filler(std::uint8_t value);
    // Where the index says the first entry's data starts (default 128).
    ResBuilder& first_data_offset(std::uint32_t offset);

    Bytes build() const;
    void write(const std::filesystem::path& path) const;

    // The directory block for item offsets O[0] ... O[n].
    static Bytes directory(const std::vector<std::uint32_t>& offsets);

private:
    std::vector<BuiltEntry> entries_;
    std::uint8_t filler_ = 0;
    std::uint32_t first_data_offset_ = 128;
};

// An 8-bit image item of width x height whose pixel in row r, column x is
// x * step + r (mod 256).
Bytes image_item(std::uint16_t width, std::uint16_t height, std::uint8_t step);

}  // namespace mw::test
