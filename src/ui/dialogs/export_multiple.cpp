#include "ui/dialogs/export_multiple.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "ui/file_filter.h"

namespace mw::ui {

CExportMultDlg::CExportMultDlg(const ResArchive& archive, FileChooser& chooser, DialogMessenger& messages,
                               QWidget* parent)
    : QDialog(parent), model_(archive, messages), chooser_(chooser)
{
    setWindowTitle(tr("Export Multiple Files"));
    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const std::string& row : model_.rows()) list_->addItem(to_qt(row));
    convert_ = new QCheckBox(tr("Convert"), this);
    convert_->setChecked(model_.convert());
    auto* browse_button = new QPushButton(tr("Browse ..."), this);
    destination_ = new QLabel(to_qt(model_.destination()), this);
    destination_->setObjectName(QStringLiteral("destination"));
    destination_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &CExportMultDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse_button, &QPushButton::clicked, this, &CExportMultDlg::browse);
    connect(convert_, &QCheckBox::toggled, this, [this](bool on) { model_.set_convert(on); });

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("Select Files"), this), 0, 0, 1, 2);
    layout->addWidget(list_, 1, 0, 1, 2);
    layout->addWidget(convert_, 2, 0);
    layout->addWidget(browse_button, 2, 1, Qt::AlignRight);
    layout->addWidget(new QLabel(tr("Destination Folder :"), this), 3, 0);
    layout->addWidget(destination_, 4, 0, 1, 2);
    layout->addWidget(buttons, 5, 0, 1, 2);
    resize(420, 420);
}

void CExportMultDlg::browse()
{
    const auto folder = chooser_.folder(this, QString::fromLatin1(export_folder_browser_title), model_.destination());
    if (!folder) return;  // cancelled: nothing changes
    model_.folder_chosen(folder);
    destination_->setText(to_qt(model_.destination()));
    ok_->setEnabled(model_.ok_enabled());
}

void CExportMultDlg::accept()
{
    std::vector<int> rows;
    for (int i = 0; i < list_->count(); ++i)
        if (list_->item(i)->isSelected()) rows.push_back(i);
    if (model_.confirm(rows)) QDialog::accept();
}

}  // namespace mw::ui
