// marrowick-cli: every document command on the command line.
//
//   marrowick-cli [--home DIR] COMMAND ARGS...
//
// Errors go to stderr, information to stdout. Exit codes: 0 success,
// 1 failure, 2 wrong usage.
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "app/workspace/workspace.h"
#include "cli/cli.h"

namespace {

using namespace mw;

void print_help()
{
    std::cout << "Marrowick for Cloudmere - command-line tool for .res archives\n\n"
                 "usage: marrowick-cli [--home DIR] COMMAND ARGS...\n\n"
                 "Global options (before the command):\n"
                 "  --home DIR   program folder (config.cfg, resid.def, temp/); default:\n"
                 "               $MARROWICK_HOME, the program's own folder, or ~/.local/share/marrowick\n"
                 "  --help       this text\n\n"
                 "Commands:\n";
    for (const cli::Command& command : cli::commands()) {
        std::cout << "  " << command.name << ' ' << command.usage << "\n      " << command.summary << '\n';
    }
    std::cout << "\nFILE and ITEM are numbered as in the tree: files from 1, items from 1, 0 = the whole file.\n"
                 "Exit codes: 0 success, 1 failure, 2 wrong usage.\n";
}

std::filesystem::path own_executable(const char* argv0)
{
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) path = std::filesystem::absolute(argv0, ec);
    return path;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> words(argv + 1, argv + argc);
    std::optional<std::filesystem::path> home;
    std::size_t next = 0;
    while (next < words.size() && words[next].rfind("--", 0) == 0) {
        if (words[next] == "--help") {
            print_help();
            return cli::exit_ok;
        }
        if (words[next] == "--home" && next + 1 < words.size()) {
            home = words[next + 1];
            next += 2;
            continue;
        }
        return cli::usage("");
    }
    if (next == words.size()) return cli::usage("");

    const std::string name = words[next];
    const cli::Command* command = nullptr;
    for (const cli::Command& candidate : cli::commands())
        if (name == candidate.name) command = &candidate;
    if (!command) return cli::usage("");

    cli::Args args(std::vector<std::string>(words.begin() + static_cast<std::ptrdiff_t>(next) + 1, words.end()));
    if (args.flag("--help")) {
        cli::usage(*command);
        return cli::exit_ok;
    }

    Workspace& workspace = Workspace::instance();
    if (workspace.setup(WorkspaceLocation::for_program(own_executable(argv[0]), home)) != 0) return cli::exit_failed;
    // Settings given for one command do not outlive it; only "options" stores them.
    const int stored_palette_format = workspace.palette_format();
    const int result = command->run(args);
    if (name != "options") workspace.set_palette_format(stored_palette_format);
    // As when the program closes: temporary files go, the configuration is kept.
    workspace.clear_temp();
    workspace.save_config();
    return result;
}
