#include "model/model_writer_file.h"

#include "app/workspace/messages.h"
#include "archive/file_io.h"

namespace mw {

int write_export_file(const std::filesystem::path& file, std::string_view content)
{
    OutputFile out;
    if (!out.open(file)) return report_error("Error opening " + display(file) + " for writing" + reason_line(file, out.reason()));
    if (out.write(ByteSpan(reinterpret_cast<const std::uint8_t*>(content.data()), content.size())) && out.close())
        return 0;
    const std::string reason = out.reason();
    if (out.is_open()) (void)out.close();
    (void)remove_file(file);  // no short export is left to be taken for a whole one
    return report_error("Error writing " + display(file) + reason_line(file, reason));
}

}  // namespace mw
