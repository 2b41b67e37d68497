// The aircraft name and description (first item of entry 2052).
//
// Format notes: when the first byte is 0x02 the item starts with a 3-byte
// prefix whose third byte is the name's offset O; otherwise O = 0. At O the
// name's L characters and a zero byte, then the description's D characters
// (line breaks are single line feeds) and a zero byte. A save keeps the
// record's size: the new name and description are padded with spaces to L
// and D and may not be longer; bytes before O and after the description's
// zero stay as they are.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "archive/byte_io.h"

namespace mw {

namespace fs = std::filesystem;

// The geometry the form reads and the save is given back.
struct NameLayout {
    std::size_t name_offset = 0;         // O
    std::size_t name_length = 0;         // L
    std::size_t description_length = 0;  // D
};

struct AircraftName {
    NameLayout layout;
    std::string name;
    std::string description;      // every line feed shown as CR LF
    std::size_t line_breaks = 0;  // B: line feeds in the stored description
};

// The description edit's limit: D + B, as carriage returns count in the edit.
inline std::size_t description_edit_limit(const AircraftName& n) { return n.layout.description_length + n.line_breaks; }

// Reads the record; "Error#62: Error reading aircraft name file" when the
// item ends before both zero bytes.
std::optional<AircraftName> load_aircraft_name(ByteSpan item);
// The same from the temporary file; "Error#61: Error loading aircraft name
// file" when it cannot be read.
std::optional<AircraftName> load_aircraft_name_file(const fs::path& path);

// Writes the new name and description over `item` at the layout's place.
// Refused with a message: an empty name, a name longer than L, a description
// longer than D once the carriage return of each CR LF is left out (it would
// run past its zero byte into the bytes after it).
[[nodiscard]] int encode_aircraft_name(Bytes& item, const NameLayout& layout, std::string_view name,
                                       std::string_view description);
// The same over the temporary file, opened for update ("Error opening aircraft name file").
[[nodiscard]] int update_aircraft_name_file(const fs::path& path, std::string_view name, std::string_view description,
                                            const NameLayout& layout);

}  // namespace mw
