// Export and import through the menu commands: the document's dialog
// parameters go to the chooser, the choice comes back to the document.
#include <QTest>
#include <QTreeWidget>

#include <fstream>
#include <iterator>

#include "gui_support.h"
#include "ui/commands.h"
#include "ui/dialogs/wait_window.h"
#include "ui/main_window.h"
#include "ui/tree_view.h"

namespace mw::test {

using namespace mw::ui;

class ImportCommandTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiWorkspace> ws;

    static Bytes file_bytes(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    fs::path archive_with_image()
    {
        ResBuilder b;
        b.raw(2059, ramp_palette()).raw(1971, image_item(16, 8));
        return ws->write_archive(b);
    }

private slots:
    void init() { ws = std::make_unique<GuiWorkspace>(); }
    void cleanup() { ws.reset(); }

    void export_then_import_single()
    {
        ScriptedChooser chooser;
        RecordingMessenger messages;
        CMainFrame window(chooser, messages);
        const fs::path archive = archive_with_image();
        QVERIFY(window.open_archive(archive));
        window.tree_view()->select_node(2, 0);

        const fs::path edited = ws->file("edited.bmp");
        chooser.answers = {edited};
        window.run_command(cmd_export_convert);
        QCOMPARE(chooser.asked.back().filter,
                 std::string("Image Files (*.bmp)|*.bmp|3D Model Source (*.e)|*.e|3D COB Model (*.cob)|*.cob||"));
        QVERIFY(fs::exists(edited));

        const Bytes before = file_bytes(archive);
        chooser.answers = {edited};
        window.run_command(cmd_import_single);
        QCOMPARE(chooser.asked.back().filter, std::string("Image Files (*.bmp)|*.bmp||"));
        QCOMPARE(ws->sink.errors(), std::vector<std::string>{});
        QCOMPARE(ws->sink.infos(), std::vector<std::string>{"Import Completed"});
        QCOMPARE(file_bytes(archive), before);  // the same picture gives the same item
        QCOMPARE(window.document().selected_file(), 2);
        QCOMPARE(window.tree_view()->tree()->currentItem()->text(0), QStringLiteral("File 2 (144 bytes)"));
        QVERIFY(window.wait_window());  // it was shown, and is gone again
        QVERIFY(!window.wait_window()->isVisible());
        QVERIFY(!window.waiting());
    }

    void import_with_header_needs_the_header_file()
    {
        ScriptedChooser chooser;
        RecordingMessenger messages;
        CMainFrame window(chooser, messages);
        const fs::path archive = archive_with_image();
        QVERIFY(window.open_archive(archive));
        window.tree_view()->select_node(1, 0);
        const Bytes before = file_bytes(archive);
        const fs::path source = ws->file("new.pal");
        std::ofstream(source) << "JASC-PAL\n0100\n256\n";
        chooser.answers = {source};
        window.run_command(cmd_import_with_header);
        QCOMPARE(ws->sink.errors(),
                 std::vector<std::string>{"Error: Header file " + ws->file("new.hdr").string() + " doesn't exist"});
        QCOMPARE(file_bytes(archive), before);
        QVERIFY(!window.waiting());
    }

    void cancelled_dialog_does_nothing()
    {
        ScriptedChooser chooser;
        RecordingMessenger messages;
        CMainFrame window(chooser, messages);
        QVERIFY(window.open_archive(archive_with_image()));
        window.tree_view()->select_node(2, 0);
        window.run_command(cmd_import_single);
        window.run_command(cmd_export_original);
        QCOMPARE(chooser.asked.size(), 2u);
        QVERIFY(ws->sink.all().empty());
    }
};

MW_GUI_SUITE("import", ImportCommandTest)

}  // namespace mw::test

#include "import_command_test.moc"
