#include "model/model_export.h"

#include "app/workspace/workspace.h"
#include "model/cob_writer.h"
#include "model/model_loader.h"
#include "model/model_source_writer.h"

namespace mw {

int export_model_source(const fs::path& model_file, const fs::path& destination)
{
    ModelData model;
    if (load_model(model, model_file, false) != 0) return -1;
    const auto layout = Workspace::instance().model_source_export_option() == 1 ? ModelSourceLayout::parts_decomposition
                                                                               : ModelSourceLayout::multimaterial_root;
    return write_model_source(model, destination, layout);
}

int export_cob(const fs::path& model_file, const fs::path& destination)
{
    ModelData model;
    if (load_model(model, model_file, false) != 0) return -1;
    return write_cob(model, destination);
}

}  // namespace mw
