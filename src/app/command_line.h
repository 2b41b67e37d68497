// The desktop program's command line:
//
//   marrowick [--home DIR] [ARCHIVE] [--select FILE[:ITEM]] [--view hex|type]
//             [--size WxH] [--screenshot OUT.png]
//
// With --screenshot the program opens, selects, shows, writes the main
// window as a PNG file and ends (0, or 1 when the archive did not open).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mw::app {

struct CommandLine {
    std::optional<std::string> home;
    std::optional<std::string> archive;
    std::optional<std::pair<int, int>> select;  // (file, item)
    std::optional<std::string> view;            // "hex" or "type"
    std::optional<std::pair<int, int>> size;    // width, height
    std::optional<std::string> screenshot;
    bool help = false;
};

struct ParsedCommandLine {
    CommandLine options;
    std::string error;  // empty when the words made sense
};

ParsedCommandLine parse_command_line(const std::vector<std::string>& words);

const char* command_line_usage();

}  // namespace mw::app
