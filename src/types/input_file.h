// Opening a file for reading in the conversions. A folder opens as an empty
// stream on some systems; here it counts as a file that cannot be opened,
// so the caller shows its "cannot open" message instead of a misleading
// format error.
#pragma once

#include <filesystem>
#include <fstream>
#include <system_error>

namespace mw {

// Opens `path` for binary reading into `in`; false for a folder or when it cannot be opened.
inline bool open_input_file(std::ifstream& in, const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return false;
    in.open(path, std::ios::binary);
    return in.is_open() && in.good();
}

}  // namespace mw
