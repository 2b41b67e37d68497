#include "cli/cli.h"

#include <charconv>
#include <cstdio>
#include <iostream>

namespace mw::cli {

bool Args::flag(const std::string& name)
{
    for (auto it = words_.begin(); it != words_.end(); ++it) {
        if (*it == name) {
            words_.erase(it);
            return true;
        }
    }
    return false;
}

std::optional<std::string> Args::option(const std::string& name)
{
    for (auto it = words_.begin(); it != words_.end(); ++it) {
        if (*it == name) {
            if (it + 1 == words_.end()) {
                usage_error_ = true;
                words_.erase(it);
                return std::nullopt;
            }
            std::string value = *(it + 1);
            words_.erase(it, it + 2);
            return value;
        }
        if (it->rfind(name + "=", 0) == 0) {
            std::string value = it->substr(name.size() + 1);
            words_.erase(it);
            return value;
        }
    }
    return std::nullopt;
}

bool Args::has_unknown_option() const
{
    for (const auto& word : words_)
        if (word.size() > 1 && word[0] == '-' && !parse_integer(word)) return true;
    return false;
}

int usage(const Command& command)
{
    std::cerr << "usage: marrowick-cli [--home DIR] " << command.name << ' ' << command.usage << '\n';
    return exit_usage;
}

int usage(const std::string& command_name)
{
    for (const Command& command : commands())
        if (command_name == command.name) return usage(command);
    std::cerr << "usage: marrowick-cli [--home DIR] COMMAND ARGS...  (see marrowick-cli --help)\n";
    return exit_usage;
}

std::optional<long long> parse_integer(const std::string& text)
{
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::string json_string(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

}  // namespace mw::cli
