// The prop editor: three colour swatches, blades, length, the stripes (a
// multi-marker slider over a colour bar), the base shape and its eight shape
// points, and a live preview of the blade with its stripe bands. "Save Prop"
// has the document write the record over its file and put it back.
#pragma once

#include <QWidget>

#include <map>

#include "aircraft/prop_palette.h"
#include "aircraft/record.h"
#include "ui/forms/record_forms.h"

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace mw::ui {

class CColorBar;
class CMultiSlider;
class CustomStatic;

// "Prop shape and color preview:": the blade outline from the shape points
// and the stripe bands in the swatches' colours as the chosen palette draws them.
class CPropPreview : public QWidget {
    Q_OBJECT
public:
    explicit CPropPreview(QWidget* parent = nullptr);
    void set_record(const Record& record) { record_ = &record; update(); }
    void set_palette(const PropPalette& palette) { palette_ = &palette; update(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Record* record_ = nullptr;
    const PropPalette* palette_ = nullptr;
};

class CPropEdDialog : public QWidget {
    Q_OBJECT
public:
    CPropEdDialog(Record record, FormContext context, QWidget* parent = nullptr);

    // The new values as the controls hold them.
    const Record& record() const { return record_; }
    QLineEdit* edit_at(int offset) const;
    QComboBox* base_shape() const { return base_shape_; }
    QComboBox* palette_list() const { return palette_list_; }
    const PropPalette& palette() const { return palette_; }
    CustomStatic* swatch(int k) const { return swatches_[k]; }
    CMultiSlider* stripe_slider() const { return slider_; }
    CColorBar* colour_bar() const { return bar_; }
    CPropPreview* preview() const { return preview_; }
    QPushButton* save_button() const { return save_; }

    // "Save Prop": false when nothing was saved.
    bool save();
    void revert();
    // A notice of the form's controls (index, value), as the controls send it.
    void control_notice(int index, int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* add_edit(QGridLayout* grid, int row, int column, int offset);
    void show_record();
    void take_edit(int offset);
    void refresh_stripes();
    void choose_palette(int index);

    Record record_;
    Record stored_;
    FormContext context_;
    std::map<int, QLineEdit*> edits_;  // by field offset
    CustomStatic* swatches_[3] = {};
    QComboBox* base_shape_ = nullptr;
    PropPalette palette_;
    QComboBox* palette_list_ = nullptr;
    CMultiSlider* slider_ = nullptr;
    CColorBar* bar_ = nullptr;
    CPropPreview* preview_ = nullptr;
    QPushButton* save_ = nullptr;
};

}  // namespace mw::ui
