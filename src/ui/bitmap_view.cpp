#include "ui/bitmap_view.h"

#include <QPainter>

#include <fstream>

#include "app/workspace/messages.h"
#include "archive/byte_io.h"
#include "ui/file_filter.h"

namespace mw::ui {

QSize bitmap_display_size(int width, int height)
{
    if (width > bitmap_max_width || height > bitmap_max_height) return {bitmap_max_width, bitmap_max_height};
    return {width, height < 0 ? -height : height};  // a negative height is a top-down bitmap
}

CBitmapView::CBitmapView(QWidget* parent) : QWidget(parent)
{
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

bool CBitmapView::load(const std::filesystem::path& file)
{
    image_ = QImage();
    std::uint8_t header[26] = {};
    std::ifstream in(file, std::ios::binary);
    const bool have_header = in.read(reinterpret_cast<char*>(header), sizeof header).good();
    QImage loaded;
    if (have_header && loaded.load(to_qt(file), "BMP")) {
        const QSize size = bitmap_display_size(get_i32(header + 18), get_i32(header + 22));
        image_ = loaded.size() == size ? loaded : loaded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    update();
    if (image_.isNull()) {
        report_error(350, "Error Loading Bitmap");
        return false;
    }
    return true;
}

void CBitmapView::paintEvent(QPaintEvent*)
{
    if (image_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image_);
}

}  // namespace mw::ui
