#include "model/model_writer_file.h"

#include <fstream>

#include "app/workspace/messages.h"
#include "archive/file_io.h"

namespace mw {

int write_export_file(const std::filesystem::path& file, std::string_view content)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return report_error("Error opening " + display(file) + " for writing");
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) return report_error("Error writing " + display(file));
    return 0;
}

}  // namespace mw
