// An entry's bytes exactly as its archive stores them: no decompression, no
// conversion, a compound entry's directory and every item at once.
#pragma once

#include <filesystem>
#include <optional>

#include "archive/byte_io.h"
#include "archive/res_entry.h"

namespace mw {

// The `entry.stored_length` bytes at `entry.data_offset` of the archive file.
// Nothing when the file cannot be read there (a damaged entry, a changed
// file). Reports nothing: callers own the message.
std::optional<Bytes> read_stored_bytes(const std::filesystem::path& archive, const ResEntry& entry);

}  // namespace mw
