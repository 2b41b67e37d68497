// The record forms: each opens from a tree selection with the stored values;
// a change through the widgets and confirm writes exactly the expected bytes
// (worked out by hand from the record tables) and nothing else; shown-only
// records refuse saving; the stripe slider's maths and notices.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <cstring>

#include "aircraft/catalogue.h"
#include "aircraft/field_text.h"
#include "aircraft/prop_record.h"
#include "archive/file_io.h"
#include "archive/res_archive.h"
#include "demo_archive.h"
#include "gui_support.h"
#include "ui/controls/colour_swatch.h"
#include "ui/controls/multi_slider.h"
#include "ui/display_view.h"
#include "ui/forms/aircraft_name_form.h"
#include "ui/forms/prop_editor.h"
#include "ui/forms/record_form.h"
#include "ui/main_window.h"
#include "ui/tree_view.h"

namespace mw::test {

using namespace mw::ui;

namespace {

Bytes le32(std::uint32_t v) { return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)}; }

// `bytes` with `patch` written at `at` (growing it when needed).
Bytes patched(Bytes bytes, std::size_t at, const Bytes& patch)
{
    if (bytes.size() < at + patch.size()) bytes.resize(at + patch.size());
    std::copy(patch.begin(), patch.end(), bytes.begin() + std::ptrdiff_t(at));
    return bytes;
}

// Demo archive files (1-based) beside the named ones of demo_archive.h.
constexpr int axles_file = 9, prop_file = 10, trim_2130_file = 11, trim_2133_file = 14, flaps_file = 16,
              player_sound_file = 20;
// Files the fixture appends to the demo archive: the record kinds it lacks.
constexpr int voices_file = 24, cockpit_axles_file = 25, call_voices_file = 26, call_file = 27,
              single_sound_file = 28, segments_file = 29;

// Air-physics segments of every length (item k + 1 of segments_file), with
// the form each opens in; the first byte is the segment type.
struct SegmentCase {
    std::size_t length;
    std::uint8_t type;
    const char* form;
};
const SegmentCase segment_cases[] = {
    {1, 1, "CAntiIceDlg"},        {2, 2, "CFuelSystemDlg"},     {5, 28, "CAPhy5FloatDlg"},
    {6, 25, "CAPhy6FloatDlg"},    {7, 7, "CAPhy7FloatDlg"},     {9, 9, "CYawDamperDlg"},
    {10, 10, "CWheelInfoDlg"},    {12, 0, "CModelOffsetDlg"},   {13, 13, "CWarningsDlg"},
    {14, 14, "CTailDraggerDlg"},  {17, 11, "CTrimInfoDlg"},     {18, 18, "CAPhyContactPoint"},
    {19, 19, "CPowerInfoDlg"},    {21, 10, "CRumbleDlg"},       {25, 25, "CCautionsDlg"},
    {27, 27, "CReverseDlg"},      {42, 42, "CInternalMassDlg"}, {45, 45, "CAvionicSoundDlg"},
    {47, 47, "CFuelTankDlg"},     {61, 61, "CAutoPilotDlg"},    {66, 66, "CDragBodyDlg"},
    {71, 71, "CPontoonDlg"},      {73, 73, "CAPhyConfigDlg"},   {90, 90, "CTurboFanDlg"},
    {96, 96, "CPropEngDlg"},      {101, 101, "CLandGearDlg"},   {109, 109, "CAirFoilDlg"},
    {122, 122, "CAirFoil2Dlg"},
};
constexpr int turbofan_item = 24, gear_item = 26;

// The demo aircraft plus one item of every record kind it lacks.
ResBuilder every_kind_archive()
{
    Bytes voices(84, 0);
    voices[0] = 7;
    Bytes call(14, 0);
    for (const char* text : {"Demo Flyer one", "Flyer"}) call.insert(call.end(), text, text + std::strlen(text) + 1);
    Bytes single_sound(178, 0);
    std::fill(single_sound.begin() + 28, single_sound.begin() + 32, 0xFF);  // field 8 = -1 ...
    single_sound[28] = 0xFE;                                               // ... -2: field 32 present
    std::vector<Bytes> segments;
    for (const SegmentCase& c : segment_cases) {
        Bytes segment(c.length, 0);
        segment[0] = c.type;
        segments.push_back(segment);
    }
    // The turbofan's maximum power (offset 58): 5000.0f.
    segments[turbofan_item - 1] = patched(segments[turbofan_item - 1], 58, le32(0x459C4000));
    // The gear: values no list entry names (plane part 5, control 12) and a
    // NaN with a payload as its mass, all to be kept by a save of another field.
    Bytes& gear = segments[gear_item - 1];
    gear[1] = 5;
    gear[67] = 12;
    gear = patched(gear, 2, le32(0x7FA00001));
    return demo::demo_archive()
        .raw(11405, voices)
        .raw(2055, Bytes{1, 2, 0, 0, 3, 4})
        .raw(11004, Bytes(30, 0))
        .raw(11500, call)
        .raw(26991, single_sound)
        .compound_items(2138, segments);
}

}  // namespace

class RecordFormsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiWorkspace> ws;
    ScriptedChooser chooser;
    RecordingMessenger messages;
    fs::path archive;

    // The stored bytes of (file, item) as the archive on disk holds them now.
    Bytes stored_item(int file, int item)
    {
        ResArchive reader;
        if (reader.open(archive) != 0) return {};
        const fs::path out = ws->file("stored.bin");
        if (reader.extract(file - 1, item, out, ResEntry::to_file, false) != 0) return {};
        return read_file(out).value_or(Bytes{});
    }

    template <class Form>
    Form* open_form(CMainFrame& window, int file, int item)
    {
        window.tree_view()->select_node(file, item);
        return qobject_cast<Form*>(window.display_view()->content());
    }

    static QLineEdit* new_edit(CRecordForm& form, const char* name)
    {
        const auto index = find_field(*form.record().spec, name);
        return index ? qobject_cast<QLineEdit*>(form.new_value_widget(*index)) : nullptr;
    }
    static QString current(CRecordForm& form, const char* name)
    {
        const auto index = find_field(*form.record().spec, name);
        QLineEdit* edit = index ? form.current_value_widget(*index) : nullptr;
        return edit ? edit->text() : QStringLiteral("<none>");
    }

private slots:
    void init()
    {
        ws = std::make_unique<GuiWorkspace>();
        archive = ws->write_archive(every_kind_archive(), "forms.res");
    }
    void cleanup() { ws.reset(); }

    void form_shows_stored_values_data()
    {
        QTest::addColumn<int>("file");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("form_class");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("caption");
        QTest::newRow("trim 2133") << trim_2133_file << 0 << "CAPhy4FloatDlg" << "Maximum flap speed (knots):" << "110"
                                   << "Change Value";
        QTest::newRow("break force") << 15 << 0 << "CAPhyBkForceDlg" << "left wing" << "3000" << "Change Values";
        QTest::newRow("flap steps") << flaps_file << 0 << "CAPhyFlapsDlg" << "Flap Positions: 2" << "20"
                                    << "Change Values";
        QTest::newRow("contact point") << int(demo::demo_segments) << 1 << "CAPhyContactPoint" << "Plane Part:"
                                       << "Right Wing" << "Change Values";
        QTest::newRow("gear control") << int(demo::demo_segments) << 2 << "CLandGearDlg" << "Control:" << "LEFTBRAKE"
                                      << "Change Values";
        QTest::newRow("gear max force") << int(demo::demo_segments) << 2 << "CLandGearDlg" << "Max. Force:" << "900"
                                        << "Change Values";
        QTest::newRow("axles") << axles_file << 0 << "CAxleDlg" << "elevators: starting at model axle:" << "5"
                               << "Change Values";
        QTest::newRow("twin-engine sound") << player_sound_file << 0 << "CPlayerSndDlg2" << "non-pa" << "0.8"
                                           << "Change Values";
        QTest::newRow("voices, shown only") << voices_file << 0 << "CVoicesDlg" << "Group 1 value 1" << "7" << "Change Values";
    }
    void form_shows_stored_values()
    {
        QFETCH(int, file);
        QFETCH(int, item);
        QFETCH(QString, form_class);
        QFETCH(QString, field);
        QFETCH(QString, shown);
        QFETCH(QString, caption);
        CMainFrame window(chooser, messages);
        QVERIFY(window.open_archive(archive));
        auto* form = open_form<CRecordForm>(window, file, item);
        QVERIFY(form);
        QCOMPARE(form->objectName(), form_class);
        QCOMPARE(current(*form, qPrintable(field)), shown);
        QCOMPARE(form->confirm_button()->text(), caption);
        QVERIFY(ws->sink.errors().empty());
    }

    void every_kind_opens_its_form()
    {
        struct Case {
            int file, item;
            const char* form;
        };
        std::vector<Case> cases = {
            {demo::demo_name, 0, "CAircraftNameDialog"}, {axles_file, 0, "CAxleDlg"},
            {cockpit_axles_file, 0, "CCockpit"},         {prop_file, 0, "CPropEdDialog"},
            {11, 0, "CAPhy4FloatDlg"},                    {12, 0, "CAPhy4FloatDlg"},
            {13, 0, "CAPhy4FloatDlg"},                    {trim_2133_file, 0, "CAPhy4FloatDlg"},
            {15, 0, "CAPhyBkForceDlg"},                   {flaps_file, 0, "CAPhyFlapsDlg"},
            {17, 0, "CAPhy4FloatDlg"},                    {18, 0, "CAPhyDampDlg"},
            {player_sound_file, 0, "CPlayerSndDlg2"},     {single_sound_file, 0, "CPlayerSndDlg"},
            {call_voices_file, 0, "CCallSndDlg"},         {voices_file, 0, "CVoicesDlg"},
            {call_file, 0, "CCallDlg"},
        };
        for (std::size_t k = 0; k < std::size(segment_cases); ++k)
            cases.push_back({segments_file, int(k) + 1, segment_cases[k].form});
        CMainFrame window(chooser, messages);
        QVERIFY(window.open_archive(archive));
        for (const Case& c : cases) {
            window.tree_view()->select_node(c.file, c.item);
            QWidget* form = window.display_view()->content();
            const QString where = QStringLiteral("file %1 item %2").arg(c.file).arg(c.item);
            QVERIFY2(form, qPrintable(where));
            QVERIFY2(form->objectName() == QLatin1String(c.form),
                     qPrintable(where + ": " + form->objectName() + " instead of " + c.form));
        }
        QVERIFY(ws->sink.errors().empty());
        // The segment type picks the labels where one length has two meanings.
        window.tree_view()->select_node(segments_file, 4);
        QVERIFY(window.display_view()->content()->findChild<QLabel*>("title"));
        QCOMPARE(window.display_view()->content()->findChild<QLabel*>("title")->text(),
                 QStringLiteral("Engine has a wacky 5-way starter switch"));
        window.tree_view()->select_node(segments_file, 14);
        QCOMPARE(window.display_view()->content()->findChild<QLabel*>("title")->text(),
                 QStringLiteral("Radio information:"));
        // An 8-byte segment has no form.
    }

    void axle_ending_column()
    {
        CMainFrame window(chooser, messages);
        QVERIFY(window.open_archive(archive));
        auto* form = open_form<CRecordForm>(window, axles_file, 0);
        QVERIFY(form);
        QCOMPARE(form->computed_text(0), QStringLiteral("6"));  // 2 pieces from axle 5
        QCOMPARE(form->computed_text(1), QString());            // no pieces, no ending
        QVERIFY(!form->confirm_button()->isEnabled());           // until a value changes
        QLineEdit* pieces = new_edit(*form, "rudder: number of pieces of this type:");
        QVERIFY(pieces);
        QTest::keyClicks(pieces, "3");  // 03 pieces from axle 0: ends at 2
        QCOMPARE(form->computed_text(1), QStringLiteral("2"));
        QVERIFY(form->confirm_button()->isEnabled());
    }

    void confirm_writes_exactly_the_field_data()
    {
        QTest::addColumn<int>("file");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("at");
        QTest::addColumn<QByteArray>("bytes");
        const auto ba = [](const Bytes& b) { return QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size())); };
        // 2.5f = 0x40200000, 1000.0f = 0x447A0000, 0.5f = 0x3F000000.
        QTest::newRow("trim 2130") << trim_2130_file << 0 << "Horizontal Trim Scale:" << "2.5" << 0 << ba(le32(0x40200000));
        QTest::newRow("gear max force") << int(demo::demo_segments) << 2 << "Max. Force:" << "1000" << 80
                                        << ba(le32(0x447A0000));
        QTest::newRow("axles: new value 300 keeps its low byte") << axles_file << 0
                                                                 << "elevators: number of pieces of this type:" << "300"
                                                                 << 0 << ba({44});
        // The turbofan shows its maximum power in thousands: 7 is stored as 7000.0f = 0x45DAC000.
        QTest::newRow("turbofan max power") << segments_file << turbofan_item << "Max. Power (K):" << "7" << 58
                                            << ba(le32(0x45DAC000));
        QTest::newRow("gear keeps what no edit changed") << segments_file << gear_item << "Max. Force:" << "1000" << 80
                                                         << ba(le32(0x447A0000));
        QTest::newRow("twin-engine sound pa") << player_sound_file << 0 << " pa" << "0.5" << 4 << ba(le32(0x3F000000));
    }
    void confirm_writes_exactly_the_field()
    {
        QFETCH(int, file);
        QFETCH(int, item);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(int, at);
        QFETCH(QByteArray, bytes);
        CMainFrame window(chooser, messages);
        QVERIFY(window.open_archive(archive));
        const Bytes before = stored_item(file, item);
        QVERIFY(!before.empty());
        auto* form = open_form<CRecordForm>(window, file, item);
        QVERIFY(form);
        QLineEdit* edit = new_edit(*form, qPrintable(field));
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);  // Enter confirms
        QCOMPARE(ws->sink.infos(), std::vector<std::string>{"Import Completed"});
        const Bytes expected = patched(before, std::size_t(at), Bytes(bytes.begin(), bytes.end()));
        QCOMPARE(stored_item(file, item), expected);
        // Reselected: the new form shows the saved value as the current one.
        auto* reloaded = qobject_cast<CRecordForm*>(window.display_view()->content());
        QVERIFY(reloaded && reloaded != form);
    }

    void model_code_keeps_the_material_between_records()
    {
        CMainFrame window(chooser, messages);
        QVERIFY(window.open_archive(archive));
        auto material = [&] { return window.display_view()->content()->findChild<QComboBox*>("material"); };
        window.tree_view()->select_node(demo::demo_segments, 1);  // a contact point: "ff02" at first
        QCOMPARE(material()->currentText(), QStringLiteral("ff02"));
        material()->setCurrentText("ff05");
        QVERIFY(window.display_view()->content()->findChild<QPlainTextEdit*>("model_code")->toPlainText().contains(
            "0,N,0,ff05,(0,4,3);"));
        window.tree_view()->select_node(demo::demo_segments, 2);  // the gear keeps its own
        QCOMPARE(material()->currentText(), QStringLiteral("ff0a"));
        window.tree_view()->select_node(demo::demo_segments, 1);
        QCOMPARE(material()->currentText(), QStringLiteral("ff05"));
    }

    void play_buttons_play_each_halfs_sound()
    {
        Bytes twin(174, 0);
        const RecordSpec* kind = find_record_spec(26991, twin);
        QVERIFY(kind);
        auto record = load_record(*kind, twin);
        QVERIFY(record);
        std::vector<int> played;
        CRecordForm form(*record, FormContext{nullptr, {}, [&](int id) { played.push_back(id); }, {}});
        const auto index = find_field(*kind, "Starting 1: sound");
        QVERIFY(index);
        QWidget* pair = form.new_value_widget(*index);
        pair->findChild<QLineEdit*>("half_0")->setText("11005");
        pair->findChild<QLineEdit*>("half_1")->setText("26001");
        for (int half : {1, 0})
            QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("play_%1_%2").arg(*index).arg(half)),
                              Qt::LeftButton);
        QCOMPARE(played, (std::vector<int>{26001, 11005}));
    }

    void flap_record_grows_with_its_steps()
    {
        CMainFrame window(chooser, messages);
        QVERIFY(window.open_archive(archive));
        auto* form = open_form<CRecordForm>(window, flaps_file, 0);
        QVERIFY(form);
        auto* steps = qobject_cast<QComboBox*>(form->new_value_widget(0));
        QVERIFY(steps);
        steps->setCurrentText("3");
        QLineEdit* third = new_edit(*form, "Flap Positions: 3");
        QVERIFY(third);
        third->setText("30");
        QTest::keyClick(steps, Qt::Key_Return);  // Enter confirms from a list too
        QCOMPARE(ws->sink.infos(), std::vector<std::string>{"Import Completed"});
        // 3.0f, 10.0f, 20.0f, 30.0f.
        Bytes expected = le32(0x40400000);
        for (std::uint32_t v : {0x41200000u, 0x41A00000u, 0x41F00000u}) {
            const Bytes b = le32(v);
            expected.insert(expected.end(), b.begin(), b.end());
        }
        QCOMPARE(stored_item(flaps_file, 0), expected);
    }

    void bad_number_stops_the_save()
    {
        CMainFrame window(chooser, messages);
        QVERIFY(window.open_archive(archive));
        const Bytes before = stored_item(trim_2130_file, 0);
        auto* form = open_form<CRecordForm>(window, trim_2130_file, 0);
        QVERIFY(form);
        new_edit(*form, "Horizontal Trim Scale:")->setText("fast");
        QVERIFY(!form->confirm());
        QCOMPARE(ws->sink.errors().size(), std::size_t(1));
        QVERIFY(ws->sink.infos().empty());
        QCOMPARE(stored_item(trim_2130_file, 0), before);
    }

    void escape_reverts_and_empty_edit_disables()
    {
        CMainFrame window(chooser, messages);
        QVERIFY(window.open_archive(archive));
        auto* form = open_form<CRecordForm>(window, trim_2130_file, 0);
        QVERIFY(form);
        QLineEdit* edit = new_edit(*form, "Horizontal Trim Scale:");
        edit->clear();
        emit edit->textEdited(QString());
        QVERIFY(!form->confirm_button()->isEnabled());
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(edit->text(), QStringLiteral("1.5"));
        QVERIFY(form->confirm_button()->isEnabled());
    }

    void shown_only_form_refuses_saving()
    {
        CMainFrame window(chooser, messages);
        QVERIFY(window.open_archive(archive));
        const Bytes before = stored_item(voices_file, 0);
        auto* form = open_form<CRecordForm>(window, voices_file, 0);
        QVERIFY(form);
        QVERIFY(!form->confirm_button()->isEnabled());
        QVERIFY(!form->confirm());
        QCOMPARE(ws->sink.errors(), std::vector<std::string>{"This record is shown only and cannot be saved"});
        QCOMPARE(stored_item(voices_file, 0), before);
    }

    void name_form_pads_the_shorter_name()
    {
        CMainFrame window(chooser, messages);
        QVERIFY(window.open_archive(archive));
        const Bytes before = stored_item(demo::demo_name, 1);
        auto* form = open_form<CAircraftNameDialog>(window, demo::demo_name, 0);
        QVERIFY(form);
        QCOMPARE(form->current_name()->text(), QStringLiteral("Demo Flyer"));
        QCOMPARE(form->new_name()->maxLength(), 10);
        // A character the game's single-byte text cannot hold is refused.
        form->new_name()->setText(QStringLiteral("D\u03A9mo"));
        QVERIFY(!form->confirm());
        QCOMPARE(ws->sink.errors(), std::vector<std::string>{"Error: '\u03A9' cannot be written in the game's texts (Windows-1252)"});
        QCOMPARE(stored_item(demo::demo_name, 1), before);
        form->new_name()->setText(QStringLiteral("D\u00E9mo"));
        QVERIFY(form->confirm());
        // The name at offset 5: "Démo" with é as its one byte 0xE9, and six
        // spaces; the description where it was.
        const Bytes name = {'D', 0xE9, 'm', 'o', ' ', ' ', ' ', ' ', ' ', ' '};
        QCOMPARE(stored_item(demo::demo_name, 1), patched(before, 5, name));
        form = open_form<CAircraftNameDialog>(window, demo::demo_name, 0);
        QVERIFY(form);
        QCOMPARE(form->current_name()->text(), QStringLiteral("D\u00E9mo      "));
    }

    void prop_editor_base_shape_and_stripe_notice()
    {
        CMainFrame window(chooser, messages);
        QVERIFY(window.open_archive(archive));
        const Bytes before = stored_item(prop_file, 0);
        auto* form = open_form<CPropEdDialog>(window, prop_file, 0);
        QVERIFY(form);
        QCOMPARE(form->edit_at(36)->text(), QStringLiteral("3"));    // blades
        QCOMPARE(form->edit_at(40)->text(), QStringLiteral("1.1"));  // length
        QCOMPARE(form->palette_list()->itemText(0), QStringLiteral("The Plane Palette"));
        // Base shape 3: points (0,0), (0.1,0.05), (0.6,0.08), (1,0.08).
        form->base_shape()->setCurrentIndex(1);
        emit form->base_shape()->activated(1);
        QCOMPARE(form->edit_at(116 + 8)->text(), QStringLiteral("0.08"));
        QCOMPARE(form->edit_at(148 + 8)->text(), QStringLiteral("0.6"));
        // Preview in a 200 x 100 box: point 2 at (200 × 0.6, 50 + 100 × 0.08).
        const auto points = prop_shape_points(form->record(), 200, 100);
        QCOMPARE(points.size(), std::size_t(8));
        QVERIFY(qAbs(points[2].x - 120) < 1e-3 && qAbs(points[2].y - 58) < 1e-3);
        // The slider moved stripe marker 1 to 50: stripe position 1 = 0.5.
        emit form->stripe_slider()->notify(11, 500000);
        QVERIFY(form->save());
        Bytes expected = patched(before, 84, le32(0x3F000000));
        expected = patched(expected, 112, le32(3));
        // Widths 0, 0.05, 0.08, 0.08, then lengths 0, 0.1, 0.6, 1.0; the other points 0.
        const std::uint32_t widths[8] = {0, 0x3D4CCCCD, 0x3DA3D70A, 0x3DA3D70A};
        const std::uint32_t lengths[8] = {0, 0x3DCCCCCD, 0x3F19999A, 0x3F800000};
        for (std::size_t k = 0; k < 8; ++k) {
            expected = patched(expected, 116 + 4 * k, le32(widths[k]));
            expected = patched(expected, 148 + 4 * k, le32(lengths[k]));
        }
        QCOMPARE(stored_item(prop_file, 0), expected);
    }

    void slider_notices()
    {
        CMultiSlider slider(slider_colour_menu | slider_colour_menu_on | slider_remove_outside, SliderRange{0, 100});
        slider.resize(212, 30);  // a 200-pixel track
        slider.set_markers({{0, 0}, {40, 1}, {80, 2}});
        QSignalSpy notices(&slider, &CMultiSlider::notify);
        slider.drop_marker(1, QPoint(6 + 100, 10));  // to 50
        QCOMPARE(notices.size(), 1);
        QCOMPARE(notices.at(0).at(0).toInt(), 11);
        QCOMPARE(notices.at(0).at(1).toInt(), 500000);
        slider.choose_colour(2, 101);  // "Color 2" on the interval marker 2 starts
        QCOMPARE(notices.at(1).at(0).toInt(), 2);
        QCOMPARE(notices.at(1).at(1).toInt(), 1);
        slider.drop_marker(0, QPoint(400, 10));  // outside: removed, no value notice
        QCOMPARE(slider.markers().size(), std::size_t(2));
        QCOMPARE(notices.size(), 2);
        QCOMPARE(slider.interval_at(6 + 180), 1);  // past the marker at 80, now the second
        // With the mouse: the first marker, now at 50, dragged to 75.
        QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(6 + 100, 20));
        QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(6 + 150, 20));
        QCOMPARE(notices.size(), 3);
        QCOMPARE(notices.at(2).at(0).toInt(), 10);
        QCOMPARE(notices.at(2).at(1).toInt(), 750000);
        // With the keys: the second marker (80) one step left.
        QTest::keyClick(&slider, Qt::Key_Down);
        QTest::keyClick(&slider, Qt::Key_Left);
        QCOMPARE(notices.at(3).at(0).toInt(), 11);
        QCOMPARE(notices.at(3).at(1).toInt(), 799000);  // 79.9 × 10000
    }

    void colour_bar_measures_from_the_bottom()
    {
        // Ends 10 (bottom) and 20 (top); red from 10, blue from 15, the rest empty at 20.
        CColorBar bar;
        bar.resize(20, 100);
        CColorBar::Settings settings;
        settings.bottom = 10;
        settings.top = 20;
        settings.pairs = {{{Qt::red, 10}, {Qt::blue, 15}, {Qt::green, 20}, {Qt::green, 20}, {Qt::green, 20},
                           {Qt::green, 20}}};
        bar.set_settings(settings);
        const QImage image = bar.grab().toImage();
        QCOMPARE(image.pixelColor(10, 90), QColor(Qt::red));
        QCOMPARE(image.pixelColor(10, 40), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(10, 5), QColor(Qt::blue));
    }
};

MW_GUI_SUITE("forms", RecordFormsTest)

}  // namespace mw::test

#include "record_forms_test.moc"
