// Choosing an entry's type handler: by the content of an extracted file, by
// the extension of a file being imported, and creating the handler for a
// detection code — the one place where handlers are made.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

#include "types/file_type.h"

namespace mw {

// Detection codes: 0 unknown, 1 sound, 2 8-bit image item, 3 16-bit image
// item, 4 3D model, 768 palette; -1 when the file cannot be opened (after
// "Error#1067: Open file for reading failed").
int type_from_content(const fs::path& file);

// The detection code of content that begins with `head` (at least its first
// 6 bytes when there are that many) and is `size` bytes long.
int type_from_head(std::span<const std::uint8_t> head, std::uint64_t size);

// 1 for "wav"/"WAV", 2 for "bmp"/"BMP", 768 for "pal"/"PAL", else 0.
int type_from_extension(const fs::path& file);

// The handler for a detection code; nullptr for any other code.
std::unique_ptr<FileType> create_file_type(int detection_code);

}  // namespace mw
