#include "types/copy_types.h"

#include "app/workspace/messages.h"
#include "archive/file_io.h"

namespace mw {

namespace {

bool copy_over(const fs::path& from, const fs::path& to)
{
    return static_cast<bool>(copy_file_over(from, to));
}

}  // namespace

int CopyingType::export_convert(const fs::path& stored)
{
    if (!copy_over(stored, converted_path(stored))) return report_error(export_error_, "Error converting file");
    return 0;
}

int CopyingType::import_convert(const fs::path& source, const fs::path& target)
{
    if (!copy_over(source, target)) return report_error(import_error_, "Error converting file");
    return 0;
}

}  // namespace mw
