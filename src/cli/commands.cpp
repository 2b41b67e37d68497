#include "cli/commands.h"

namespace mw::cli {

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"list", "ARCHIVE [--json]", "list the archive's files and items as the tree shows them", run_list},
        {"model-info", "MODELFILE [--variant] [--json]", "show a 3D model file's counts, materials, parts and bounding box", run_model_info},
        {"dcl", "implode [-1|-2|-4] IN OUT | explode IN OUT", "compress or decompress a raw DCL implode stream", run_dcl},
    };
    return table;
}

}  // namespace mw::cli
