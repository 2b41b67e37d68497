#include <gtest/gtest.h>

#include "aircraft/catalogue.h"
#include "aircraft/field_text.h"
#include "aircraft/record.h"

namespace mw::test {
namespace {

Bytes item_of(std::size_t length, std::uint8_t type_byte = 0)
{
    Bytes b(length, 0);
    if (length) b[0] = type_byte;
    return b;
}

struct SegmentRow {
    int length;
    const char* info;
    const char* form;
};

// The segment table: each length with its type text and form.
const SegmentRow segment_rows[] = {
    {1, "AEROTYPE_ANTIICE", "CAntiIceDlg"},
    {2, "AEROTYPE_FUELSYSTEM", "CFuelSystemDlg"},
    {5, "AEROTYPE_OVERRIDE_DEFAULT", "CAPhy5FloatDlg"},
    {6, "AEROTYPE_SHOCKABSORBER/_5WAYSTARTER", "CAPhy6FloatDlg"},
    {7, "AEROTYPE_GEARDOOR", "CAPhy7FloatDlg"},
    {9, "AEROTYPE_YAWDAMPER", "CYawDamperDlg"},
    {10, "AEROTYPE_WHEELINFO", "CWheelInfoDlg"},
    {12, "AEROTYPE_MODELOFFSET", "CModelOffsetDlg"},
    {13, "AEROTYPE_WARNINGS", "CWarningsDlg"},
    {14, "AEROTYPE_WHEELOFFSET", "CTailDraggerDlg"},
    {17, "AEROTYPE_TRIMINFO", "CTrimInfoDlg"},
    {18, "AEROTYPE_CONTACT", "CAPhyContactPoint"},
    {19, "AEROTYPE_POWERINFO", "CPowerInfoDlg"},
    {21, "AEROTYPE_RUMBLE_INFO or AEROTYPE_RADIO", "CRumbleDlg"},
    {25, "AEROTYPE_CAUTIONS", "CCautionsDlg"},
    {27, "AEROTYPE_REVTHRUST", "CReverseDlg"},
    {42, "AEROTYPE_MASS", "CInternalMassDlg"},
    {45, "AEROTYPE_AVIONICSOUND", "CAvionicSoundDlg"},
    {47, "AEROTYPE_FUEL", "CFuelTankDlg"},
    {61, "AEROTYPE_AUTOPILOT", "CAutoPilotDlg"},
    {66, "AEROTYPE_DRAG", "CDragBodyDlg"},
    {71, "AEROTYPE_PONTOON", "CPontoonDlg"},
    {73, "AEROTYPE_CONFIGINFO", "CAPhyConfigDlg"},
    {90, "AEROTYPE_TURBOFAN JET ENGINE", "CTurboFanDlg"},
    {96, "AEROTYPE_PROPENGINE", "CPropEngDlg"},
    {101, "AEROTYPE_GEAR", "CLandGearDlg"},
    {109, "AEROTYPE_AIRFOIL", "CAirFoilDlg"},
    {122, "AEROTYPE_AIRFOIL2", "CAirFoil2Dlg"},
};

TEST(RecordCatalogue, EverySegmentLengthHasItsFormTextAndNoticeCode)
{
    for (const SegmentRow& row : segment_rows) {
        SCOPED_TRACE(row.length);
        const RecordSpec* spec = find_record_spec(res_physics_segments, item_of(std::size_t(row.length)));
        ASSERT_NE(spec, nullptr);
        EXPECT_EQ(spec->form_class, row.form);
        EXPECT_EQ(spec->info_text, row.info);
        EXPECT_EQ(segment_info_text(std::size_t(row.length)), row.info);
        const int code = std::stoi("2138" + std::string(row.length < 10 ? "0" : "") + std::to_string(row.length));
        EXPECT_EQ(spec->notice_code, spec->saves() ? code : 0);
    }
    // The anti-ice form only shows its segment.
    EXPECT_FALSE(find_record_spec(res_physics_segments, item_of(1))->saves());
    EXPECT_EQ(segment_notice_code(5), 213805);
    EXPECT_EQ(segment_notice_code(109), 2138109);
}

TEST(RecordCatalogue, SegmentOfEightBytesHasNoForm)
{
    EXPECT_EQ(find_record_spec(res_physics_segments, item_of(8)), nullptr);
    EXPECT_EQ(find_record_kind(res_physics_segments, 8), nullptr);
    EXPECT_EQ(segment_info_text(8), "");
    EXPECT_EQ(find_record_spec(1400, item_of(4)), nullptr);
}

TEST(RecordCatalogue, TrimEntriesShareNoticeCodeAndDifferInLabel)
{
    const struct {
        int id;
        const char* label;
    } rows[] = {{2130, "Horizontal Trim Scale:"},
                {2131, "Elevator Takeoff Trim:"},
                {2132, "Rudder Trim Scale:"},
                {2133, "Maximum flap speed (knots):"},
                {2136, "Auto coordinated rudder constant:"}};
    for (const auto& row : rows) {
        const RecordSpec* spec = find_record_spec(row.id, item_of(4));
        ASSERT_NE(spec, nullptr) << row.id;
        EXPECT_EQ(spec->form_class, "CAPhy4FloatDlg");
        EXPECT_EQ(spec->notice_code, 2130) << row.id;
        EXPECT_EQ(spec->notice_message, 3);
        ASSERT_EQ(spec->fields.size(), 1u);
        EXPECT_EQ(spec->fields[0].label, row.label);
    }
}

TEST(RecordCatalogue, RecordKindsByResource)
{
    const struct {
        int id;
        std::size_t length;
        const char* form;
        int message;
        int code;
        int layout;
    } rows[] = {
        {2052, 40, "CAircraftNameDialog", 1, 0, 0},
        {2054, 22, "CAxleDlg", 3, 2054, 22},
        {2055, 6, "CCockpit", 3, 2055, 6},
        {2056, 180, "CPropEdDialog", 2, 0, 180},
        {2134, 16, "CAPhyBkForceDlg", 3, 2134, 16},
        {2135, 12, "CAPhyFlapsDlg", 3, 2135, 52},
        {2137, 12, "CAPhyDampDlg", 3, 2137, 12},
        {11004, 30, "CCallSndDlg", 0, 0, 30},
        {11405, 84, "CVoicesDlg", 0, 0, 84},
        {11500, 30, "CCallDlg", 0, 0, 14},
        {26991, 174, "CPlayerSndDlg2", 3, 269918, 174},
        {26991, 178, "CPlayerSndDlg", 3, 269918, 178},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.id);
        Bytes item(row.length, 0);
        if (row.id == 26991 && row.length == 178) put_u32(&item[28], std::uint32_t(-2));
        const RecordSpec* spec = find_record_spec(row.id, item);
        ASSERT_NE(spec, nullptr);
        EXPECT_EQ(spec->form_class, row.form);
        EXPECT_EQ(spec->notice_message, row.message);
        EXPECT_EQ(spec->notice_code, row.code);
        EXPECT_EQ(spec->length, row.layout);
        EXPECT_EQ(find_record_kind(row.id, row.length)->form_class, row.form);
    }
}

TEST(RecordCatalogue, PlayerSoundLayoutFollowsLengthThenFieldEight)
{
    Bytes twin(174, 0);
    put_u32(&twin[28], std::uint32_t(-2));  // never read as single-engine: 174 bytes is twin
    const RecordSpec* spec = find_record_spec(res_player_sound, twin);
    ASSERT_NE(spec, nullptr);
    EXPECT_EQ(spec->form_class, "CPlayerSndDlg2");

    Bytes single(178, 0);
    put_u32(&single[28], std::uint32_t(-2));
    spec = find_record_spec(res_player_sound, single);
    ASSERT_NE(spec, nullptr);
    EXPECT_EQ(spec->form_class, "CPlayerSndDlg");
    EXPECT_TRUE(spec->saves());

    put_u32(&single[28], std::uint32_t(-1));
    spec = find_record_spec(res_player_sound, single);
    ASSERT_NE(spec, nullptr);
    EXPECT_EQ(spec->form_class, "CPlayerSndDlg");
    EXPECT_FALSE(spec->saves());
    EXPECT_EQ(spec->length, 174);
}

// Labels are the forms' own texts, repeats and blanks included; the names
// used to pick a field tell such fields apart.
TEST(RecordCatalogue, LabelsAreTheFormsTextsAndNamesTellRepeatsApart)
{
    Bytes single(178, 0);
    put_u32(&single[28], std::uint32_t(-2));
    const struct {
        int resource_id;
        Bytes item;
        int offset;
        const char* label;
        const char* key;
    } rows[] = {
        {res_player_sound, single, 16, "Freq. multiplier:", "Wind Freq. multiplier:"},
        {res_player_sound, single, 20, "Freq. multiplier:", "Wind Freq. multiplier: (2)"},
        {res_player_sound, single, 64, "RPMs Min:", "Cruise RPMs Min:"},
        {res_player_sound, single, 68, "Max:", "Cruise RPMs Max:"},
        {res_player_sound, single, 76, " Volume Min:", "Cruise Volume Min:"},
        {res_player_sound, single, 80, "Max:", "Cruise Volume Max:"},
        {res_player_sound, single, 92, "Min:", "Idle RPMs Min:"},
        {res_player_sound, single, 96, "Max:", "Idle RPMs Max:"},
        {res_player_sound, single, 100, "Sample:", "Idle Sample:"},
        {res_player_sound, single, 104, "Min:", "Idle Volume Min:"},
        {res_player_sound, single, 108, "Max:", "Idle Volume Max:"},
        {2137, Bytes(12, 0), 4, "", "constant 2"},
        {res_physics_segments, Bytes(71, 0), 67, "", "control value"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.key);
        const RecordSpec* spec = find_record_spec(row.resource_id, row.item);
        ASSERT_NE(spec, nullptr);
        const auto index = field_index_at(*spec, row.offset);
        ASSERT_TRUE(index.has_value());
        EXPECT_EQ(spec->fields[*index].label, row.label);
        EXPECT_EQ(field_key(spec->fields[*index]), row.key);
        EXPECT_EQ(find_field(*spec, row.key), index);
    }
    EXPECT_EQ(find_field(*find_record_spec(2137, Bytes(12, 0)), ""), std::nullopt);
}

TEST(RecordCatalogue, SegmentTypeChoosesLabelsAndTitles)
{
    const struct {
        int length;
        int type;
        const char* title;
        int field;
        const char* label;
    } rows[] = {
        {5, 28, "This entry will override the default value", 1, "Flap speed degrees per second"},
        {5, 29, "This entry will override the default value", 1, "Toe brake scale"},
        {6, 25, "Engine has a wacky 5-way starter switch", 1, "Engine number:"},
        {6, 30, "absorber info for a specific landing gear number", 1, "landing gear number:"},
        {17, 11, "Trim Information (unknow values)", 1, "val.1"},
        {17, 15, "Spoiler (unknow values)", 1, "val.1"},
        {17, 3, "Segment unknow (unknow values)", 1, "val.1"},
        {21, 21, "rumble sound play by:", 1, "gear"},
        {21, 10, "Radio information:", 5, "position x,y,z"},
        {21, 7, "Radio information:", 5, "position x,y,z"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.length) + "/" + std::to_string(row.type));
        const RecordSpec* spec = find_record_spec(res_physics_segments, item_of(std::size_t(row.length), std::uint8_t(row.type)));
        ASSERT_NE(spec, nullptr);
        EXPECT_EQ(spec->title, row.title);
        EXPECT_EQ(spec->fields[std::size_t(row.field)].label, row.label);
    }
}

