// The palette panel's squares, its colour order and "Make Current Palette".
#include <QImage>
#include <QTest>

#include <fstream>
#include <sstream>

#include "gui_support.h"
#include "types/palette_file.h"
#include "ui/controls/colour_picker.h"
#include "ui/palette_panel.h"
#include "ui/plane_palette_dialog.h"

namespace mw::test {

using namespace mw::ui;

class PalettePanelTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiWorkspace> ws;

    // A JASC file of `count` colours, colour k = (k, 255 - k, k / 2).
    fs::path write_jasc(int count)
    {
        const fs::path path = ws->file("panel.pal");
        std::ofstream out(path, std::ios::binary);
        out << "JASC-PAL\r\n0100\r\n" << count << "\r\n";
        for (int k = 0; k < count; ++k) out << k << ' ' << 255 - k << ' ' << k / 2 << "\r\n";
        return path;
    }
    static QColor centre_colour(CPaletteDlg& panel, int k)
    {
        const QImage shot = panel.grab().toImage();
        return shot.pixelColor(palette_square(k).center());
    }

private slots:
    void init() { ws = std::make_unique<GuiWorkspace>(); }
    void cleanup() { ws.reset(); }

    void squares()
    {
        QCOMPARE(palette_square(0), QRect(5, 5, 16, 16));
        QCOMPARE(palette_square(17), QRect(25, 25, 16, 16));
        QCOMPARE(palette_square(255), QRect(305, 305, 16, 16));
    }

    void colours_in_both_orders()
    {
        CPaletteDlg panel;
        panel.resize(500, 340);
        panel.load(write_jasc(256));
        QCOMPARE(centre_colour(panel, 200), QColor(200, 55, 100));
        QCOMPARE(panel.grab().toImage().pixelColor(5 + 17, 10), panel.palette().color(QPalette::Window));  // the gap
        panel.set_order(ColourOrder::bgr);
        QCOMPARE(centre_colour(panel, 200), QColor(100, 55, 200));
    }

    void draws_nothing_unless_256_colours()
    {
        CPaletteDlg panel;
        panel.resize(500, 340);
        panel.load(write_jasc(255));
        QCOMPARE(panel.colours().size(), 255u);
        QCOMPARE(centre_colour(panel, 10), panel.palette().color(QPalette::Window));
    }

    void make_current_writes_the_order_shown()
    {
        CPaletteDlg panel;
        panel.load(write_jasc(256));
        panel.set_order(ColourOrder::bgr);
        QCOMPARE(panel.make_current(), 0);
        std::ifstream in(current_palette_path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const std::string written = text.str();
        QVERIFY(written.rfind("JASC-PAL\r\n0100\r\n256\r\n0 255 0\r\n0 254 1\r\n", 0) == 0);

        // The chooser then shows the exchanged colours and returns the one clicked.
        CPlanePal chooser;
        QCOMPARE(chooser.cells()[1], QColor(0, 254, 1));
        QCOMPARE(chooser.result(), std::nullopt);
        QTest::mouseClick(chooser.picker(17), Qt::LeftButton);
        QCOMPARE(chooser.result(), std::optional<QColor>(QColor(8, 238, 17)));
    }
};

MW_GUI_SUITE("palette", PalettePanelTest)

}  // namespace mw::test

#include "palette_panel_test.moc"
