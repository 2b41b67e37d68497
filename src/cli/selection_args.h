// "ARCHIVE FILE [ITEM] ..." arguments shared by the document commands.
#pragma once

#include <optional>
#include <string>

#include "cli/cli.h"
#include "cli/headless_views.h"

namespace mw::cli {

struct Selection {
    std::string archive;
    int file = 0;
    int item = 0;
};

// Reads ARCHIVE FILE [ITEM] from the positional arguments, followed by the
// arguments named `trailing` (DEST, SOURCE). Nothing on wrong usage, which
// `args` then names.
std::optional<Selection> parse_selection(Args& args, const std::vector<const char*>& trailing = {});

// Opens the archive and selects (file, item) as the tree would. False after
// the failure's message.
bool open_and_select(CMarrowickDoc& doc, const Selection& selection);

// Applies --palette N (make palette N current) after the open; false on a bad value.
bool apply_palette_option(CMarrowickDoc& doc, const std::optional<std::string>& palette);

// Applies --palette-format jasc|corel and --e-mode root|parts for this command;
// false on a bad value, which `args` then names.
bool apply_format_options(Args& args, const std::optional<std::string>& palette_format,
                          const std::optional<std::string>& e_mode);

}  // namespace mw::cli
