#include "ui/dialogs/add_script_entry.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/file_filter.h"

namespace mw::ui {

namespace {

// A field's integer, or one outside every range when it is none, so the range check reports it.
int field_value(const QLineEdit* field)
{
    bool ok = false;
    const int value = field->text().trimmed().toInt(&ok);
    return ok ? value : -1;
}

}  // namespace

CAddScriptDialog::CAddScriptDialog(AddScriptEntryModel model, FileChooser& chooser, DialogMessenger& messages,
                                   QWidget* parent)
    : QDialog(parent), model_(std::move(model)), chooser_(chooser), messages_(messages)
{
    setWindowTitle(tr("Add Script Entry"));
    name_ = new QLabel(to_qt(model_.file_name()), this);
    name_->setObjectName(QStringLiteral("file_name"));
    name_->setMinimumWidth(220);
    name_->setFrameShape(QFrame::StyledPanel);
    auto* browse_button = new QPushButton(tr("Browse..."), this);
    file_number_ = new QLineEdit(QString::number(model_.file_number()), this);
    item_number_ = new QLineEdit(QString::number(model_.item_number()), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAddScriptDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse_button, &QPushButton::clicked, this, &CAddScriptDialog::browse);

    auto* file_row = new QHBoxLayout;
    file_row->addWidget(name_, 1);
    file_row->addWidget(browse_button);
    auto* form = new QFormLayout(this);
    form->addRow(tr("File:"), file_row);
    form->addRow(tr("File number:"), file_number_);
    form->addRow(tr("Item number:"), item_number_);
    form->addRow(buttons);
}

void CAddScriptDialog::browse()
{
    if (const auto chosen = chooser_.open_file(this, tr("Browse"), model_.browse_dialog())) {
        model_.file_chosen(*chosen);
        name_->setText(to_qt(model_.file_name()));
    }
}

void CAddScriptDialog::accept()
{
    model_.set_file_number(field_value(file_number_));
    model_.set_item_number(field_value(item_number_));
    if (model_.confirm(messages_)) QDialog::accept();
}

}  // namespace mw::ui