TEST(RecordCatalogue, ModelCodeForTheTenLocatedForms)
{
    const struct {
        int length;
        ModelSolid solid;
        const char* prefix;
        const char* material;
    } rows[] = {{18, ModelSolid::octahedron, "cp_", "ff02"}, {42, ModelSolid::box, "mass_", "ff06"},
                {109, ModelSolid::box, "foil_", "ff07"},     {122, ModelSolid::box, "foil2_", "ff07"},
                {66, ModelSolid::box, "drag_", "ff08"},      {47, ModelSolid::box, "fuel_", "ff09"},
                {101, ModelSolid::box, "gear_", "ff0a"},     {96, ModelSolid::box, "peng_", "ff0b"},
                {90, ModelSolid::box, "turbo_", "ff0b"},     {71, ModelSolid::box, "pont_", "ff0c"}};
    int with_code = 0;
    for (const RecordSpec& spec : record_catalogue()) with_code += spec.model_code.solid != ModelSolid::none;
    EXPECT_EQ(with_code, 10);
    for (const auto& row : rows) {
        const RecordSpec* spec = find_record_spec(res_physics_segments, item_of(std::size_t(row.length)));
        ASSERT_NE(spec, nullptr);
        EXPECT_EQ(spec->model_code.solid, row.solid);
        EXPECT_EQ(spec->model_code.name_prefix, row.prefix);
        EXPECT_EQ(spec->model_code.default_material, row.material);
    }
}

}  // namespace
}  // namespace mw::test
