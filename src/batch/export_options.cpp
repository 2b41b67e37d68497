#include "batch/export_options.h"

#include "app/workspace/workspace.h"

namespace mw {

ExportOptions current_export_options()
{
    const Workspace& workspace = Workspace::instance();
    return {workspace.palette_format(), workspace.model_source_export_option()};
}

void store_export_options(const ExportOptions& options)
{
    Workspace& workspace = Workspace::instance();
    workspace.set_palette_format(options.palette_format);
    workspace.set_model_source_export_option(options.model_source_mode);
}

}  // namespace mw
