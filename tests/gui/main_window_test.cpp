// The main window: which commands are enabled when, the title, the panes'
// sizes, and a View command while the tree has the focus.
#include <QAction>
#include <QMimeData>
#include <QSplitter>
#include <QTest>
#include <QTreeWidget>

#include "demo_archive.h"
#include "gui_support.h"
#include "ui/commands.h"
#include "ui/display_view.h"
#include "ui/file_filter.h"
#include "ui/info_view.h"
#include "ui/main_window.h"
#include "ui/tree_view.h"

namespace mw::test {

using namespace mw::ui;

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiWorkspace> ws;
    ScriptedChooser chooser;
    RecordingMessenger messages;

    static QStringList enabled(CMainFrame& window)
    {
        window.update_commands();
        QStringList out;
        for (const CommandSpec& spec : command_table())
            if (window.action(spec.id)->isEnabled()) out << QString::fromLatin1(spec.label);
        out.sort();
        return out;
    }

    static QStringList sorted(QStringList list)
    {
        list.sort();
        return list;
    }

private slots:
    void init() { ws = std::make_unique<GuiWorkspace>(); }
    void cleanup() { ws.reset(); }

    void enabling_rules()
    {
        CMainFrame window(chooser, messages);
        const QStringList always{"&Open...", "E&xit", "Options...", "&About Marrowick..."};
        QCOMPARE(enabled(window), sorted(always));

        // An aircraft archive: every Goto and the flight-model import, but nothing
        // that needs a selected entry until one is selected.
        QVERIFY(window.open_archive(ws->write_archive(demo::demo_archive(), "demo.res")));
        const QStringList aircraft = always + QStringList{"&Voices",   "&Sounds",   "&Textures", "3D &Models", "&Palette",
                                                          "&Cockpit",  "&Multiple", "Sc&ript",   "Flight Model"};
        QCOMPARE(enabled(window), sorted(aircraft));
        window.tree_view()->select_node(demo::demo_texture, 0);
        const QStringList selected = enabled(window);
        for (const char* label : {"As &Hex", "As &File Type", "Con&vert", "&Original Format", "&Single", "Import with Header"})
            QVERIFY2(selected.contains(QString::fromLatin1(label)), label);
        QVERIFY(!selected.contains(QStringLiteral("AddFile")));

        // An archive without the six key entries has no Goto and no flight model.
        ResBuilder plain;
        plain.raw(11005, Bytes(8, 1)).raw(2059, ramp_palette());
        QVERIFY(window.open_archive(ws->write_archive(plain)));
        const QStringList plain_archive = always + QStringList{"&Multiple", "Sc&ript"};
        QCOMPARE(enabled(window), sorted(plain_archive));

        // A failed open leaves no usable archive behind.
        QVERIFY(!window.open_archive(ws->file("missing.res")));
        QCOMPARE(enabled(window), sorted(always));
        QCOMPARE(window.windowTitle(), QStringLiteral("Marrowick for Cloudmere"));
        QCOMPARE(window.tree_view()->tree()->topLevelItem(0)->text(0), QStringLiteral("No File Loaded"));
    }

    void title_and_goto()
    {
        CMainFrame window(chooser, messages);
        const fs::path path = ws->write_archive(demo::demo_archive(), "demo.res");
        QVERIFY(window.open_archive(path));
        QCOMPARE(window.windowTitle(), to_qt("Marrowick for Cloudmere - " + path.string()));
        window.run_command(cmd_goto_palette);
        QCOMPARE(window.document().selected_file(), int(demo::demo_palette));
        QCOMPARE(window.tree_view()->tree()->currentItem()->text(0), QStringLiteral("File 6 (768 bytes)"));
    }

    void info_pane_keeps_its_height()
    {
        CMainFrame window(chooser, messages);
        window.resize(800, 600);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.info_view()->height(), info_pane_height);
        QCOMPARE(window.tree_view()->width(), tree_pane_width);
        for (const QSize size : {QSize(1200, 900), QSize(700, 500)}) {
            window.resize(size);
            QTest::qWait(20);
            QCOMPARE(window.info_view()->height(), info_pane_height);
        }
        QCOMPARE(window.framework().find_window(pane_display), static_cast<QWidget*>(window.display_view()));
    }

    void view_commands_work_from_the_tree()
    {
        CMainFrame window(chooser, messages);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.open_archive(ws->write_archive(demo::demo_archive(), "demo.res")));
        window.tree_view()->select_node(demo::demo_texture, 0);
        QCOMPARE(window.display_view()->kind(), 2);
        window.tree_view()->tree()->setFocus();
        window.action(cmd_as_hex)->trigger();
        QCOMPARE(window.display_view()->kind(), 0);
        window.action(cmd_as_file_type)->trigger();
        QCOMPARE(window.display_view()->kind(), 2);
        QVERIFY(ws->sink.all().empty());
    }

    void palette_keys_recolour_the_image()
    {
        CMainFrame window(chooser, messages);
        QVERIFY(window.open_archive(ws->write_archive(demo::demo_archive(), "demo.res")));
        window.tree_view()->select_node(demo::demo_texture, 0);
        QTest::keyClick(window.tree_view()->tree(), Qt::Key_2);
        QCOMPARE(window.document().current_palette(), 2);
        QCOMPARE(window.document().selected_file(), int(demo::demo_texture));
        QTest::keyClick(window.tree_view()->tree(), Qt::Key_9);  // only two palettes
        QCOMPARE(window.document().current_palette(), 2);
        QTest::keyClick(window.tree_view()->tree(), Qt::Key_Comma);
        QCOMPARE(window.document().current_palette(), 1);
    }

    void dropped_archive_is_opened()
    {
        CMainFrame window(chooser, messages);
        const fs::path path = ws->write_archive(demo::demo_archive(), "dropped.res");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(to_qt(path))});
        QVERIFY(window.open_dropped(data));
        QCOMPARE(to_qt(window.document().archive().path()), to_qt(path));
        QCOMPARE(window.tree_view()->tree()->topLevelItem(0)->text(0), QStringLiteral("dropped"));
    }

    void filters_for_qt_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("one choice") << "Res Files (*.res)|*.res||" << "Res Files (*.res)";
        QTest::newRow("export with the model choices")
            << "Image Files (*.bmp)|*.bmp|3D Model Source (*.e)|*.e|3D COB Model (*.cob)|*.cob||"
            << "Image Files (*.bmp);;3D Model Source (*.e);;3D COB Model (*.cob)";
        QTest::newRow("a name without its pattern") << "Scripts|*.mws;*.txt||" << "Scripts (*.mws *.txt)";
    }
    void filters_for_qt()
    {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(qt_filter(filter.toStdString()), qt);
    }

    void default_extension()
    {
        QCOMPARE(with_default_extension("out", "*.e", "bmp"), fs::path("out.e"));
        QCOMPARE(with_default_extension("out", "*.*", "bmp"), fs::path("out.bmp"));
        QCOMPARE(with_default_extension("out", "*.*", ""), fs::path("out"));
        QCOMPARE(with_default_extension("out.txt", "*.bmp", "bmp"), fs::path("out.txt"));
    }
};

MW_GUI_SUITE("commands", MainWindowTest)

}  // namespace mw::test

#include "main_window_test.moc"
