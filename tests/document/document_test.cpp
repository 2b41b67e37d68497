#include <gtest/gtest.h>

#include "archive/dcl/dcl.h"
#include "document/info_text.h"
#include "document/marrowick_doc.h"
#include "document/recording_views.h"
#include "support/res_builder.h"
#include "support/workspace_fixture.h"
#include "types/type_detection.h"

namespace mw::test {
namespace {

Bytes filled(std::size_t n, std::uint8_t value) { return Bytes(n, value); }

class DocumentTest : public WorkspaceFixture {
protected:
    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        views.doc = &doc;
    }

    std::filesystem::path write(const ResBuilder& builder, const std::string& name = "a.res")
    {
        builder.write(scratch() / name);
        return scratch() / name;
    }

    // Voices, sounds, textures, model definition, model, palette, cockpit,
    // name, physics 2130 ... 2137 and the 2138 flight model.
    static ResBuilder aircraft_archive(bool second_sound = false)
    {
        ResBuilder b;
        b.raw(11005, filled(8, 1));                       // 1
        b.raw(26001, {'R', 'I', 'F', 'F', 0, 0, 0, 0});   // 2
        b.raw(1971, filled(12, 3));
        Bytes definition(16, 0);
        put_u16(&definition[12], 3000);
        b.raw(2053, definition);
        b.raw(3000, filled(20, 4));
        b.raw(2059, filled(768, 5));
        b.raw(2900, filled(960038, 6));
        b.compound_items(2052, {filled(30, 'N'), filled(200, 'D')});
        for (std::uint16_t id = 2130; id <= 2137; ++id) b.raw(id, filled(16 + (id - 2130), std::uint8_t(id)));
        b.compound_items(2138, {filled(2, 1), filled(2, 2), filled(45, 3), filled(7, 4), filled(33, 5)});
        if (second_sound) b.raw(26001, {'R', 'I', 'F', 'F', 1, 1, 1, 1});  // a seventh key entry
        return b;
    }

