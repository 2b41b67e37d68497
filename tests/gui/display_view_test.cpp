// The display view: which widget each kind gets, switching between the hex
// dump and the type's own display, the hex dump's lines and the bitmap's size.
#include <QImage>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <fstream>

#include "gui_support.h"
#include "ui/bitmap_view.h"
#include "ui/display_view.h"
#include "ui/hex_view.h"
#include "ui/palette_panel.h"
#include "ui/placeholder_view.h"
#include "ui/sound_form.h"
#include "ui/sound_player.h"

namespace mw::test {

using namespace mw::ui;

class DisplayViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiWorkspace> ws;

    fs::path write_file(const std::string& name, const Bytes& bytes)
    {
        const fs::path path = ws->file(name);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }
    fs::path write_bitmap(const std::string& name, int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(10, 200, 30));
        const fs::path path = ws->file(name);
        if (!image.save(to_qt(path), "BMP")) qFatal("cannot write a bitmap");
        return path;
    }

private slots:
    void init() { ws = std::make_unique<GuiWorkspace>(); }
    void cleanup() { ws.reset(); }

    void hex_columns_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QString>("text");
        QTest::newRow("letters") << QByteArray("AZaz09") << "41 5A 61 7A 30 39 " << "AZaz09";
        QTest::newRow("control bytes are dots, 0x20 is a space")
            << QByteArray("\x00\x1f\x20\x0d\x0a", 5) << "00 1F 20 0D 0A " << ".. ..";
        QTest::newRow("0x7F and high bytes as themselves, in the game's code page (0x80 is the euro sign)")
            << QByteArray("\x7f\x80\xe9\xff", 4) << "7F 80 E9 FF " << QString::fromUtf8("\x7f\xe2\x82\xac\xc3\xa9\xc3\xbf");
    }
    void hex_columns()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, hex);
        QFETCH(QString, text);
        const std::span<const std::uint8_t> span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                                 std::size_t(bytes.size()));
        QCOMPARE(hex_column_text(span), hex);
        QCOMPARE(character_column_text(span), text);
    }

    void hex_draws_whole_lines_that_fit_and_scrolls_over_the_file()
    {
        CHexView view;
        view.set_bytes(std::vector<std::uint8_t>(40000, 0x41));
        const QSize cell = view.cell();
        view.resize(80 * cell.width(), 10 * cell.height() + cell.height() / 2);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.visible_lines(), 10);
        QCOMPARE(view.verticalScrollBar()->maximum(), 2500 - 10);

        const QImage shot = view.viewport()->grab().toImage();
        const QRgb background = shot.pixel(shot.width() - 1, shot.height() - 1);
        auto row_has_ink = [&](int y) {
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixel(x, y) != background) return true;
            return false;
        };
        bool first_line_inked = false;
        for (int y = 0; y < cell.height(); ++y) first_line_inked = first_line_inked || row_has_ink(y);
        QVERIFY(first_line_inked);
        for (int y = 10 * cell.height(); y < shot.height(); ++y) QVERIFY2(!row_has_ink(y), "a partial line was drawn");
    }

    void bitmap_size_rule_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("640 x 480 at its size") << 640 << 480 << QSize(640, 480);
        QTest::newRow("1024 x 768 stretched") << 1024 << 768 << QSize(640, 480);
        QTest::newRow("only wider") << 641 << 10 << QSize(640, 480);
        QTest::newRow("only taller") << 20 << 481 << QSize(640, 480);
        QTest::newRow("small") << 128 << 96 << QSize(128, 96);
    }
    void bitmap_size_rule()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QSize, shown);
        QCOMPARE(bitmap_display_size(width, height), shown);
    }

    void large_bitmap_is_loaded_stretched()
    {
        CBitmapView view;
        QVERIFY(view.load(write_bitmap("big.bmp", 1024, 768)));
        QCOMPARE(view.image().size(), QSize(640, 480));
        QVERIFY(!view.load(write_file("not.bmp", Bytes(100, 7))));
        QCOMPARE(ws->sink.errors(), std::vector<std::string>{"Error#350: Error Loading Bitmap"});
    }

    void kinds_and_switching()
    {
        CMarrowickView view(DisplayServices{});
        const fs::path bitmap = write_bitmap("small.bmp", 8, 8);
        view.show_file({bitmap, 2});
        QVERIFY(qobject_cast<CBitmapView*>(view.content()));
        view.as_hex();
        QCOMPARE(view.kind(), 0);
        QVERIFY(qobject_cast<CHexView*>(view.content()));
        view.as_file_type();
        QCOMPARE(view.kind(), 2);
        QVERIFY(qobject_cast<CBitmapView*>(view.content()));

        view.show_file({write_file("pal", ramp_palette()), 768});
        QVERIFY(qobject_cast<CPaletteDlg*>(view.content()));
        qobject_cast<CPaletteDlg*>(view.content())->set_order(ColourOrder::bgr);
        view.show_file({write_file("pal2", ramp_palette()), 768});  // the next palette keeps the order chosen
        QCOMPARE(qobject_cast<CPaletteDlg*>(view.content())->order(), ColourOrder::bgr);
        view.show_file({write_file("blob", Bytes(30, 1)), 0});  // unknown: the hex dump at once
        QVERIFY(qobject_cast<CHexView*>(view.content()));
        view.show_file({write_file("other", Bytes(30, 1)), 13891468});  // no view of its own
        QCOMPARE(view.content(), nullptr);
        view.show_file({write_file("model", Bytes(30, 1)), 4});  // no OpenGL on this platform: a text says so
        QVERIFY(qobject_cast<CPlaceholderView*>(view.content()));
        QVERIFY(qobject_cast<CPlaceholderView*>(view.content())->title().contains("OpenGL is not available"));
        view.show_file({write_file("trim", Bytes(4, 0)), 2130});  // a record: its form's title for now
        QVERIFY(qobject_cast<CPlaceholderView*>(view.content()));
        view.show_file({write_file("segment", Bytes(3, 0)), 2138});  // no form for 3 bytes
        QCOMPARE(view.content(), nullptr);
        view.as_hex();
        QVERIFY(qobject_cast<CHexView*>(view.content()));
        QVERIFY(ws->sink.all().empty());
    }

    void empty_request_has_no_file_type_view()
    {
        CMarrowickView view(DisplayServices{});
        view.show_file({write_file("empty", {}), 2});
        QCOMPARE(view.byte_count(), 0u);
        view.as_hex();
        QCOMPARE(view.kind(), 0);
        QCOMPARE(view.content(), nullptr);  // nothing to dump
        view.as_file_type();                // ignored without bytes
        QCOMPARE(view.kind(), 0);
    }

    void unreadable_file_keeps_the_display()
    {
        CMarrowickView view(DisplayServices{});
        view.show_file({write_file("blob", Bytes(30, 1)), 0});
        QWidget* before = view.content();
        view.show_file({ws->file("missing"), 2});
        QCOMPARE(ws->sink.errors(), std::vector<std::string>{"Error#94: Failed to open file for viewing"});
        QCOMPARE(view.content(), before);
        QCOMPARE(view.kind(), 0);
    }

    // With or without an audio device, Play returns at once and the tree gets the keyboard back.
    void play_never_blocks()
    {
        Bytes wav = {'R', 'I', 'F', 'F', 36 + 8, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0,
                     0x11, 0x2B, 0, 0, 0x11, 0x2B, 0, 0, 1, 0, 8, 0, 'd', 'a', 't', 'a', 8, 0, 0, 0};
        wav.insert(wav.end(), 8, 0x80);
        SoundPlayer player;
        QSignalSpy notes(&player, &SoundPlayer::note);
        int focus_calls = 0;
        CPlayWAVDlg form(player, write_file("beep.wav", wav), [&] { ++focus_calls; });
        form.findChild<QPushButton*>("play")->click();
        QCOMPARE(focus_calls, 1);
        if (!notes.isEmpty()) QCOMPARE(notes[0][0].toString(), QString::fromLatin1(no_audio_note));
        player.stop();
        QVERIFY(ws->sink.all().empty());
    }

    void range_of_the_request_is_shown()
    {
        CMarrowickView view(DisplayServices{});
        view.show_file({write_file("blob", Bytes(100, 1)), 0, 10, 30});
        QCOMPARE(view.byte_count(), 20u);
        view.show_file({write_file("short", Bytes(15, 1)), 0, 10, 30});
        QCOMPARE(view.byte_count(), 5u);
    }
};

MW_GUI_SUITE("display", DisplayViewTest)

}  // namespace mw::test

#include "display_view_test.moc"
