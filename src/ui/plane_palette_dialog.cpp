#include "ui/plane_palette_dialog.h"

#include <QMouseEvent>
#include <QPainter>

#include "types/palette_file.h"

namespace mw::ui {

namespace {

constexpr int margin = 8;
constexpr int cell_size = 18;
constexpr int cell_gap = 2;

}  // namespace

CPlanePal::CPlanePal(QWidget* parent) : QDialog(parent), cells_(palette_colour_count, QColor(Qt::lightGray))
{
    setWindowTitle(tr("Select color from Plane Palette"));
    const int side = 2 * margin + 16 * (cell_size + cell_gap) - cell_gap;
    setFixedSize(side, side);
    if (const auto colours = load_plane_palette()) {
        for (std::size_t k = 0; k < colours->size() && k < cells_.size(); ++k) {
            const PaletteTriple& c = (*colours)[k];
            cells_[k] = QColor(c[0] & 255, c[1] & 255, c[2] & 255);
        }
    }
}

QRect CPlanePal::cell_rect(int k) const
{
    return {margin + (k % 16) * (cell_size + cell_gap), margin + (k / 16) * (cell_size + cell_gap), cell_size,
            cell_size};
}

int CPlanePal::cell_at(const QPoint& point) const
{
    for (int k = 0; k < int(cells_.size()); ++k)
        if (cell_rect(k).contains(point)) return k;
    return -1;
}

void CPlanePal::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (int k = 0; k < int(cells_.size()); ++k) painter.fillRect(cell_rect(k), cells_[std::size_t(k)]);
}

void CPlanePal::mousePressEvent(QMouseEvent* event)
{
    const int k = cell_at(event->position().toPoint());
    if (k < 0) return;
    result_ = cells_[std::size_t(k)];
    accept();
}

}  // namespace mw::ui
