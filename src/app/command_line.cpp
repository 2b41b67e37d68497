#include "app/command_line.h"

#include <charconv>

namespace mw::app {

namespace {

std::optional<int> whole_number(std::string_view text)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

// "A<sep>B" as two numbers; B may be missing when `second_optional`.
std::optional<std::pair<int, int>> number_pair(const std::string& text, char separator, bool second_optional)
{
    const auto at = text.find(separator);
    if (at == std::string::npos) {
        if (!second_optional) return std::nullopt;
        const auto first = whole_number(text);
        if (!first) return std::nullopt;
        return std::pair{*first, 0};
    }
    const auto first = whole_number(std::string_view(text).substr(0, at));
    const auto second = whole_number(std::string_view(text).substr(at + 1));
    if (!first || !second) return std::nullopt;
    return std::pair{*first, *second};
}

}  // namespace

const char* command_line_usage()
{
    return "usage: marrowick [--home DIR] [ARCHIVE] [--select FILE[:ITEM]] [--view hex|type]\n"
           "                 [--size WxH] [--screenshot OUT.png]\n";
}

ParsedCommandLine parse_command_line(const std::vector<std::string>& words)
{
    ParsedCommandLine out;
    CommandLine& o = out.options;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool has_value = i + 1 < words.size();
        if (word == "--help" || word == "-h") {
            o.help = true;
        } else if (word == "--home" || word == "--select" || word == "--view" || word == "--size" ||
                   word == "--screenshot") {
            if (!has_value) {
                out.error = word + " needs a value";
                return out;
            }
            const std::string& value = words[++i];
            if (word == "--home") {
                o.home = value;
            } else if (word == "--select") {
                o.select = number_pair(value, ':', true);
                if (!o.select || o.select->first < 0 || o.select->second < 0) {
                    out.error = "--select takes FILE or FILE:ITEM";
                    return out;
                }
            } else if (word == "--view") {
                if (value != "hex" && value != "type") {
                    out.error = "--view takes hex or type";
                    return out;
                }
                o.view = value;
            } else if (word == "--size") {
                o.size = number_pair(value, 'x', false);
                if (!o.size || o.size->first < 100 || o.size->second < 100 || o.size->first > 8000 ||
                    o.size->second > 8000) {
                    out.error = "--size takes WxH, each from 100 to 8000";
                    return out;
                }
            } else {
                o.screenshot = value;
            }
        } else if (word.rfind("--", 0) == 0) {
            out.error = "unknown option " + word;
            return out;
        } else if (!o.archive) {
            o.archive = word;
        } else {
            out.error = "only one archive can be opened";
            return out;
        }
    }
    return out;
}

}  // namespace mw::app
