// Compression of the import file and decompression of an extracted stream.
//
// The built-in DCL codec does the work in memory. When the program folder
// holds "dcl2zip.exe" / "pkzip25.exe" (or the same names without ".exe"),
// those programs are run instead, with the files they exchange: the raw ZIP
// (raw file + "zip") wrapping a stored stream, and temp + "import.zip"
// holding the compressed import file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "archive/byte_io.h"

namespace mw {

namespace fs = std::filesystem;

// The largest length an index entry can hold (24 bits).
inline constexpr std::uint32_t max_entry_length = 0xFFFFFF;

// Runs the external compressor: `import_file` into temp + "import.zip" with
// the dictionary of `dcl_option` (" -1 ", " -2 ", " -4 "; an empty option
// means " -4 "). Returns 0, the compressor's non-zero exit code, or -1.
[[nodiscard]] int compress(const fs::path& import_file, const std::string& dcl_option);

// Replaces `raw_file` with the decompressed content of the ZIP raw_file + "zip".
// The built-in codec never writes more than `max_output` bytes. 0 or -1.
[[nodiscard]] int decompress(const fs::path& raw_file, std::uint32_t max_output);

// True when no external compressor is installed: an import file is then
// compressed in memory, with no ZIP file in between.
bool compresses_in_process();

// The DCL stream of `data` by the built-in codec, with the dictionary of
// `dcl_option`, once it has been decoded back to `data`. Nothing after the
// message "Error compressing item" when it does not.
std::optional<Bytes> compress_in_process(ByteSpan data, const std::string& dcl_option);

// The dictionary size of a DCL option (1024, 2048, 4096; 4096 for "").
int dictionary_size_of_option(const std::string& dcl_option);

// True when no external extractor is installed: a stored stream is then
// decoded in memory, with no ZIP file in between.
bool decompresses_in_process();

// Decodes a stored DCL stream with the built-in codec, never more than
// `max_output` bytes. Nothing after its message when the stream is damaged.
std::optional<Bytes> decompress_in_process(ByteSpan stream, std::uint32_t max_output);

}  // namespace mw
