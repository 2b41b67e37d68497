// The generic record form, laid out from a RecordSpec: the title and note,
// the read-only fields, a "current / new" pair of columns per field (a list
// where the field has choices, play buttons beside sound resources), one row
// per group for table records, the "3D model code:" box for located parts,
// and the confirm button.
//
// Confirm (the button or Enter) takes the new-value texts into the record,
// refusing the first that does not parse, and hands it to the document's
// save, which writes it back and reloads the form. Esc puts the stored
// values back into the edits.
#pragma once

#include <QWidget>

#include <vector>

#include "aircraft/record.h"
#include "ui/forms/record_forms.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace mw::ui {

class CRecordForm : public QWidget {
    Q_OBJECT
public:
    CRecordForm(Record record, FormContext context, QWidget* parent = nullptr);

    const Record& record() const { return record_; }
    // The widget holding field `index`'s new value (an edit or a list), or nullptr.
    QWidget* new_value_widget(std::size_t index) const { return fields_[index].edit; }
    // The read-only copy of the field's stored value, or nullptr.
    QLineEdit* current_value_widget(std::size_t index) const { return fields_[index].current; }
    QPushButton* confirm_button() const { return confirm_; }
    QPlainTextEdit* model_code_box() const { return model_code_; }
    // The computed column's text for table row `row` (the axles' ending axle).
    QString computed_text(std::size_t row) const;

    // The edits' new values into the record; false after a parse message.
    bool take_new_values();
    // Confirm: take the values and save; false when nothing was saved.
    bool confirm();
    // The edits show the stored values again.
    void revert();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct FieldWidgets {
        QLineEdit* current = nullptr;
        QWidget* edit = nullptr;  // QLineEdit or QComboBox; nullptr for fields not edited
        // What the edit was last given: a text still equal to it saves this
        // value as it is (a NaN's bits, a number no list entry names).
        QString shown_text;
        FieldValue shown_value;
    };

    void build();
    QWidget* build_rows();
    QWidget* build_table();
    QWidget* build_model_code();
    void add_field_row(QGridLayout* grid, int row, std::size_t index);
    QWidget* make_new_value_widget(std::size_t index);
    QWidget* make_play_button(std::size_t index, int half);
    // The new value's text as typed (a pair's halves joined by ", "), and back.
    QString new_text(std::size_t index) const;
    void set_new_text(std::size_t index, const QString& text);
    void show_values(const std::vector<FieldValue>& values);
    void refresh();
    void edited();  // a new value was typed or chosen
    Record scratch_record() const;
    bool editable(std::size_t index) const;

    Record record_;
    FormContext context_;
    std::vector<FieldWidgets> fields_;
    std::vector<QLabel*> computed_;
    QPushButton* confirm_ = nullptr;
    QPlainTextEdit* model_code_ = nullptr;
    QLineEdit* bsp_scale_ = nullptr;
    QComboBox* material_ = nullptr;
    bool changed_ = false;  // a new value was edited since the form opened or reverted
};

}  // namespace mw::ui
