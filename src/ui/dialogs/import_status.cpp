#include "ui/dialogs/import_status.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/file_filter.h"

namespace mw::ui {

CImportStatusDlg::CImportStatusDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Import Status"));
    setModal(false);
    lines_ = new QListWidget(this);
    lines_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    ok_ = new QPushButton(tr("OK"), this);
    ok_->setEnabled(false);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lines_, 1);
    layout->addWidget(progress_);
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
    resize(460, 300);
}

void CImportStatusDlg::add_line(const std::string& line)
{
    lines_->addItem(to_qt(line));
    lines_->scrollToBottom();
    QCoreApplication::processEvents();
}

void CImportStatusDlg::set_progress(int position) { progress_->setValue(position); }

bool CImportStatusDlg::stop_requested()
{
    QCoreApplication::processEvents();
    return stop_;
}

void CImportStatusDlg::reject()
{
    if (running_) {
        stop_ = true;  // honoured by the run; the window stays until it ends
        return;
    }
    QDialog::reject();
}

void CImportStatusDlg::closeEvent(QCloseEvent* event)
{
    if (running_) {
        stop_ = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CImportStatusDlg::finish_and_wait()
{
    running_ = false;
    ok_->setEnabled(true);
    ok_->setFocus();
    if (isVisible()) exec();
}

}  // namespace mw::ui
