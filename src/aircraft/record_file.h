// Aircraft records over the extracted temporary file of the selected item:
// loading a form's record from it, and writing a record's new values back
// over it in place before the document replaces the item in the archive.
//
// The name and description record has its own pair (aircraft_name.h).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "aircraft/record.h"

namespace mw {

namespace fs = std::filesystem;

// Reads the file and loads it with the layout the item's bytes select for
// entry `resource_id`. A file that cannot be read shows the kind's load error
// ("Error#61: Error loading airphysik file", …); an item no form edits is
// reported too.
std::optional<Record> load_record_file(const fs::path& path, int resource_id);

// Loads the item's bytes with the layout they select for entry `resource_id`;
// an item no form edits is reported.
std::optional<Record> load_record_item(ByteSpan item, int resource_id);

// Writes the record's new values over the file: opened for update, never
// created and never truncated, bytes past the record kept. Only the flap
// record grows the file. A file that cannot be opened or written shows the
// kind's open error ("Error opening airphysik file", …).
[[nodiscard]] int update_record_file(const fs::path& path, const Record& record);

// Writes `bytes` over the start of an existing file without truncating it;
// `failure` is shown when the file cannot be opened or written.
[[nodiscard]] int write_over_file(const fs::path& path, ByteSpan bytes, const std::string& failure);

// Reads a temporary item file for a record; nothing (no message) when it
// cannot be read or is implausibly large for a record.
std::optional<Bytes> read_record_bytes(const fs::path& path);

}  // namespace mw
