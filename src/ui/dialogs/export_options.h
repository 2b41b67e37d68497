// Export > Options...: "Export Options" with the palette format and the
// model-source layout.
#pragma once

#include <QDialog>

#include "batch/export_options.h"

class QRadioButton;

namespace mw::ui {

class CExportOptionsDlg : public QDialog {
    Q_OBJECT
public:
    CExportOptionsDlg(const ExportOptions& options, QWidget* parent = nullptr);
    ExportOptions options() const;

private:
    QRadioButton* palette_[2];
    QRadioButton* model_source_[2];
};

}  // namespace mw::ui
