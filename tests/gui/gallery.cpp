// Not a test: "test_gui gallery" writes a picture of every dialog and menu
// to $MARROWICK_GALLERY (default: the system temp folder), for looking at
// them and for the documentation. CTest does not run it.
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstring>

#include "demo_archive.h"
#include "gui_support.h"
#include "ui/commands.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/add_script_entry.h"
#include "ui/dialogs/export_multiple.h"
#include "ui/dialogs/export_options.h"
#include "ui/dialogs/import_status.h"
#include "ui/dialogs/script_editor.h"
#include "ui/dialogs/wait_window.h"
#include "ui/main_window.h"
#include "ui/plane_palette_dialog.h"
#include "ui/tree_view.h"

namespace mw::test {

using namespace mw::ui;

class Gallery : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiWorkspace> ws;
    QString folder;

    void save(QWidget& widget, const char* name)
    {
        widget.show();
        QTest::qWait(30);
        widget.grab().save(folder + "/gallery-" + name + ".png");
    }

private slots:
    void initTestCase()
    {
        ws = std::make_unique<GuiWorkspace>();
        folder = qEnvironmentVariable("MARROWICK_GALLERY", QDir::tempPath());
    }
    void cleanupTestCase() { ws.reset(); }

    void windows()
    {
        ScriptedChooser chooser;
        RecordingMessenger messages;
        CMainFrame window(chooser, messages);
        const fs::path archive = ws->write_archive(demo::demo_archive(), "demo.res");
        window.open_archive(archive);
        window.set_recent_files({to_qt(archive), "/home/modder/cloudmere/c172.res"});
        window.show();
        for (QAction* menu : window.menuBar()->actions()) {
            window.update_commands();
            save(*menu->menu(), qPrintable(menu->text().remove('&').toLower()));
            menu->menu()->hide();
        }
        window.tree_view()->select_node(demo::demo_voices, 0);
        save(window, "sound");
        // The tree widened to its columns, filtered by a type.
        window.resize(1100, 650);
        window.framework().find_splitter(pane_frame)->setSizes({430, 670});
        window.tree_view()->set_filter("image");
        window.tree_view()->select_node(demo::demo_cockpit, 0);
        save(window, "filter");
        window.tree_view()->set_filter("");
        // The demo aircraft's record forms: name, axles, prop, a trim, break
        // force, flaps, damping, three segments, the player sound.
        window.framework().find_splitter(pane_frame)->setSizes({200, 900});
        window.resize(1100, 800);
        const std::pair<int, int> records[] = {{demo::demo_name, 0}, {9, 0}, {10, 0}, {11, 0},
                                               {15, 0}, {16, 0}, {18, 0}, {demo::demo_segments, 1},
                                               {demo::demo_segments, 2}, {demo::demo_segments, 3}, {20, 0}};
        for (const auto& [file, item] : records) {
            window.tree_view()->select_node(file, item);
            save(window, qPrintable(QStringLiteral("form-%1-%2").arg(file).arg(item)));
        }
        {
            CAboutDlg about(&window);
            save(about, "about");
        }
        {
            CExportOptionsDlg options(ExportOptions{1, 0}, &window);
            save(options, "export-options");
        }
        {
            CExportMultDlg dialog(window.document().archive(), chooser, messages, &window);
            dialog.list()->item(1)->setSelected(true);
            save(dialog, "export-multiple");
        }
        {
            CImportMultiDlg editor(ws->home().string(), chooser, messages, &window);
            save(editor, "script-editor");
            CAddScriptDialog add(editor.model().add_dialog(), chooser, messages, &editor);
            save(add, "add-script-entry");
        }
        {
            CImportStatusDlg status(&window);
            status.add_line("Importing file tex01.bmp");
            status.add_line("Importing file tex02.bmp");
            status.set_progress(50);
            save(status, "import-status");
        }
        {
            CWaitWindow wait(&window);
            save(wait, "wait");
        }
        {
            window.tree_view()->select_node(demo::demo_palette, 0);
            CPlanePal chooser_dialog(&window);
            save(chooser_dialog, "plane-palette");
        }
    }

    void segment_forms()
    {
        // One air-physics segment of every length (segment types that pick
        // the labels: 28, 25, 11, 10), each form drawn on its own.
        const std::pair<int, int> segments[] = {{1, 1},   {2, 2},   {5, 28},  {6, 25},   {7, 7},    {9, 9},   {10, 10},
                                                {12, 0},  {13, 13}, {14, 14}, {17, 11},  {18, 18},  {19, 19}, {21, 10},
                                                {25, 25}, {27, 27}, {42, 42}, {45, 45},  {47, 47},  {61, 61}, {66, 66},
                                                {71, 71}, {73, 73}, {90, 90}, {96, 96},  {101, 101}, {109, 109}, {122, 122}};
        std::vector<Bytes> items;
        for (const auto& [length, type] : segments) {
            Bytes item(std::size_t(length), 0);
            item[0] = std::uint8_t(type);
            items.push_back(item);
        }
        ScriptedChooser chooser;
        RecordingMessenger messages;
        CMainFrame window(chooser, messages);
        // And the kinds the demo lacks: cockpit axles, the two voice tables,
        // the aircraft call and a single-engine sound definition (field 8 = -2).
        Bytes call(14, 0);
        for (const char* text : {"Demo Flyer one two", "Flyer"}) call.insert(call.end(), text, text + std::strlen(text) + 1);
        Bytes single_sound(178, 0);
        single_sound[28] = 0xFE;
        std::fill(single_sound.begin() + 29, single_sound.begin() + 32, 0xFF);
        window.open_archive(ws->write_archive(demo::demo_archive()
                                                  .compound_items(2138, items)
                                                  .raw(2055, Bytes{1, 2, 0, 0, 3, 4})
                                                  .raw(11004, Bytes(30, 0))
                                                  .raw(11405, Bytes(84, 0))
                                                  .raw(11500, call)
                                                  .raw(26991, single_sound),
                                              "segments.res"));
        window.resize(1100, 800);
        window.show();
        for (std::size_t k = 0; k < items.size(); ++k) {
            window.tree_view()->select_node(24, int(k) + 1);
            save(window, qPrintable(QStringLiteral("segment-%1").arg(segments[k].first)));
        }
        for (int file = 25; file <= 29; ++file) {
            window.tree_view()->select_node(file, 0);
            save(window, qPrintable(QStringLiteral("record-%1").arg(file)));
        }
    }
};

MW_GUI_SUITE("gallery", Gallery)

}  // namespace mw::test

#include "gallery.moc"
