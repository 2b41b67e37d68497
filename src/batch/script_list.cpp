#include "batch/script_list.h"

#include <algorithm>
#include <cstdio>

#include "batch/script_messages.h"

namespace mw {

std::string padded_number(int n)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d", n);
    return text;
}

int ScriptList::add(const ScriptEntry& entry, DialogMessenger& messages)
{
    if (contains(entry.file, entry.item)) {
        messages.show(script_messages::entry_exists);
        return -1;
    }
    const std::string key = padded_number(entry.file);
    const auto place = std::upper_bound(rows_.begin(), rows_.end(), key, [](const std::string& text, const ScriptEntry& row) {
        return text < padded_number(row.file);
    });
    rows_.insert(place, entry);
    return 0;
}

int ScriptList::remove(const std::vector<int>& rows)
{
    std::vector<int> doomed;
    for (int row : rows)
        if (row >= 0 && static_cast<std::size_t>(row) < rows_.size()) doomed.push_back(row);
    std::sort(doomed.begin(), doomed.end());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    // From the back, so the positions still to go stay valid.
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) rows_.erase(rows_.begin() + *it);
    return static_cast<int>(doomed.size());
}

bool ScriptList::contains(int file, int item) const
{
    return std::any_of(rows_.begin(), rows_.end(), [&](const ScriptEntry& row) { return row.file == file && row.item == item; });
}

ScriptRowTexts ScriptList::row_texts(std::size_t row) const
{
    const ScriptEntry& entry = rows_.at(row);
    return {padded_number(entry.file), padded_number(entry.item), entry.name};
}

}  // namespace mw
