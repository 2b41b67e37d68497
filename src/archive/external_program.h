// Runs one of the external compression programs: hidden (no terminal
// output), with the arguments as separate words, waiting without limit.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mw {

struct ProgramRun {
    enum class Outcome { exited, start_failed, wait_failed } outcome = Outcome::start_failed;
    int exit_code = 0;
};

ProgramRun run_hidden(const std::filesystem::path& program, const std::vector<std::string>& arguments);

// The program folder's copy of `name` ("dcl2zip.exe"), or the same name
// without ".exe"; nothing when neither is there.
std::optional<std::filesystem::path> find_external_program(const std::string& name);

}  // namespace mw
