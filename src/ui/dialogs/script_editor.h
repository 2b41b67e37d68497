// "Import Script": the script's entries (File, Item, Filename, sorted),
// Add / Remove / Load Script / Save Script / Import / Exit.
#pragma once

#include <QDialog>

#include <vector>

#include "batch/script_dialogs.h"

class QPushButton;
class QTreeWidget;

namespace mw::ui {

class FileChooser;

class CImportMultiDlg : public QDialog {
    Q_OBJECT
public:
    CImportMultiDlg(std::string script_folder, FileChooser& chooser, DialogMessenger& messages,
                    QWidget* parent = nullptr);

    ImportScriptDialogModel& model() { return model_; }
    QTreeWidget* list() const { return list_; }
    QPushButton* import_button() const { return import_; }

    void add();
    void remove();
    void load();
    void save();
    // The entries handed to the run, in list order (after "Import").
    std::vector<ScriptEntry> entries() const { return model_.import_entries(); }

private:
    void refresh();

    ImportScriptDialogModel model_;
    FileChooser& chooser_;
    DialogMessenger& messages_;
    QTreeWidget* list_;
    QPushButton* import_;
};

}  // namespace mw::ui
