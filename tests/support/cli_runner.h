// Runs marrowick-cli from the build folder and captures what it prints.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace mw::test {

struct CliResult {
    int exit_code = -1;
    std::string out;
    std::string err;
};

// Runs `marrowick-cli --home HOME ARGS...`.
CliResult run_cli(const std::filesystem::path& home, const std::vector<std::string>& args);
// Runs marrowick-cli with exactly `args`, with `extra_environment`
// ("NAME=value") added to this process's environment.
CliResult run_cli_raw(const std::vector<std::string>& args, const std::vector<std::string>& extra_environment = {});

}  // namespace mw::test
