// Shared plumbing of marrowick-cli: the command table, argument helpers and
// exit codes (0 success, 1 failure, 2 wrong usage).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mw::cli {

inline constexpr int exit_ok = 0;
inline constexpr int exit_failed = 1;
inline constexpr int exit_usage = 2;

// The arguments of one command, after the global options and the command name.
class Args {
public:
    explicit Args(std::vector<std::string> words) : words_(std::move(words)) {}

    // Removes `--name` when present.
    bool flag(const std::string& name);
    // Removes `--name VALUE` (or `--name=VALUE`) and returns VALUE. A missing
    // value sets the usage error.
    std::optional<std::string> option(const std::string& name);
    // What remains, in order (positional arguments).
    const std::vector<std::string>& positional() const { return words_; }
    std::size_t count() const { return words_.size(); }
    const std::string& operator[](std::size_t i) const { return words_[i]; }

    bool usage_error() const { return usage_error_; }
    // True when a word left over still looks like an option.
    bool has_unknown_option() const;

private:
    std::vector<std::string> words_;
    bool usage_error_ = false;
};

struct Command {
    const char* name;
    const char* usage;    // the arguments, e.g. "ARCHIVE [--json]"
    const char* summary;  // one line
    int (*run)(Args& args);
};

// Every command, in the order of the help text.
const std::vector<Command>& commands();

// Prints "usage: ..." for `command` to stderr and returns exit_usage.
int usage(const Command& command);
int usage(const std::string& command_name);

// Parses a number for FILE, ITEM and similar arguments.
std::optional<long long> parse_integer(const std::string& text);

// Text with JSON string escapes, quoted.
std::string json_string(const std::string& text);

}  // namespace mw::cli
