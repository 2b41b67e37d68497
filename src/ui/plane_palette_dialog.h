// "Select color from Plane Palette": the current palette's 256 colours as
// ColorPicker cells in a 16 × 16 grid, row by row; a click on a cell chooses
// its colour and closes the dialog.
#pragma once

#include <QColor>
#include <QDialog>

#include <optional>
#include <vector>

namespace mw::ui {

class ColorPicker;

class CPlanePal : public QDialog {
    Q_OBJECT
public:
    // Reads the current palette file ("Error#72: No plane palette found -
    // colors may be inaccurate" when it is missing; the cells stay grey).
    explicit CPlanePal(QWidget* parent = nullptr);

    // The chosen colour; nothing ("none") until a cell is clicked.
    std::optional<QColor> result() const { return result_; }
    QRect cell_rect(int k) const;
    const std::vector<QColor>& cells() const { return cells_; }
    ColorPicker* picker(int k) const { return pickers_[std::size_t(k)]; }

private:
    std::vector<QColor> cells_;
    std::vector<ColorPicker*> pickers_;
    std::optional<QColor> result_;
};

}  // namespace mw::ui
