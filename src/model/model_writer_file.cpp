#include "model/model_writer_file.h"

#include "app/workspace/messages.h"
#include "archive/file_io.h"

namespace mw {

int ExportFile::open(const std::filesystem::path& file)
{
    file_ = file;
    if (!out_.open(file)) return report_error("Error opening " + display(file) + " for writing" + reason_line(file, out_.reason()));
    return 0;
}

void ExportFile::write(std::string_view content)
{
    if (failed_) return;
    failed_ = !out_.write(ByteSpan(reinterpret_cast<const std::uint8_t*>(content.data()), content.size()));
}

int ExportFile::finish()
{
    if (!failed_ && out_.close()) return 0;
    const std::string reason = out_.reason();
    if (out_.is_open()) (void)out_.close();
    (void)remove_file(file_);  // no short export is left to be taken for a whole one
    return report_error("Error writing " + display(file_) + reason_line(file_, reason));
}

int write_export_file(const std::filesystem::path& file, std::string_view content)
{
    ExportFile out;
    if (out.open(file) != 0) return -1;
    out.write(content);
    return out.finish();
}

}  // namespace mw
