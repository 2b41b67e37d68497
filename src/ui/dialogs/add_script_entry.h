// "Add Script Entry": a file chosen with "Browse...", its file and item numbers.
#pragma once

#include <QDialog>

#include "batch/script_dialogs.h"

class QLabel;
class QLineEdit;

namespace mw::ui {

class FileChooser;

class CAddScriptDialog : public QDialog {
    Q_OBJECT
public:
    CAddScriptDialog(AddScriptEntryModel model, FileChooser& chooser, DialogMessenger& messages,
                     QWidget* parent = nullptr);

    const AddScriptEntryModel& model() const { return model_; }
    QLineEdit* file_number() const { return file_number_; }
    QLineEdit* item_number() const { return item_number_; }

    void browse();
    void accept() override;

private:
    AddScriptEntryModel model_;
    FileChooser& chooser_;
    DialogMessenger& messages_;
    QLabel* name_;
    QLineEdit* file_number_;
    QLineEdit* item_number_;
};

}  // namespace mw::ui
