#include "app/recent_files.h"

#include <algorithm>
#include <fstream>

namespace mw::app {

void RecentFiles::load(const std::filesystem::path& file)
{
    paths_.clear();
    std::ifstream in(file);
    std::string line;
    while (paths_.size() < recent_file_slots && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && std::find(paths_.begin(), paths_.end(), line) == paths_.end()) paths_.push_back(line);
    }
}

bool RecentFiles::save(const std::filesystem::path& file) const
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const std::string& path : paths_) out << path << '\n';
    out.flush();
    const bool written = out.good();
    out.close();
    return written && !out.fail();
}

void RecentFiles::add(const std::string& path)
{
    remove(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > recent_file_slots) paths_.resize(recent_file_slots);
}

void RecentFiles::remove(const std::string& path)
{
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
}

}  // namespace mw::app
