// File helpers shared by every format: whole-file reads with a size limit,
// whole-file writes and file copies, each checked to its close. A write or
// copy that fails removes what it had written, so no short file is left to
// be taken for a good one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "archive/byte_io.h"
#include "archive/system_file.h"

namespace mw {

namespace fs = std::filesystem;

// Reads a whole file; nothing when it cannot be opened or read, or is larger
// than `max_size` bytes. Reports nothing: callers own the message.
std::optional<Bytes> read_file(const fs::path& path, std::uint64_t max_size = UINT32_MAX);

// Writes (truncating) a whole file; false on failure, with the system's
// reason in `reason` when given. Reports nothing.
[[nodiscard]] bool write_file(const fs::path& path, ByteSpan data, std::string* reason = nullptr);
[[nodiscard]] bool write_text_file(const fs::path& path, const std::string& text, std::string* reason = nullptr);

// Replaces a whole file safely: the text goes to a new file beside it, which
// is synced and then renamed over `path`, so a failure keeps the old file as
// it was. False on failure, with the reason when given. Reports nothing.
[[nodiscard]] bool replace_text_file(const fs::path& path, const std::string& text, std::string* reason = nullptr);

// Copies a whole file over `to` (created or truncated). On failure the
// outcome names the file and the reason. Reports nothing.
[[nodiscard]] CopyOutcome copy_file_over(const fs::path& from, const fs::path& to);

// Size of a regular file, or nothing.
std::optional<std::uint64_t> file_size_of(const fs::path& path);

// A path as the user sees it in messages.
inline std::string display(const fs::path& path) { return path.string(); }

}  // namespace mw