    RecordingViews views;
    CMarrowickDoc doc{views};
};

TEST_F(DocumentTest, LoadingSetsTitleAndRootSelectionShowsThePath)
{
    const auto path = write(ResBuilder().raw(5, filled(10, 1)));
    // Opened by a name relative to the current folder: the title shows the full path.
    const auto folder_before = std::filesystem::current_path();
    std::filesystem::current_path(path.parent_path());
    const int opened = doc.open_archive(path.filename());
    std::filesystem::current_path(folder_before);
    ASSERT_EQ(opened, 0);
    EXPECT_EQ(views.title, "Marrowick for Cloudmere - " + path.string());
    EXPECT_EQ(views.log.back(), "fill_tree");
    EXPECT_EQ(workspace().last_open_dir(), scratch().string());
    doc.select(0, 0);
    EXPECT_EQ(views.info, path.string());
    EXPECT_EQ(views.log.back(), "clear_display");

    EXPECT_EQ(doc.open_archive(scratch() / "missing.res"), -1);
    EXPECT_EQ(views.title, "Marrowick for Cloudmere");
    EXPECT_EQ(views.log.back(), "clear_tree");
}

TEST_F(DocumentTest, InformationTextLayout)
{
    workspace().reset();
    write_text(program_folder() / "resid.def", "Sounds 26001 26001\n");
    ASSERT_EQ(workspace().setup_in(program_folder()), 0);
    ASSERT_EQ(doc.open_archive(write(ResBuilder().raw(7, filled(10, 1)).raw(26001, {'R', 'I', 'F', 'F'}))), 0);
    doc.select(1, 0);
    EXPECT_EQ(views.info,
              "Type                          : Unknown\r\n"
              "Resource ID              : 7    \r\n"
              "Compressed Size     : 10\r\n"
              "Uncompressed Size : 10");
    EXPECT_EQ(views.shown.back(), (DisplayRequest{temp_folder() / "mw3792_a_001_7.unknown", 0, 0, display_to_end}));
    doc.select(2, 0);
    EXPECT_EQ(views.info,
              "Type                          : Sound\r\n"
              "Resource ID              : 26001    Sounds\r\n"
              "Compressed Size     : 4\r\n"
              "Uncompressed Size : 4");
    EXPECT_EQ(views.shown.back().kind, 1);
}

TEST_F(DocumentTest, CompoundEntryShowsItsFirstItemByDefault)
{
    ResBuilder b;
    b.compound_items(300, {filled(10, 1), filled(20, 2), filled(30, 3)});
    ASSERT_EQ(doc.open_archive(write(b)), 0);
    doc.select(1, 0);
    EXPECT_EQ(doc.selected_item(), 1);
    EXPECT_EQ(views.shown.back().start, 0u);
    EXPECT_EQ(views.shown.back().end, 10u);
    doc.select(1, 3);
    EXPECT_EQ(doc.selected_item(), 3);
    EXPECT_EQ(views.shown.back().end, display_to_end);
    EXPECT_EQ(views.shown.back().file, temp_folder() / "mw3792_a_001_300_item3.unknown");
}

// The type text and display kind of each resource ID, in aircraft archives and others.
TEST(SelectionKinds, EveryRowOfTheTable)
{
    const struct {
        int id;
        bool aircraft;
        const char* type_text;
        int kind;
    } rows[] = {
        {1388, false, "Unknown", 0},          {1389, false, "Unknown", 13891468}, {1468, false, "Unknown", 13891468},
        {1469, false, "Unknown", 0},          {1400, true, "Unknown", 0},         {11004, false, "Unknown", 0},
        {11004, true, "Aircraft Call Voices", 11004},        {11405, true, "ATC / Pilots Voices", 11405},
        {11500, true, "Aircraft Call Editor", 11500},        {2054, true, "Aircraft Axles Editor", 2054},
        {2055, true, "Cockpit Axles Editor", 2055},          {2056, true, "Prop Editor", 2056},
        {2130, true, "Air Physic Trim", 2130},               {2133, true, "Air Physic Trim", 2133},
        {2136, true, "Air Physic Trim", 2136},               {2134, true, "Air Physic Break Force", 2134},
        {2135, true, "Air Physic Flap Steps/Positions", 2135}, {2137, true, "Air Physic Damper", 2137},
        {26991, true, "PLAYER_SOUND_DEFINITION", 26991},     {2139, true, "Unknown", 0},
    };
    for (const auto& row : rows) {
        ResEntry entry;
        entry.resource_id = std::uint16_t(row.id);
        entry.type_handler = create_file_type(0);
        const SelectionView view = classify_selection(entry, 0, row.aircraft);
        EXPECT_EQ(view.type_text, row.type_text) << row.id << (row.aircraft ? " aircraft" : "");
        EXPECT_EQ(view.display_kind, row.kind) << row.id << (row.aircraft ? " aircraft" : "");
    }
}

TEST(SelectionKinds, SegmentTypeTextsBySize)
{
    const std::pair<std::uint32_t, const char*> sizes[] = {
        {1, "AEROTYPE_ANTIICE"}, {109, "AEROTYPE_AIRFOIL"}, {122, "AEROTYPE_AIRFOIL2"}, {101, "AEROTYPE_GEAR"},
        {61, "AEROTYPE_AUTOPILOT"}, {71, "AEROTYPE_PONTOON"}, {90, "AEROTYPE_TURBOFAN JET ENGINE"},
        {96, "AEROTYPE_PROPENGINE"}, {73, "AEROTYPE_CONFIGINFO"}, {42, "AEROTYPE_MASS"}, {45, "AEROTYPE_AVIONICSOUND"},
        {47, "AEROTYPE_FUEL"}, {21, "AEROTYPE_RUMBLE_INFO or AEROTYPE_RADIO"}, {66, "AEROTYPE_DRAG"},
        {14, "AEROTYPE_WHEELOFFSET"}, {10, "AEROTYPE_WHEELINFO"}, {9, "AEROTYPE_YAWDAMPER"}, {13, "AEROTYPE_WARNINGS"},
        {27, "AEROTYPE_REVTHRUST"}, {25, "AEROTYPE_CAUTIONS"}, {12, "AEROTYPE_MODELOFFSET"}, {17, "AEROTYPE_TRIMINFO"},
        {18, "AEROTYPE_CONTACT"}, {19, "AEROTYPE_POWERINFO"}, {6, "AEROTYPE_SHOCKABSORBER/_5WAYSTARTER"},
        {7, "AEROTYPE_GEARDOOR"}, {5, "AEROTYPE_OVERRIDE_DEFAULT"}, {2, "AEROTYPE_FUELSYSTEM"}, {8, ""}, {0, ""},
    };
    for (const auto& [size, text] : sizes) EXPECT_EQ(aerotype_text(size, 2), text) << size;
    EXPECT_EQ(aerotype_text(2, 1), "");
}

TEST_F(DocumentTest, AircraftArchiveRows)
{
    ASSERT_EQ(doc.open_archive(write(aircraft_archive())), 0);
    ASSERT_TRUE(doc.analysis().aircraft_archive);
    EXPECT_EQ(doc.analysis().key_entries, (std::vector<int>{0, 1, 2, 4, 5, 6}));
    EXPECT_EQ(doc.analysis().model_id, 3000);
    EXPECT_EQ(doc.analysis().model_entry, 4);
    EXPECT_EQ(doc.analysis().trim_entry, 8);
    EXPECT_EQ(doc.analysis().texture_base_entry, 2);
    EXPECT_FLOAT_EQ(doc.analysis().default_model_distance, 10.0f);

    // The name record as a whole: item 2's size from offset 0.
    doc.select(8, 0);
    EXPECT_EQ(doc.selected_item(), 0);
    EXPECT_EQ(views.info.substr(0, 61), "Type                          : Aircraft name and description");
    EXPECT_EQ(views.shown.back(), (DisplayRequest{temp_folder() / "mw3792_a_008_2052.unknown", 2052, 0, 200}));
    doc.select(8, 1);
    EXPECT_EQ(views.shown.back().kind, 0);

    doc.select(9, 0);  // 2130
    EXPECT_EQ(views.shown.back().kind, 2130);
    EXPECT_NE(views.info.find("Air Physic Trim"), std::string::npos);
    doc.select(13, 0);  // 2134
    EXPECT_NE(views.info.find("Air Physic Break Force"), std::string::npos);

    // 2138: item 1 of 2 bytes is generic, item 2 of 2 bytes the fuel system, 45 bytes avionics sound.
    doc.select(17, 1);
    EXPECT_EQ(views.shown.back().kind, 0);
    EXPECT_EQ(views.info.substr(0, 39), "Type                          : Unknown");
    doc.select(17, 2);
    EXPECT_EQ(views.shown.back().kind, 2138);
    EXPECT_NE(views.info.find("AEROTYPE_FUELSYSTEM"), std::string::npos);
    doc.select(17, 3);
    EXPECT_NE(views.info.find("AEROTYPE_AVIONICSOUND"), std::string::npos);
    doc.select(17, 4);
    EXPECT_NE(views.info.find("AEROTYPE_GEARDOOR"), std::string::npos);
    doc.select(17, 5);  // 33 bytes: no such segment
    EXPECT_EQ(views.shown.back().kind, 0);
}

TEST_F(DocumentTest, TexturesAreExtractedFromTheTextureBase)
{
    ASSERT_EQ(doc.open_archive(write(aircraft_archive())), 0);
    doc.extract_textures({0, 1, 40});  // texture 40 lies past the archive: reported, the rest go on
    EXPECT_EQ(read_bytes(temp_folder() / "mw3792_texture0.bmp"), filled(12, 3));
    Bytes model_definition(16, 0);  // the entry after the texture base
    put_u16(&model_definition[12], 3000);
    EXPECT_EQ(read_bytes(temp_folder() / "mw3792_texture1.bmp"), model_definition);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#1096: Invalid Item Index"});
}

TEST_F(DocumentTest, WithoutATextureEntryNoTextureIsExtractedAndTheModelDistanceStaysTen)
{
    ASSERT_EQ(doc.open_archive(write(ResBuilder().raw(5, filled(10, 1)).raw(3000, filled(20, 4)))), 0);
    EXPECT_EQ(doc.analysis().texture_base_entry, -1);
    EXPECT_FLOAT_EQ(doc.analysis().default_model_distance, 10.0f);
    doc.extract_textures({1});  // would have been entry 0, which is no texture
    EXPECT_FALSE(std::filesystem::exists(temp_folder() / "mw3792_texture1.bmp"));
    EXPECT_TRUE(errors().empty());
}

TEST_F(DocumentTest, NameRecordWithOneItemShowsItsWholeRange)
{
    ResBuilder b = aircraft_archive();
    ResBuilder single;
    // Rebuild with a one-item name record in front of the rest.
    single.compound_items(2052, {filled(30, 'N')});
    single.raw(11005, filled(8, 1)).raw(26001, {'R', 'I', 'F', 'F'}).raw(1971, filled(12, 3));
    Bytes definition(16, 0);
    put_u16(&definition[12], 3000);
    single.raw(2053, definition).raw(3000, filled(20, 4)).raw(2059, filled(768, 5)).raw(2900, filled(960038, 6));
    ASSERT_EQ(doc.open_archive(write(single)), 0);
    ASSERT_TRUE(doc.analysis().aircraft_archive);
    doc.select(1, 0);
    EXPECT_EQ(views.shown.back(), (DisplayRequest{temp_folder() / "mw3792_a_001_2052.unknown", 2052, 0, 30}));
}

TEST_F(DocumentTest, GotoNeedsExactlySixKeyEntries)
{
    ASSERT_EQ(doc.open_archive(write(aircraft_archive())), 0);
    for (int j = 0; j < 6; ++j) EXPECT_TRUE(doc.can_goto(j)) << j;
    EXPECT_TRUE(doc.can_import_flight_model());
    doc.goto_key_entry(key_cockpit);
    EXPECT_EQ(doc.selected_file(), 7);

    ASSERT_EQ(doc.open_archive(write(aircraft_archive(true), "b.res")), 0);
    EXPECT_TRUE(doc.analysis().key_entries.empty());
    EXPECT_FALSE(doc.analysis().aircraft_archive);
    for (int j = 0; j < 6; ++j) EXPECT_FALSE(doc.can_goto(j)) << j;
    EXPECT_FALSE(doc.can_import_flight_model());
}

TEST_F(DocumentTest, CockpitRuleFiresOnlyWithFiveListed)
{
    ResBuilder b;
    b.raw(2900, filled(960038, 6));  // too early: nothing is listed yet
    b.raw(11005, filled(8, 1)).raw(26001, {'R', 'I', 'F', 'F'}).raw(1971, filled(12, 3));
    Bytes definition(16, 0);
    put_u16(&definition[12], 3000);
    b.raw(2053, definition).raw(3000, filled(20, 4)).raw(2059, filled(768, 5));
    ASSERT_EQ(doc.open_archive(write(b)), 0);
    EXPECT_FALSE(doc.analysis().aircraft_archive);
    EXPECT_TRUE(doc.analysis().key_entries.empty());
}

TEST_F(DocumentTest, VariantArchiveUsesItsOwnRulesAndTheFallbackPalette)
{
    write_text(program_folder() / "cm2.pal", "JASC-PAL\r\n0100\r\n256\r\n");
    ResBuilder b;
    b.raw(1000, filled(4, 1)).raw(15051, filled(4, 2)).raw(26001, {'R', 'I', 'F', 'F'}).raw(2000, filled(4, 3));
    Bytes definition(16, 0);
    put_u16(&definition[12], 3000);
    b.raw(2053, definition).raw(3000, filled(4, 4));
    ASSERT_EQ(doc.open_archive(write(b)), 0);
    EXPECT_TRUE(doc.analysis().variant);
    EXPECT_EQ(doc.analysis().key_entries, (std::vector<int>{1, 2, 3, 5}));
    EXPECT_FALSE(doc.analysis().aircraft_archive);
    EXPECT_TRUE(doc.can_goto(key_models));
    EXPECT_FALSE(doc.can_goto(key_palette));
    EXPECT_EQ(doc.analysis().texture_base_entry, 3);
    EXPECT_EQ(read_text(temp_folder() / "mw3792_current.pal"), "JASC-PAL\r\n0100\r\n256\r\n");

    std::filesystem::remove(program_folder() / "cm2.pal");
    ASSERT_EQ(doc.open_archive(write(b)), 0);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error loading CM2 palette"});
}

TEST_F(DocumentTest, PaletteKeysPastTheListDoNothing)
{
    ASSERT_EQ(doc.open_archive(write(ResBuilder().raw(1, filled(768, 1)).raw(2, filled(768, 2)).raw(3, filled(768, 3)))), 0);
    EXPECT_EQ(doc.analysis().palettes, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(doc.current_palette(), 1);
    doc.select_palette(9);
    EXPECT_EQ(doc.current_palette(), 1);
    doc.next_palette();
    doc.next_palette();
    EXPECT_EQ(doc.current_palette(), 3);
    doc.next_palette();
    EXPECT_EQ(doc.current_palette(), 3);
    doc.select_palette(0);
    EXPECT_EQ(doc.current_palette(), 3);
    doc.previous_palette();
    EXPECT_EQ(doc.current_palette(), 2);
}

TEST_F(DocumentTest, DialogFilters)
{
    ASSERT_EQ(doc.open_archive(write(ResBuilder().raw(1, filled(10, 1)).raw(2, {'R', 'I', 'F', 'F'}))), 0);
    EXPECT_EQ(doc.open_dialog().filter, "Res Files (*.res)|*.res||");
    doc.select(1, 0);
    EXPECT_EQ(doc.export_converted_dialog().filter, "All Files (*.*)|*.*||");
    EXPECT_EQ(doc.export_converted_dialog().default_extension, "");
    doc.select(2, 0);
    EXPECT_EQ(doc.export_converted_dialog().filter,
              "Sound Files (*.wav)|*.wav|3D Model Source (*.e)|*.e|3D COB Model (*.cob)|*.cob||");
    EXPECT_EQ(doc.import_dialog().filter, "Sound Files (*.wav)|*.wav||");
    EXPECT_EQ(doc.import_dialog().default_extension, "wav");
    EXPECT_EQ(doc.export_original_dialog().filter, "All Files (*.*)|*.*||");
    EXPECT_EQ(doc.flight_model_dialog().filter, "Physics .res files (*.res)|*.res|All Files (*.*)|*.*||");
}

TEST_F(DocumentTest, PalettesAreShownAsJascWhateverTheExportFormat)
{
    workspace().set_palette_format(1);
    ASSERT_EQ(doc.open_archive(write(ResBuilder().raw(1, filled(768, 9)))), 0);
    doc.select(1, 0);
    EXPECT_EQ(views.shown.back().kind, 768);
    EXPECT_EQ(read_text(views.shown.back().file).substr(0, 10), "JASC-PAL\r\n");
    EXPECT_EQ(read_text(temp_folder() / "mw3792_current.pal").substr(0, 10), "JASC-PAL\r\n");
    EXPECT_EQ(workspace().palette_format(), 1);
    EXPECT_EQ(doc.export_converted_dialog().filter,
              "Palette Files (*.cpl)|*.cpl|3D Model Source (*.e)|*.e|3D COB Model (*.cob)|*.cob||");
    EXPECT_EQ(doc.import_dialog().filter, "Palette Files (*.cpl)|*.cpl||");
    EXPECT_EQ(doc.import_dialog().default_extension, "cpl");
}

TEST_F(DocumentTest, ImportSingleReloadsAndReselects)
{
    const auto path = write(ResBuilder().raw(1, filled(10, 1)).raw(2, filled(6, 2)));
    ASSERT_EQ(doc.open_archive(path), 0);
    doc.select(2, 0);
    write_bytes(scratch() / "new.unknown", filled(9, 7));
    ASSERT_EQ(doc.import_single(scratch() / "new.unknown"), 0);
    EXPECT_EQ(infos(), std::vector<std::string>{"Import Completed"});
    EXPECT_EQ(doc.selected_file(), 2);
    EXPECT_EQ(read_bytes(views.shown.back().file), filled(9, 7));
    EXPECT_NE(views.info.find("Compressed Size     : 9"), std::string::npos);
    EXPECT_EQ(workspace().last_import_dir(), scratch().string());
}

TEST_F(DocumentTest, ImportWithoutItsHeaderFileChangesNothing)
{
    const auto path = write(ResBuilder().raw(1, filled(10, 1)));
    const Bytes before = read_bytes(path);
    ASSERT_EQ(doc.open_archive(path), 0);
    doc.select(1, 0);
    write_bytes(scratch() / "new.data.bin", filled(9, 7));
    EXPECT_EQ(doc.import_with_header(scratch() / "new.data.bin"), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error: Header file " + (scratch() / "new.data.hdr").string() +
                                                 " doesn't exist"});
    EXPECT_EQ(read_bytes(path), before);

    std::filesystem::create_directory(scratch() / "dotted.folder");
    write_bytes(scratch() / "dotted.folder" / "plain", filled(9, 7));
    clear_messages();
    EXPECT_EQ(doc.import_with_header(scratch() / "dotted.folder" / "plain"), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error: Header file " + (scratch() / "dotted.folder" / "plain.hdr").string() +
                                                 " doesn't exist"});

    write_bytes(scratch() / "new.data.hdr", filled(6, 0xEE));
    ASSERT_EQ(doc.import_with_header(scratch() / "new.data.bin"), 0);
    EXPECT_EQ(doc.archive().entry(0)->stored_length, 15u);
}

TEST_F(DocumentTest, CommandsNeedASelection)
{
    ASSERT_EQ(doc.open_archive(write(ResBuilder().raw(1, filled(10, 1)))), 0);
    EXPECT_FALSE(doc.has_selected_entry());
    EXPECT_EQ(doc.export_converted(scratch() / "x"), -1);
    EXPECT_EQ(doc.import_single(scratch() / "x"), -1);
    EXPECT_TRUE(errors().empty());
}

}  // namespace
}  // namespace mw::test
