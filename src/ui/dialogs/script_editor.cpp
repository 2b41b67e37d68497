#include "ui/dialogs/script_editor.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/dialogs/add_script_entry.h"
#include "ui/file_filter.h"

namespace mw::ui {

CImportMultiDlg::CImportMultiDlg(std::string script_folder, FileChooser& chooser, DialogMessenger& messages,
                                 QWidget* parent)
    : QDialog(parent), model_(std::move(script_folder), messages), chooser_(chooser), messages_(messages)
{
    setWindowTitle(tr("Import Script"));
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setColumnCount(3);
    QStringList titles;
    for (const ScriptColumn& column : script_columns) titles << QString::fromLatin1(column.title);
    list_->setHeaderLabels(titles);
    for (int i = 0; i < 3; ++i) list_->setColumnWidth(i, script_columns[i].width);

    auto* add_button = new QPushButton(tr("Add"), this);
    auto* remove_button = new QPushButton(tr("Remove"), this);
    auto* load_button = new QPushButton(tr("Load Script"), this);
    auto* save_button = new QPushButton(tr("Save Script"), this);
    import_ = new QPushButton(tr("Import"), this);
    auto* exit_button = new QPushButton(tr("Exit"), this);
    import_->setEnabled(false);
    connect(add_button, &QPushButton::clicked, this, &CImportMultiDlg::add);
    connect(remove_button, &QPushButton::clicked, this, &CImportMultiDlg::remove);
    connect(load_button, &QPushButton::clicked, this, &CImportMultiDlg::load);
    connect(save_button, &QPushButton::clicked, this, &CImportMultiDlg::save);
    connect(import_, &QPushButton::clicked, this, &QDialog::accept);
    connect(exit_button, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {add_button, remove_button, load_button, save_button, import_, exit_button})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(460, 320);
}

void CImportMultiDlg::refresh()
{
    list_->clear();
    for (std::size_t row = 0; row < model_.list().size(); ++row) {
        const ScriptRowTexts texts = model_.list().row_texts(row);
        list_->addTopLevelItem(new QTreeWidgetItem(QStringList{to_qt(texts.file), to_qt(texts.item), to_qt(texts.name)}));
    }
    import_->setEnabled(model_.import_enabled());
}

void CImportMultiDlg::add()
{
    CAddScriptDialog dialog(model_.add_dialog(), chooser_, messages_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    model_.add(dialog.model());
    refresh();
}

void CImportMultiDlg::remove()
{
    std::vector<int> rows;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        if (list_->topLevelItem(i)->isSelected()) rows.push_back(i);
    model_.remove(rows);
    refresh();
}

void CImportMultiDlg::load()
{
    const auto chosen = chooser_.open_file(this, tr("Load Script"), model_.load_dialog());
    if (!chosen) return;
    (void)model_.load(*chosen);
    refresh();
}

void CImportMultiDlg::save()
{
    if (!model_.can_save()) return;
    const auto chosen = chooser_.save_file(this, tr("Save Script"), model_.save_dialog());
    if (!chosen) return;
    model_.save(*chosen);
    refresh();
}

}  // namespace mw::ui
