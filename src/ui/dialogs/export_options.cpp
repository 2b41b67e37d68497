#include "ui/dialogs/export_options.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mw::ui {

namespace {

QGroupBox* choice_group(QWidget* parent, const char* title, const char* const (&labels)[2], QRadioButton* (&buttons)[2],
                        int checked)
{
    auto* group = new QGroupBox(QString::fromLatin1(title), parent);
    auto* layout = new QVBoxLayout(group);
    for (int i = 0; i < 2; ++i) {
        buttons[i] = new QRadioButton(QString::fromLatin1(labels[i]), group);
        layout->addWidget(buttons[i]);
    }
    buttons[checked == 1 ? 1 : 0]->setChecked(true);
    return group;
}

}  // namespace

CExportOptionsDlg::CExportOptionsDlg(const ExportOptions& options, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromLatin1(export_options_title));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(choice_group(this, palette_format_group, palette_format_choices, palette_, options.palette_format));
    layout->addWidget(
        choice_group(this, model_source_group, model_source_choices, model_source_, options.model_source_mode));
    layout->addWidget(buttons);
}

ExportOptions CExportOptionsDlg::options() const
{
    return {palette_[1]->isChecked() ? 1 : 0, model_source_[1]->isChecked() ? 1 : 0};
}

}  // namespace mw::ui
