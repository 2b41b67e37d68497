// The four most recently opened archives, most recent first, kept in the
// program folder ("recent.cfg", one path per line).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace mw::app {

inline constexpr std::size_t recent_file_slots = 4;
inline constexpr char recent_files_name[] = "recent.cfg";

class RecentFiles {
public:
    // Reads the list; a missing or unreadable file gives an empty one.
    void load(const std::filesystem::path& file);
    // Writes the list; false when it could not be written completely.
    bool save(const std::filesystem::path& file) const;

    // `path` becomes the first entry (once); the oldest beyond four goes.
    void add(const std::string& path);
    void remove(const std::string& path);
    const std::vector<std::string>& paths() const { return paths_; }

private:
    std::vector<std::string> paths_;
};

}  // namespace mw::app
