// The aircraft call form: the stored full and short calls and edits for new
// ones. The record is shown only: its confirm button stays disabled.
#pragma once

#include <QWidget>

#include "aircraft/aircraft_call.h"
#include "ui/forms/record_forms.h"

class QLineEdit;
class QPushButton;

namespace mw::ui {

class CCallDlg : public QWidget {
    Q_OBJECT
public:
    CCallDlg(AircraftCall call, QWidget* parent = nullptr);
    // Reads the calls from the context's file; nullptr after the load's message.
    static CCallDlg* load(const FormContext& context, QWidget* parent);

    QLineEdit* full_call() const { return full_; }
    QLineEdit* short_call() const { return short_; }
    QPushButton* confirm_button() const { return confirm_; }

private:
    QLineEdit* full_ = nullptr;
    QLineEdit* short_ = nullptr;
    QPushButton* confirm_ = nullptr;
};

}  // namespace mw::ui
