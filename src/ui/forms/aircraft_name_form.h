// The aircraft name and description form: the stored name, the new name
// (no longer than the stored one) and the description (limited to its stored
// length, line breaks counted as two characters as the game's text window
// shows them). Confirming hands both to the document's name save.
#pragma once

#include <QWidget>

#include "aircraft/aircraft_name.h"
#include "ui/forms/record_forms.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace mw::ui {

class CAircraftNameDialog : public QWidget {
    Q_OBJECT
public:
    CAircraftNameDialog(AircraftName stored, FormContext context, QWidget* parent = nullptr);

    QLineEdit* current_name() const { return current_; }
    QLineEdit* new_name() const { return name_; }
    QPlainTextEdit* description() const { return description_; }
    QPushButton* confirm_button() const { return confirm_; }
    // Saves the new name and description; false when nothing was saved.
    bool confirm();
    void revert();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void keep_description_limit();
    void update_confirm(bool description_last);

    AircraftName stored_;
    FormContext context_;
    QLineEdit* current_ = nullptr;
    QLineEdit* name_ = nullptr;
    QPlainTextEdit* description_ = nullptr;
    QPushButton* confirm_ = nullptr;
    QString last_description_;
};

}  // namespace mw::ui
