// "Import Status": the script run's status lines and progress. Esc or the
// close box asks the run to stop (honoured at its next check point); the
// window stays until the run has ended and "OK" is pressed.
#pragma once

#include <QDialog>

#include "batch/script_run.h"

class QListWidget;
class QProgressBar;
class QPushButton;

namespace mw::ui {

class CImportStatusDlg : public QDialog, public ImportStatus {
    Q_OBJECT
public:
    explicit CImportStatusDlg(QWidget* parent = nullptr);

    void add_line(const std::string& line) override;
    void set_progress(int position) override;
    // Lets pending events run (a click on the close box, Esc) before answering.
    bool stop_requested() override;

    // The run is over: "OK" is enabled; returns when it is pressed.
    void finish_and_wait();

    QListWidget* lines() const { return lines_; }
    QProgressBar* progress() const { return progress_; }
    QPushButton* ok_button() const { return ok_; }
    bool running() const { return running_; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QListWidget* lines_;
    QProgressBar* progress_;
    QPushButton* ok_;
    bool running_ = true;
    bool stop_ = false;
};

}  // namespace mw::ui
