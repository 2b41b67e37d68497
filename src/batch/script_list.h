// The entry list of an import script: (file number, item number, file name)
// triples, kept in the order the "Import Script" list shows them: ascending
// by the "File" column's text, which pads numbers to four digits ("0009"
// before "0012"). Rows with the same file text keep the order they came in.
// No two rows share both numbers.
#pragma once

#include <string>
#include <vector>

#include "batch/dialog_message.h"

namespace mw {

struct ScriptEntry {
    int file = 1;      // 1-based archive entry ("File N" in the tree)
    int item = 0;      // item within it; 0 = the whole entry
    std::string name;  // a bare file name in the script folder

    bool operator==(const ScriptEntry&) const = default;
};

// "%0004d": 7 -> "0007"; wider numbers keep all their digits.
std::string padded_number(int n);

// The texts of one row of the list: "File", "Item", "Filename".
struct ScriptRowTexts {
    std::string file;
    std::string item;
    std::string name;
};

struct ScriptColumn {
    const char* title;
    int width;  // pixels
};
inline constexpr ScriptColumn script_columns[] = {{"File", 60}, {"Item", 60}, {"Filename", 184}};

class ScriptList {
public:
    // Adds the entry at its sorted place. An entry with the same file and
    // item numbers as a row already listed is refused after
    // "Item Already Exists"; -1 then, else 0.
    [[nodiscard]] int add(const ScriptEntry& entry, DialogMessenger& messages = sink_messenger());
    // Removes the rows at the given positions (out-of-range ones are
    // ignored); returns how many went.
    int remove(const std::vector<int>& rows);
    void clear() { rows_.clear(); }

    bool contains(int file, int item) const;
    const std::vector<ScriptEntry>& entries() const { return rows_; }
    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    ScriptRowTexts row_texts(std::size_t row) const;

private:
    std::vector<ScriptEntry> rows_;
};

}  // namespace mw
