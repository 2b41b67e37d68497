// The batch windows: the status window's stop request during a script run,
// the script list as shown, the multiple-export dialog's checks.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <fstream>
#include <iterator>

#include "batch/script_run.h"
#include "gui_support.h"
#include "ui/dialogs/export_multiple.h"
#include "ui/dialogs/import_status.h"
#include "ui/dialogs/script_editor.h"
#include "ui/commands.h"
#include "ui/main_window.h"

namespace mw::test {

using namespace mw::ui;

class BatchWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiWorkspace> ws;

private slots:
    void init() { ws = std::make_unique<GuiWorkspace>(); }
    void cleanup() { ws.reset(); }

    void escape_asks_to_stop_but_the_window_stays()
    {
        CImportStatusDlg status;
        status.show();
        QVERIFY(QTest::qWaitForWindowExposed(&status));
        QVERIFY(!status.stop_requested());
        QTest::keyClick(&status, Qt::Key_Escape);
        QVERIFY(status.stop_requested());
        QVERIFY(status.isVisible());
        QVERIFY(!status.close());  // the close box asks the same
        QVERIFY(status.isVisible());
        QVERIFY(!status.ok_button()->isEnabled());
        QTimer::singleShot(0, status.ok_button(), &QPushButton::click);
        status.finish_and_wait();
        QVERIFY(!status.isVisible());
    }

    void script_run_stops_at_the_next_check_point()
    {
        ScriptedChooser chooser;
        RecordingMessenger messages;
        CMainFrame window(chooser, messages);
        ResBuilder b;
        b.raw(500, Bytes(40, 1)).raw(501, Bytes(40, 2));
        QVERIFY(window.open_archive(ws->write_archive(b)));
        for (const char* name : {"a.bin", "b.bin"}) std::ofstream(ws->file(name), std::ios::binary) << std::string(40, 'x');

        CImportStatusDlg status;
        status.show();
        // The user presses Esc while the first entry is being imported.
        QTimer::singleShot(0, &status, [&status] { QTest::keyClick(&status, Qt::Key_Escape); });
        ScriptRun run(window.document(), window, status, messages);
        const ScriptOutcome outcome = run.run({{1, 0, "a.bin"}, {2, 0, "b.bin"}}, ws->home());
        QCOMPARE(outcome, ScriptOutcome::aborted);
        QCOMPARE(status.lines()->item(status.lines()->count() - 1)->text(), QStringLiteral("Import aborted by user"));
        QVERIFY(status.progress()->value() < 100);
    }

