#include "types/copy_types.h"

#include <system_error>

#include "app/workspace/messages.h"

namespace mw {

namespace {

bool copy_over(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    return !ec;
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
