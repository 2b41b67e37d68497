// marrowick-cli: every document command on the command line.
//
//   marrowick-cli [--home DIR] COMMAND ARGS...
//
// Errors go to stderr, information to stdout. Exit codes: 0 success,
// 1 failure, 2 wrong usage.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "app/workspace/workspace.h"
#include "cli/cli.h"

#ifndef MARROWICK_VERSION
#define MARROWICK_VERSION "unknown"
#endif

namespace {

using namespace mw;

void print_help()
{
    std::cout << "Marrowick for Cloudmere - command-line tool for .res archives\n\n"
                 "usage: marrowick-cli [--home DIR] COMMAND ARGS...\n"
                 "       marrowick-cli help [COMMAND]    (or COMMAND --help)\n\n"
                 "Global options (before the command):\n"
                 "  --home DIR      program folder (config.cfg, resid.def, temp/), created when missing;\n"
                 "                  default: $MARROWICK_HOME, the program's own folder when \"resid.def\"\n"
                 "                  lies beside it, else $XDG_DATA_HOME/marrowick (~/.local/share/marrowick)\n"
                 "  -h, --help      this text\n"
                 "  --version       the program's version\n\n"
                 "Commands:\n";
    for (const cli::Command& command : cli::commands())
        std::cout << "  " << command.name << ' ' << command.usage << "\n      " << command.summary << '\n';
    std::cout << "\nFILE and ITEM are numbered as in the tree: files from 1, items from 1, 0 = the whole file.\n"
                 "Exit codes: 0 success, 1 failure, 2 wrong usage.\n";
}

// Edits (insert, delete, replace) between two words.
std::size_t edit_distance(const std::string& a, const std::string& b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// "unknown command 'lst' (did you mean 'list'?)": the nearest command within two edits.
std::string unknown_command(const std::string& word)
{
    std::string text = "unknown command '" + word + "'";
    const cli::Command* nearest = nullptr;
    std::size_t best = 3;
    for (const cli::Command& command : cli::commands()) {
        const std::size_t distance = edit_distance(word, command.name);
        if (distance < best) best = distance, nearest = &command;
    }
    if (nearest) text += std::string(" (did you mean '") + nearest->name + "'?)";
    return text;
}

bool is_help(const std::string& word) { return word == "--help" || word == "-h"; }

std::filesystem::path own_executable(const char* argv0)
{
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) path = std::filesystem::absolute(argv0, ec);
    return path;
}

// A program folder that does not exist yet is made, and the user is told
// once. A folder without "config.cfg" is a first start: the settings begin
// at their defaults (an empty file reads so) and are written when the command ends.
void prepare_program_folder(const fs::path& folder)
{
    std::error_code ec;
    if (folder.empty()) return;
    if (!fs::exists(folder, ec)) {
        if (!fs::create_directories(folder, ec)) return;  // setup reports what fails next
        std::cerr << "Created the program folder " << folder.string() << '\n';
    }
    if (!fs::exists(folder / "config.cfg", ec)) std::ofstream(folder / "config.cfg", std::ios::binary);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    std::optional<std::filesystem::path> home;
    std::size_t next = 0;
    while (next < words.size() && words[next].size() > 1 && words[next][0] == '-') {
        const std::string& word = words[next];
        if (is_help(word)) {
            print_help();
            return cli::exit_ok;
        }
        if (word == "--version") {
            std::cout << "marrowick-cli " << MARROWICK_VERSION << '\n';
            return cli::exit_ok;
        }
        if (word == "--home") {
            if (next + 1 == words.size()) return cli::usage_problem("", "option --home needs a value");
            home = words[next + 1];
            next += 2;
            continue;
        }
        return cli::usage_problem("", "unknown option '" + word + "'");
    }
    if (next == words.size()) return cli::usage_problem("", "missing COMMAND");

    const std::string& name = words[next];
    if (name == "help") {
        if (next + 1 == words.size()) {
            print_help();
            return cli::exit_ok;
        }
        const cli::Command* topic = cli::find_command(words[next + 1]);
        if (!topic) return cli::usage_problem("", unknown_command(words[next + 1]));
        cli::print_command_help(*topic);
        return cli::exit_ok;
    }
    const cli::Command* command = cli::find_command(name);
    if (!command) return cli::usage_problem("", unknown_command(name));

    cli::Args args(std::vector<std::string>(words.begin() + static_cast<std::ptrdiff_t>(next) + 1, words.end()));
    if (args.flag("--help") || args.flag("-h")) {
        cli::print_command_help(*command);
        return cli::exit_ok;
    }

    const WorkspaceLocation location = WorkspaceLocation::for_program(own_executable(argv[0]), home);
    prepare_program_folder(location.program_folder());
    Workspace& workspace = Workspace::instance();
    if (workspace.setup(location) != 0) return cli::exit_failed;
    // Settings given for one command do not outlive it; only "options" stores them.
    const int stored_palette_format = workspace.palette_format();
    const int result = command->run(args);
    if (name != "options") workspace.set_palette_format(stored_palette_format);
    // As when the program closes: temporary files go, the configuration is kept.
    workspace.remove_temp_folder();
    workspace.save_config();
    return result;
}