    // Import > Script from the menu: the editor loads a script, Import runs
    // it, and the status window waits for OK.
    void script_command_runs_the_loaded_script()
    {
        ScriptedChooser chooser;
        RecordingMessenger messages;
        CMainFrame window(chooser, messages);
        ResBuilder b;
        b.raw(500, Bytes(40, 1)).raw(501, Bytes(40, 2));
        const fs::path archive = ws->write_archive(b);
        QVERIFY(window.open_archive(archive));
        std::ofstream(ws->file("new.bin"), std::ios::binary) << std::string(40, 'x');
        std::ofstream(ws->file("s.mws"), std::ios::binary) << "MARROWICKSCRIPTv1.0\r\n1\r\n2 0 new.bin\r\n";
        chooser.answers = {ws->file("s.mws")};

        QString last_line;
        QTimer driver;
        connect(&driver, &QTimer::timeout, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* editor = qobject_cast<CImportMultiDlg*>(modal)) {
                editor->load();
                editor->import_button()->click();
            } else if (auto* status = qobject_cast<CImportStatusDlg*>(modal); status && status->ok_button()->isEnabled()) {
                last_line = status->lines()->item(status->lines()->count() - 1)->text();
                status->ok_button()->click();
            }
        });
        driver.start(10);
        window.run_command(cmd_import_script);
        driver.stop();
        QCOMPARE(last_line, QStringLiteral("Import Completed"));
        ResArchive reopened;
        QCOMPARE(reopened.open(archive), 0);
        QCOMPARE(reopened.extract(1, 0, ws->file("check.bin"), ResEntry::to_file, false), 0);
        std::ifstream check(ws->file("check.bin"), std::ios::binary);
        QCOMPARE(std::string(std::istreambuf_iterator<char>(check), {}), std::string(40, 'x'));
    }

    void script_list_is_shown_sorted_by_its_padded_numbers()
    {
        ScriptedChooser chooser;
        RecordingMessenger messages;
        const fs::path script = ws->file("s.mws");
        std::ofstream(script, std::ios::binary) << "MARROWICKSCRIPTv1.0\r\n2\r\n12 1 late.bmp\r\n9 0   early one.bmp  \r\n";
        CImportMultiDlg editor(ws->home().string(), chooser, messages);
        QVERIFY(!editor.import_button()->isEnabled());
        chooser.answers = {script};
        editor.load();
        QCOMPARE(editor.list()->topLevelItemCount(), 2);
        const QTreeWidgetItem* first = editor.list()->topLevelItem(0);
        QCOMPARE((QStringList{first->text(0), first->text(1), first->text(2)}),
                 (QStringList{"0009", "0000", "early one.bmp"}));
        QVERIFY(editor.import_button()->isEnabled());
        editor.list()->topLevelItem(1)->setSelected(true);
        editor.remove();
        QCOMPARE(editor.list()->topLevelItemCount(), 1);
        QVERIFY(!editor.import_button()->isEnabled());  // a run follows a saved or loaded list
    }

    void export_multiple_command_exports_every_item()
    {
        ScriptedChooser chooser;
        RecordingMessenger messages;
        CMainFrame window(chooser, messages);
        ResBuilder b;
        b.raw(500, Bytes(40, 1)).compound_items(300, {Bytes(4, 1), Bytes(9, 2)}).raw(501, Bytes(8, 3));
        QVERIFY(window.open_archive(ws->write_archive(b)));
        const fs::path out = ws->file("out");
        fs::create_directory(out);
        chooser.answers = {out};
        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<CExportMultDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->list()->item(0)->setSelected(true);
            dialog->list()->item(1)->setSelected(true);
            dialog->browse();
            dialog->accept();
        });
        window.run_command(cmd_export_multiple);
        int files = 0;
        for ([[maybe_unused]] const auto& file : fs::directory_iterator(out)) ++files;
        QCOMPARE(files, 3);  // the whole first entry and the two items of the second
        QCOMPARE(messages.shown.back().text, std::string("2 files have been exported successfuly"));
    }

    void export_multiple_needs_a_folder_and_rows()
    {
        ScriptedChooser chooser;
        RecordingMessenger messages;
        ResBuilder b;
        b.raw(500, Bytes(40, 1)).compound_items(300, {Bytes(4, 1), Bytes(9, 2)});
        ResArchive archive;
        QCOMPARE(archive.open(ws->write_archive(b)), 0);
        CExportMultDlg dialog(archive, chooser, messages);
        QCOMPARE(dialog.list()->item(1)->text(), QStringLiteral("File 2 (13 bytes)    2 Items"));
        dialog.accept();
        QCOMPARE(messages.shown.back().text, std::string("Please select a destination folder"));
        chooser.answers = {ws->home()};
        dialog.browse();
        QCOMPARE(dialog.findChild<QLabel*>("destination")->text(), to_qt(ws->home()));
        dialog.accept();
        QCOMPARE(messages.shown.back().text, std::string("Please select the files you want to export"));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        dialog.list()->item(1)->setSelected(true);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.model().selected_rows(), std::vector<int>{1});
    }
};

MW_GUI_SUITE("batch", BatchWindowsTest)

}  // namespace mw::test

#include "batch_windows_test.moc"
