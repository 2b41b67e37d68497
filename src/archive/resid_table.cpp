#include "archive/resid_table.h"

#include <charconv>
#include <fstream>
#include <optional>

#include "app/workspace/messages.h"

namespace mw {

namespace {

// A decimal integer that fits a 32-bit value, signed or unsigned; the
// signed ones wrap to their unsigned 32-bit form as the comparisons need.
std::optional<std::uint32_t> parse_id(const std::string& token)
{
    long long value = 0;
    const char* first = token.data();
    const char* last = first + token.size();
    if (first != last && *first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || value < INT32_MIN || value > UINT32_MAX) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

}  // namespace

int ResIdTable::load(const std::filesystem::path& file)
{
    if (!ranges_.empty()) return 0;
    std::ifstream in(file);
    if (!in) return report_error(1022, "Failed to open file resid.def");
    read(in);
    return 0;
}

void ResIdTable::read(std::istream& in)
{
    // A triple ending at the end of the file counts too: a last line without
    // a line break is not lost.
    std::string name, low, high;
    while (in >> name >> low >> high) {
        const auto lo = parse_id(low);
        const auto hi = parse_id(high);
        if (!lo || !hi) break;
        ranges_.push_back({name, *lo, *hi});
    }
}

std::string ResIdTable::name_of(std::uint32_t id) const
{
    for (const Range& range : ranges_)
        if (range.low <= id && id <= range.high) return range.name;
    return {};
}

}  // namespace mw
