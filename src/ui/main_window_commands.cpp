// The menu commands of the main window: each asks the user what the
// document needs and hands the choice on.
#include <QApplication>

#include "app/workspace/workspace.h"
#include "batch/export_options.h"
#include "batch/multiple_export.h"
#include "batch/script_run.h"
#include "ui/commands.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/export_multiple.h"
#include "ui/dialogs/export_options.h"
#include "ui/dialogs/import_status.h"
#include "ui/dialogs/script_editor.h"
#include "ui/display_view.h"
#include "ui/file_filter.h"
#include "ui/main_window.h"

namespace mw::ui {

void CMainFrame::run_command(int id)
{
    update_commands();
    QAction* command = action(id);
    if (!command || !command->isEnabled()) return;
    switch (id) {
    case cmd_new:
    case cmd_open: command_open(); break;
    case cmd_exit: close(); break;
    case cmd_as_hex: display_->as_hex(); break;
    case cmd_as_file_type: display_->as_file_type(); break;
    case cmd_export_convert: command_export(true); break;
    case cmd_export_original: command_export(false); break;
    case cmd_export_multiple: command_export_multiple(); break;
    case cmd_export_options: command_export_options(); break;
    case cmd_import_single: command_import_single(); break;
    case cmd_import_script: command_import_script(); break;
    case cmd_import_flight_model: command_import_flight_model(); break;
    case cmd_import_with_header: command_import_with_header(); break;
    case cmd_about: command_about(); break;
    default:
        if (goto_position(id) >= 0) doc_->goto_key_entry(goto_position(id));
        break;
    }
    update_commands();
}

void CMainFrame::command_open()
{
    if (const auto path = chooser_.open_file(this, tr("Open"), doc_->open_dialog())) open_archive(*path);
}

void CMainFrame::command_export(bool converted)
{
    stop_sound();
    const FileDialogParams params = converted ? doc_->export_converted_dialog() : doc_->export_original_dialog();
    const auto path = chooser_.save_file(this, tr("Export"), params);
    if (!path) return;
    (void)(converted ? doc_->export_converted(*path) : doc_->export_original(*path));
}

void CMainFrame::command_import_single()
{
    stop_sound();
    if (const auto path = chooser_.open_file(this, tr("Import"), doc_->import_dialog()))
        (void)doc_->import_single(*path);
}

void CMainFrame::command_import_with_header()
{
    stop_sound();
    if (const auto path = chooser_.open_file(this, tr("Import with Header"), doc_->import_dialog()))
        (void)doc_->import_with_header(*path);
}

void CMainFrame::command_import_flight_model()
{
    stop_sound();
    if (const auto path = chooser_.open_file(this, tr("Import Flight Model"), doc_->flight_model_dialog()))
        (void)doc_->import_flight_model(*path);
}

void CMainFrame::command_export_multiple()
{
    stop_sound();
    CExportMultDlg dialog(doc_->archive(), chooser_, messages_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    (void)export_multiple(doc_->archive(), *this, dialog.model().selected_rows(), dialog.model().destination(),
                          dialog.model().convert(), {}, messages_);
}

void CMainFrame::command_import_script()
{
    stop_sound();
    CImportMultiDlg editor(Workspace::instance().last_import_dir(), chooser_, messages_, this);
    if (editor.exec() != QDialog::Accepted) return;
    const std::vector<ScriptEntry> entries = editor.entries();
    const std::string folder = editor.model().script_folder();
    CImportStatusDlg status(this);
    // Events are processed during the run for the stop request; the rest of
    // the program must not act on the archive meanwhile.
    status.setWindowModality(Qt::ApplicationModal);
    status.show();
    ScriptRun run(*doc_, *this, status, messages_);
    {
        WaitScope wait(*this, false);
        (void)run.run(entries, folder);
    }
    update_commands();
    status.finish_and_wait();
}

void CMainFrame::command_export_options()
{
    CExportOptionsDlg dialog(current_export_options(), this);
    if (dialog.exec() == QDialog::Accepted) store_export_options(dialog.options());
}

void CMainFrame::command_about()
{
    CAboutDlg about(this);
    about.exec();
}

}  // namespace mw::ui
