#include "ui/display_view.h"

#include <QVBoxLayout>

#include <fstream>
#include <iterator>

#include "app/workspace/messages.h"
#include "types/file_type.h"

namespace mw::ui {

namespace {

// The bytes of [start, end) of `file` that exist; nothing when it cannot be opened.
std::optional<std::vector<std::uint8_t>> read_range(const std::filesystem::path& file, std::uint32_t start,
                                                    std::uint32_t end)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    if (end <= start || std::streamoff(start) >= size) return bytes;
    const std::streamoff count = std::min<std::streamoff>(std::streamoff(end) - start, size - std::streamoff(start));
    bytes.resize(std::size_t(count));
    in.seekg(start);
    in.read(reinterpret_cast<char*>(bytes.data()), count);
    bytes.resize(std::size_t(std::max<std::streamsize>(0, in.gcount())));
    return bytes;
}

}  // namespace

CMarrowickView::CMarrowickView(DisplayServices services, QWidget* parent)
    : QWidget(parent), services_(services), factory_(services)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void CMarrowickView::show_file(const DisplayRequest& request)
{
    auto bytes = read_range(request.file, request.start, request.end);
    if (!bytes) {
        report_error(94, "Failed to open file for viewing");
        return;
    }
    hide_current();
    bytes_ = std::move(*bytes);
    kind_ = requested_kind_ = request.kind;
    file_ = request.file;
    show_current();
}

void CMarrowickView::clear_display()
{
    hide_current();
    bytes_.clear();
    kind_ = display_nothing;
    update();
}

void CMarrowickView::as_hex()
{
    hide_current();
    kind_ = display_hex;
    show_current();
}

void CMarrowickView::as_file_type()
{
    if (bytes_.empty()) return;
    hide_current();
    kind_ = requested_kind_;
    show_current();
}

void CMarrowickView::hide_current()
{
    if (kind_ == type_sound) emit sound_hidden();
    if (content_) {
        // A form's own confirm button may have started the reload that hides
        // it: the widget goes once control has left its handlers.
        content_->hide();
        layout()->removeWidget(content_);
        content_->deleteLater();
    }
    content_ = nullptr;
}

void CMarrowickView::show_current()
{
    if (kind_ != display_nothing) {
        // An empty request shows nothing, not even an empty hex dump.
        if (kind_ != display_hex || !bytes_.empty())
            content_ = factory_.make(DisplayContent{kind_, file_, &bytes_, nullptr}, this);
        if (content_) {
            layout()->addWidget(content_);
            content_->show();
        }
    }
    update();
    if (services_.focus_tree) services_.focus_tree();
}

}  // namespace mw::ui
