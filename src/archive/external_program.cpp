#include "archive/external_program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "app/workspace/workspace.h"

extern char** environ;

namespace mw {

ProgramRun run_hidden(const std::filesystem::path& program, const std::vector<std::string>& arguments)
{
    ProgramRun run;
    const std::string path = program.string();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    // Hidden: the program's own output goes nowhere.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int fd : {0, 1, 2}) posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);

    pid_t pid = 0;
    const int started = ::posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) return run;

    int status = 0;
    pid_t waited;
    do {
        waited = ::waitpid(pid, &status, 0);
    } while (waited < 0 && errno == EINTR);
    if (waited != pid) {
        run.outcome = ProgramRun::Outcome::wait_failed;
        return run;
    }
    // A program that could not be executed after the fork exits with 127.
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127 && ::access(path.c_str(), X_OK) != 0) return run;
    run.outcome = ProgramRun::Outcome::exited;
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

std::optional<std::filesystem::path> find_external_program(const std::string& name)
{
    const Workspace& workspace = Workspace::instance();
    if (workspace.program_folder().empty()) return std::nullopt;
    std::error_code ec;
    const auto with_exe = workspace.program_file(name);
    if (std::filesystem::is_regular_file(with_exe, ec)) return with_exe;
    std::string bare = name;
    if (bare.size() > 4 && bare.substr(bare.size() - 4) == ".exe") bare.resize(bare.size() - 4);
    const auto without = workspace.program_file(bare);
    if (std::filesystem::is_regular_file(without, ec)) return without;
    return std::nullopt;
}

}  // namespace mw
