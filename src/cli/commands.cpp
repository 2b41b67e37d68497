#include "cli/commands.h"

namespace mw::cli {

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"list", "ARCHIVE [--json]", "list the archive's files and items as the tree shows them", run_list},
    };
    return table;
}

}  // namespace mw::cli
