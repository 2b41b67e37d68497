// Names for ranges of resource IDs, read from "resid.def": whitespace-
// separated triples of a one-word name, the first and the last ID.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace mw {

class ResIdTable {
public:
    struct Range {
        std::string name;
        std::uint32_t low = 0;   // compared as unsigned 32-bit values
        std::uint32_t high = 0;
    };

    // Reads the table from `file` unless it already holds records.
    // 0 on success or when already loaded; -1 (after
    // "Error#1022: Failed to open file resid.def") when it cannot be opened.
    // Reading stops at the first triple that is not a name and two integers.
    [[nodiscard]] int load(const std::filesystem::path& file);
    // Appends the triples of `text`, with the same stopping rule.
    void read(std::istream& text);

    // The name of the first range, in file order, that holds `id`; "" when none does.
    std::string name_of(std::uint32_t id) const;

    const std::vector<Range>& ranges() const { return ranges_; }
    bool empty() const { return ranges_.empty(); }
    void clear() { ranges_.clear(); }

private:
    std::vector<Range> ranges_;
};

}  // namespace mw
