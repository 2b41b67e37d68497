#include "cli/cli.h"

#include <charconv>
#include <cstdio>
#include <iostream>

#include "archive/windows1252.h"

namespace mw::cli {

namespace {

bool looks_like_option(const std::string& word)
{
    return word.size() > 1 && word[0] == '-' && !parse_integer(word);
}

bool takes_many(const char* name)
{
    const std::string text = name;
    return text.size() > 3 && text.compare(text.size() - 3, 3, "...") == 0;
}

std::string quoted(const std::string& word) { return "'" + word + "'"; }


}  // namespace

std::string json_literal(const std::string& utf8)
{
    std::string out = "\"";
    for (unsigned char c : utf8) {
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

bool Args::problem(const std::string& text)
{
    if (problem_.empty()) problem_ = text;
    return false;
}

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
                problem("option " + name + " needs a value");
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

bool Args::expect(const std::vector<const char*>& names, std::size_t required)
{
    if (!ok()) return false;
    for (const std::string& word : words_)
        if (looks_like_option(word)) return problem("unknown option " + quoted(word));
    if (words_.size() < required) return problem(std::string("missing ") + names[words_.size()]);
    const bool open_ended = !names.empty() && takes_many(names.back());
    if (!open_ended && words_.size() > names.size()) return problem("unexpected argument " + quoted(words_[names.size()]));
    return true;
}

std::optional<long long> Args::number(std::size_t index, const char* what, long long low, long long high)
{
    const auto value = parse_integer(words_[index]);
    if (!value) {
        problem(std::string(what) + " must be a number: " + quoted(words_[index]));
        return std::nullopt;
    }
    if (*value < low || *value > high) {
        problem(std::string(what) + " must be from " + std::to_string(low) + " to " + std::to_string(high) + ": " +
                quoted(words_[index]));
        return std::nullopt;
    }
    return value;
}

const Command* find_command(const std::string& name)
{
    for (const Command& command : commands())
        if (name == command.name) return &command;
    return nullptr;
}

void print_command_help(const Command& command)
{
    std::cout << "marrowick-cli " << command.name << " - " << command.summary << "\n\n"
              << "usage: marrowick-cli [--home DIR] " << command.name << ' ' << command.usage << "\n\n"
              << "Arguments and options:\n"
              << command.details << "\nExample:\n  " << command.example << '\n';
}

int usage_problem(const std::string& command_name, const std::string& problem)
{
    const Command* command = find_command(command_name);
    if (!command) {
        std::cerr << "marrowick-cli: " << problem << "\n"
                  << "usage: marrowick-cli [--home DIR] COMMAND ARGS...  (marrowick-cli --help lists the commands)\n";
        return exit_usage;
    }
    std::cerr << "marrowick-cli " << command->name << ": " << problem << "\n"
              << "usage: marrowick-cli [--home DIR] " << command->name << ' ' << command->usage << "  (see "
              << "marrowick-cli " << command->name << " --help)\n";
    return exit_usage;
}

int usage(const Args& args, const std::string& command_name)
{
    return usage_problem(command_name, args.ok() ? "wrong arguments" : args.problem());
}

std::optional<long long> parse_integer(const std::string& text)
{
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::string json_string(const std::string& text) { return json_literal(utf8_from_windows1252(text)); }

std::string json_path(const std::string& path) { return json_literal(utf8_from_path(path)); }

}  // namespace mw::cli
