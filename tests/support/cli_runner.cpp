#include "support/cli_runner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "support/temp_dir.h"

namespace mw::test {

namespace {

std::string slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

CliResult run_cli_raw(const std::vector<std::string>& args, const std::vector<std::string>& extra_environment)
{
    // Built before the fork: the child only executes.
    std::vector<std::string> environment(extra_environment);
    for (char** name = environ; *name; ++name) environment.emplace_back(*name);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);

    TempDir capture;
    const std::string out_path = (capture / "out").string();
    const std::string err_path = (capture / "err").string();
    const std::string program = std::string(MARROWICK_BUILD_DIR) + "/marrowick-cli";

    CliResult result;
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        if (!std::freopen(out_path.c_str(), "w", stdout) || !std::freopen(err_path.c_str(), "w", stderr)) ::_exit(127);
        ::execve(program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = slurp(out_path);
    result.err = slurp(err_path);
    return result;
}

CliResult run_cli(const std::filesystem::path& home, const std::vector<std::string>& args)
{
    std::vector<std::string> all = {"--home", home.string()};
    all.insert(all.end(), args.begin(), args.end());
    return run_cli_raw(all);
}

}  // namespace mw::test
