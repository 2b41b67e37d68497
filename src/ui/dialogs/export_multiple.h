// Export > Multiple: "Export Multiple Files" with one row per entry, the
// "Convert" box and the destination folder.
#pragma once

#include <QDialog>

#include "batch/multiple_export.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace mw::ui {

class FileChooser;

class CExportMultDlg : public QDialog {
    Q_OBJECT
public:
    CExportMultDlg(const ResArchive& archive, FileChooser& chooser, DialogMessenger& messages,
                   QWidget* parent = nullptr);

    const ExportMultipleDialogModel& model() const { return model_; }
    QListWidget* list() const { return list_; }

    void browse();
    void accept() override;

private:
    ExportMultipleDialogModel model_;
    FileChooser& chooser_;
    QListWidget* list_;
    QCheckBox* convert_;
    QLabel* destination_;
    QPushButton* ok_;
};

}  // namespace mw::ui
