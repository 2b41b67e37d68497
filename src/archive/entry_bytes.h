// An entry's bytes exactly as its archive stores them: no decompression, no
// conversion, a compound entry's directory and every item at once.
#pragma once

#include <filesystem>
#include <string>

#include "archive/byte_io.h"
#include "archive/res_entry.h"

namespace mw {

struct StoredBytes {
    Bytes data;
    bool damaged = false;  // the entry's data does not lie inside the archive file
    std::string reason;    // else, when reading failed: the system's reason
    bool ok() const { return !damaged && reason.empty(); }
};

// The `entry.stored_length` bytes at `entry.data_offset` of the archive file.
// Reports nothing: callers own the message.
StoredBytes read_stored_bytes(const std::filesystem::path& archive, const ResEntry& entry);

}  // namespace mw
