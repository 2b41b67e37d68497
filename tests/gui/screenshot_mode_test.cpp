// The program's screenshot mode, run as a user would: the PNG shows the
// selected bitmap; an archive that does not open ends with 1.
#include <QImage>
#include <QProcess>
#include <QTest>

#include "demo_archive.h"
#include "gui_support.h"

namespace mw::test {

class ScreenshotModeTest : public QObject {
    Q_OBJECT

    TempDir home;

    int run(const QStringList& arguments)
    {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(MARROWICK_BUILD_DIR "/marrowick"),
                      QStringList{"--home", ui::to_qt(home.path())} + arguments);
        if (!program.waitForFinished(60000)) return -1;
        return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    }

    // Pixels of the texture's sun colour (palette index 127).
    static int sun_pixels(const QImage& image)
    {
        const auto sun = demo::demo_palette_colour(127);
        const QColor wanted(sun[0], sun[1], sun[2]);
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == wanted;
        return count;
    }

private slots:
    void png_shows_the_selected_bitmap()
    {
        const QString shot = ui::to_qt(home.path() / "texture.png");
        QCOMPARE(run({MARROWICK_BUILD_DIR "/demo.res", "--select", QString::number(demo::demo_texture), "--size",
                      "900x600", "--screenshot", shot}),
                 0);
        const QImage image(shot);
        QCOMPARE(image.size(), QSize(900, 600));
        // The sun is a disc of radius 10: some 300 pixels.
        QVERIFY2(sun_pixels(image) > 250, qPrintable(QString::number(sun_pixels(image))));

        const QString hex = ui::to_qt(home.path() / "hex.png");
        QCOMPARE(run({MARROWICK_BUILD_DIR "/demo.res", "--select", QString::number(demo::demo_texture), "--view", "hex",
                      "--screenshot", hex}),
                 0);
        QCOMPARE(sun_pixels(QImage(hex)), 0);
    }

    void archive_that_does_not_open_ends_with_1()
    {
        const QString shot = ui::to_qt(home.path() / "none.png");
        QCOMPARE(run({ui::to_qt(home.path() / "missing.res"), "--screenshot", shot}), 1);
        QVERIFY(!QImage(shot).isNull());
        QCOMPARE(run({"", "--screenshot", shot}), 1);  // an empty name is an archive that does not open
        QCOMPARE(run({"--select", "x"}), 2);
    }
};

MW_GUI_SUITE("screenshot", ScreenshotModeTest)

}  // namespace mw::test

#include "screenshot_mode_test.moc"
