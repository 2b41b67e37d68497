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
// The first wrong word found is kept as the usage problem, named in its text.
class Args {
public:
    explicit Args(std::vector<std::string> words) : words_(std::move(words)) {}

    // Removes `--name` when present.
    bool flag(const std::string& name);
    // Removes `--name VALUE` (or `--name=VALUE`) and returns VALUE. A missing
    // value is a usage problem.
    std::optional<std::string> option(const std::string& name);
    // After the flags and options are taken: true when no option is left over
    // and the positional words fit `names` (the first `required` of them must
    // be there; a last name ending in "..." takes any number of words).
    bool expect(const std::vector<const char*>& names, std::size_t required);
    // Positional word `index` as a number from `low` to `high`; else a usage
    // problem such as "FILE must be a number: 'abc'".
    std::optional<long long> number(std::size_t index, const char* what, long long low, long long high);

    // What remains, in order (positional arguments).
    const std::vector<std::string>& positional() const { return words_; }
    std::size_t count() const { return words_.size(); }
    const std::string& operator[](std::size_t i) const { return words_[i]; }

    // Records a usage problem (the first one is kept) and returns false.
    bool problem(const std::string& text);
    const std::string& problem() const { return problem_; }
    bool ok() const { return problem_.empty(); }

private:
    std::vector<std::string> words_;
    std::string problem_;
};

struct Command {
    const char* name;
    const char* usage;    // the arguments, e.g. "ARCHIVE [--json]"
    const char* summary;  // one line
    const char* details;  // each argument and option with its meaning, one per line
    const char* example;  // one command line
    int (*run)(Args& args);
};

// Every command, in the order of the help text.
const std::vector<Command>& commands();
const Command* find_command(const std::string& name);

// `COMMAND --help`: summary, usage, arguments and options, an example (stdout).
void print_command_help(const Command& command);

// Prints "marrowick-cli NAME: PROBLEM" and the usage line to stderr and
// returns exit_usage.
int usage(const Args& args, const std::string& command_name);
int usage_problem(const std::string& command_name, const std::string& problem);

// Parses a whole word as a decimal number.
std::optional<long long> parse_integer(const std::string& text);

// A JSON string literal of the program's own text (UTF-8 already), with JSON escapes.
std::string json_literal(const std::string& utf8);
// A JSON string literal of game text: its bytes are Windows-1252 and come out
// as UTF-8, with JSON escapes.
std::string json_string(const std::string& text);
// A JSON string literal of a file path: UTF-8 stays as it is, other bytes are
// read as Windows-1252.
std::string json_path(const std::string& path);

}  // namespace mw::cli
