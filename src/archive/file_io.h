// File helpers shared by every format: whole-file reads with a size limit,
// whole-file writes, and the buffered stream copy that all file-to-file
// copies go through.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

#include "archive/byte_io.h"

namespace mw {

namespace fs = std::filesystem;

// A count that means "up to the end of the input".
inline constexpr std::uint64_t copy_to_end = UINT64_MAX;

// Copies up to `count` bytes from `in` to `out`, stopping early at the end
// of the input. A failed write shows "Error#1001: Error copying file" and
// returns -1; otherwise 0. `copied`, when given, receives the byte count.
[[nodiscard]] int copy_stream(std::istream& in, std::ostream& out, std::uint64_t count,
                              std::uint64_t* copied = nullptr);

// Reads a whole file; nothing when it cannot be opened or is larger than
// `max_size` bytes. Reports nothing: callers own the message.
std::optional<Bytes> read_file(const fs::path& path, std::uint64_t max_size = UINT32_MAX);

// Writes (truncating) a whole file; false on failure. Reports nothing.
[[nodiscard]] bool write_file(const fs::path& path, ByteSpan data);
[[nodiscard]] bool write_text_file(const fs::path& path, const std::string& text);

// Size of a regular file, or nothing.
std::optional<std::uint64_t> file_size_of(const fs::path& path);

// A path as the user sees it in messages.
inline std::string display(const fs::path& path) { return path.string(); }

}  // namespace mw
