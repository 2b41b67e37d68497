#include "ui/plane_palette_dialog.h"

#include "types/palette_file.h"
#include "ui/controls/colour_picker.h"

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
    for (int k = 0; k < int(cells_.size()); ++k) {
        auto* cell = new ColorPicker(cells_[std::size_t(k)], this);
        cell->setGeometry(cell_rect(k));
        connect(cell, &ColorPicker::picked, this, [this](const QColor& colour) {
            result_ = colour;
            accept();
        });
        pickers_.push_back(cell);
    }
}

QRect CPlanePal::cell_rect(int k) const
{
    return {margin + (k % 16) * (cell_size + cell_gap), margin + (k / 16) * (cell_size + cell_gap), cell_size,
            cell_size};
}

}  // namespace mw::ui
