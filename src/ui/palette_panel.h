// The palette panel shown for palette entries: 256 squares of 16 × 16
// pixels, colour k at (5 + 20·(k mod 16), 5 + 20·(k div 16)), read as red,
// green, blue or as blue, green, red; "Make Current Palette" writes the
// colours, in that order, to the current palette file.
#pragma once

#include <QRect>
#include <QWidget>

#include <filesystem>
#include <vector>

#include "types/palette_file.h"

class QRadioButton;

namespace mw::ui {

// Where colour k is drawn.
QRect palette_square(int k);

class CPaletteDlg : public QWidget {
    Q_OBJECT
public:
    explicit CPaletteDlg(QWidget* parent = nullptr);

    // Keeps the old colours (after "Error#60: Error loading palette") when the file cannot be read.
    void load(const std::filesystem::path& palette_path);
    void set_order(ColourOrder order);
    ColourOrder order() const { return order_; }
    const std::vector<PaletteTriple>& colours() const { return colours_; }
    // 0 / -1.
    int make_current();

signals:
    // The current palette file was written.
    void current_palette_written();
    void order_changed(ColourOrder order);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<PaletteTriple> colours_;
    ColourOrder order_ = ColourOrder::rgb;
    QRadioButton* rgb_ = nullptr;
    QRadioButton* bgr_ = nullptr;
};

}  // namespace mw::ui
