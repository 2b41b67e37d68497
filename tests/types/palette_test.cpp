#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "archive/byte_io.h"
#include "support/workspace_fixture.h"
#include "types/bmp/bmp_decoder.h"
#include "types/bmp_type.h"
#include "types/pal_type.h"
#include "types/palette_file.h"

namespace mw::test {
namespace {

// 768 bytes whose colour k is (k, 255 - k, 3k).
Bytes palette_entry()
{
    Bytes entry;
    for (int k = 0; k < 256; ++k) entry.insert(entry.end(), {std::uint8_t(k), std::uint8_t(255 - k), std::uint8_t(3 * k)});
    return entry;
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
    return lines;
}

std::string jasc_with(int count, int lines)
{
    std::string text = "JASC-PAL\n0100\n" + std::to_string(count) + "\n";
    for (int k = 0; k < lines; ++k) text += std::to_string(k) + " 0 0\n";
    return text;
}

class PaletteTest : public WorkspaceFixture {
protected:
    std::filesystem::path stored_entry(const Bytes& entry = palette_entry())
    {
        const auto stored = temp_folder() / "mw3792_3_0.";
        write_bytes(stored, entry);
        return stored;
    }
    std::filesystem::path converted(const std::filesystem::path& stored) { return stored.string() + "pal"; }
    std::filesystem::path import_bin() { return temp_folder() / "import.bin"; }
};

TEST_F(PaletteTest, JascExportIsATwoHundredFiftyNineLineTextFile)
{
    PalType type;
    const auto stored = stored_entry();
    ASSERT_EQ(type.export_convert(stored), 0);
    const auto lines = lines_of(read_text(converted(stored)));
    ASSERT_EQ(lines.size(), 259u);
    EXPECT_EQ(lines[0], "JASC-PAL");
    EXPECT_EQ(lines[1], "0100");
    EXPECT_EQ(lines[2], "256");
    EXPECT_EQ(lines[3], "0 255 0");
    EXPECT_EQ(lines[4], "1 254 3");
    EXPECT_EQ(lines[258], "255 0 253");
}

// Records of 26 bytes: u16 5, u16 5, u32 0, blue, green, red, 0, 13, "unnamed color";
// the file is 5 + 17 + 256 x 26 bytes.
TEST_F(PaletteTest, CorelExportHoldsAHeaderAnd256Records)
{
    workspace().set_palette_format(1);
    PalType type;
    const auto stored = stored_entry();
    ASSERT_EQ(type.export_convert(stored), 0);
    const Bytes file = read_bytes(converted(stored));
    ASSERT_EQ(file.size(), 5u + 17 + 256 * 26);
    EXPECT_EQ(get_u16(&file[0]), 0xDCDC);
    EXPECT_EQ(file[2], 17);
    EXPECT_EQ(std::string(file.begin() + 3, file.begin() + 20), "Cloudmere Palette");
    EXPECT_EQ(get_u16(&file[20]), 256);
    // Colour 1 = (1, 254, 3): its record holds blue, green, red.
    const auto record = file.begin() + 22 + 26;
    const std::string name = "unnamed color";
    Bytes expected = {5, 0, 5, 0, 0, 0, 0, 0, 3, 254, 1, 0, 13};
    expected.insert(expected.end(), name.begin(), name.end());
    EXPECT_EQ(Bytes(record, record + 26), expected);
}

TEST_F(PaletteTest, BothFormatsComeBackAsTheSameEntry)
{
    for (int format : {0, 1}) {
        workspace().set_palette_format(format);
        PalType type;
        const auto stored = stored_entry();
        ASSERT_EQ(type.export_convert(stored), 0);
        ASSERT_EQ(type.import_convert(converted(stored), import_bin()), 0) << format;
        EXPECT_EQ(read_bytes(import_bin()), palette_entry()) << format;
    }
    // The forced JASC export ignores the setting.
    workspace().set_palette_format(1);
    PalType type;
    const auto stored = stored_entry();
    ASSERT_EQ(type.export_as(stored, palette_format_jasc), 0);
    EXPECT_EQ(read_text(converted(stored)).substr(0, 8), "JASC-PAL");
    EXPECT_TRUE(errors().empty());
}

TEST_F(PaletteTest, JascValuesAreTakenModulo256AndExtraLinesIgnored)
{
    std::string text = "JASC-PAL 0100 256\r\n256 -1 300\r\n";
    for (int k = 1; k < 300; ++k) text += "7 7 7\r\n";
    write_text(scratch() / "p.pal", text);
    PalType type;
    ASSERT_EQ(type.import_convert(scratch() / "p.pal", import_bin()), 0);
    const Bytes entry = read_bytes(import_bin());
    ASSERT_EQ(entry.size(), 768u);
    EXPECT_EQ(Bytes(entry.begin(), entry.begin() + 6), (Bytes{0, 255, 44, 7, 7, 7}));
}

TEST_F(PaletteTest, ImportRefusals)
{
    Bytes corel_255 = corel_palette_from_entry(palette_entry());
    put_u16(&corel_255[20], 255);
    Bytes corel_cut = corel_palette_from_entry(palette_entry());
    corel_cut.resize(corel_cut.size() - 1);
    struct Case {
        const char* name;
        Bytes file;
        const char* message;
    };
    auto text = [](const std::string& s) { return Bytes(s.begin(), s.end()); };
    std::string jasc_with_word = jasc_with(256, 256);
    jasc_with_word[40] = 'x';
    const std::vector<Case> cases = {
        {"JASC of 255 colours", text(jasc_with(255, 255)), "Invalid palette format"},
        {"JASC without its magic", text("PAL 0100 256 1 2 3"), "Invalid palette format"},
        {"JASC cut short", text(jasc_with(256, 200)), "Invalid palette format"},
        {"JASC with a word among the numbers", text(jasc_with_word), "Invalid palette format"},
        {"empty file", {}, "Invalid palette format"},
        {"Corel of 255 colours", corel_255, "Palette must contain exactly 256 colors"},
        {"Corel cut short", corel_cut, "Invalid palette format"},
    };
    PalType type;
    for (const Case& c : cases) {
        clear_messages();
        write_bytes(scratch() / "in.pal", c.file);
        EXPECT_EQ(type.import_convert(scratch() / "in.pal", import_bin()), -1) << c.name;
        EXPECT_EQ(errors(), std::vector<std::string>{c.message}) << c.name;
    }
}

TEST_F(PaletteTest, OpenFailuresNameTheirFiles)
{
    PalType type;
    const auto missing = scratch() / "missing.pal";
    const auto blocked_dir = scratch() / "dir";
    std::filesystem::create_directory(blocked_dir);
    const auto unwritable = scratch() / "no such folder" / "import.bin";
    write_text(scratch() / "ok.pal", jasc_with(256, 256));
    write_bytes(scratch() / "ok.cpl", corel_palette_from_entry(palette_entry()));

    std::filesystem::create_directory(converted(temp_folder() / "mw3792_blocked."));
    write_bytes(temp_folder() / "mw3792_blocked.", palette_entry());
    const auto blocked = temp_folder() / "mw3792_blocked.";

    struct Case {
        const char* name;
        int format;
        std::function<int()> run;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"JASC export, no entry", 0, [&] { return type.export_convert(missing); },
         "Error#1030: Failed to open file " + missing.string() + " for input"},
        {"Corel export, no entry", 1, [&] { return type.export_convert(missing); },
         "Error#1031: Failed to open file " + missing.string() + " for input"},
        {"JASC export, output blocked", 0, [&] { return type.export_convert(blocked); },
         "Error#1037: Failed to open file " + converted(blocked).string() + " for output"},
        {"Corel export, output blocked", 1, [&] { return type.export_convert(blocked); },
         "Error#1038: Failed to open file " + converted(blocked).string() + " for output"},
        {"import, no file", 0, [&] { return type.import_convert(missing, import_bin()); },
         "Error#1056: Failed to open file " + missing.string() + " for input"},
        {"import, a folder", 0, [&] { return type.import_convert(blocked_dir, import_bin()); },
         "Error#1056: Failed to open file " + blocked_dir.string() + " for input"},
        {"JASC export, a folder", 0, [&] { return type.export_convert(blocked_dir); },
         "Error#1030: Failed to open file " + blocked_dir.string() + " for input"},
        {"Corel export, a folder", 1, [&] { return type.export_convert(blocked_dir); },
         "Error#1031: Failed to open file " + blocked_dir.string() + " for input"},
        {"JASC import, target blocked", 0, [&] { return type.import_convert(scratch() / "ok.pal", unwritable); },
         "Error#1091: Failed to open file " + unwritable.string() + " for output"},
        {"Corel import, target blocked", 0, [&] { return type.import_convert(scratch() / "ok.cpl", unwritable); },
         "Error#1195: Failed to open file " + unwritable.string() + " for output"},
    };
    for (const Case& c : cases) {
        clear_messages();
        workspace().set_palette_format(c.format);
        EXPECT_EQ(c.run(), -1) << c.name;
        EXPECT_EQ(errors(), std::vector<std::string>{c.message}) << c.name;
    }
}

TEST_F(PaletteTest, AShortEntryIsNotExportedWithInventedColours)
{
    PalType type;
    const auto stored = stored_entry(Bytes(767, 1));
    EXPECT_EQ(type.export_convert(stored), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Palette must contain exactly 256 colors"});
}

TEST_F(PaletteTest, HandlerNamesCloneAndInfo)
{
    PalType type;
    EXPECT_EQ(type.type_name(), "Palette");
    EXPECT_EQ(type.extension(), "pal");
    EXPECT_EQ(type.type_code(), 768);
    EXPECT_EQ(type.info_text(), "");
    EXPECT_EQ(type.clone()->type_code(), 768);
}

TEST_F(PaletteTest, MakeCurrentPaletteWritesRgbOrExchangesRedAndBlue)
{
    std::vector<PaletteTriple> colours;
    for (int k = 0; k < 300; ++k) colours.push_back({k, 1, 2});

    ASSERT_EQ(make_current_palette(colours, ColourOrder::rgb), 0);
    auto lines = lines_of(read_text(current_palette_path()));
    ASSERT_EQ(lines.size(), 259u);  // the first 256 colours only
    EXPECT_EQ(lines[3], "0 1 2");
    EXPECT_EQ(lines[258], "255 1 2");

    ASSERT_EQ(make_current_palette(colours, ColourOrder::bgr), 0);
    lines = lines_of(read_text(current_palette_path()));
    EXPECT_EQ(lines[4], "2 1 1");
    EXPECT_EQ(as_rgb({1, 2, 3}, ColourOrder::bgr), (PaletteTriple{3, 2, 1}));  // how the panel draws it

    // Images converted afterwards take the exchanged colours.
    const auto stored = temp_folder() / "mw3792_img.";
    write_bytes(stored, Bytes{0, 0, 0, 0, 2, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 5});
    BmpType image_type;
    ASSERT_EQ(image_type.export_convert(stored), 0);
    std::ifstream bmp(stored.string() + "bmp", std::ios::binary);
    BitmapImage image;
    BmpDecoder().read_image(bmp, image, false);
    EXPECT_EQ(image.colour(5), (BgrColour{5, 1, 2}));
    EXPECT_TRUE(errors().empty());
}

TEST_F(PaletteTest, MakeCurrentPaletteRefusesAShortPaletteAndReportsWriteFailure)
{
    write_text(current_palette_path(), "unchanged");
    const std::vector<PaletteTriple> short_palette(255, PaletteTriple{1, 2, 3});
    EXPECT_EQ(make_current_palette(short_palette, ColourOrder::rgb), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{
                            "The palette holds 255 colors; only a palette of 256 colors can be made the current palette"});
    EXPECT_EQ(read_text(current_palette_path()), "unchanged");

    clear_messages();
    std::filesystem::remove(current_palette_path());
    std::filesystem::create_directory(current_palette_path());
    EXPECT_EQ(make_current_palette(std::vector<PaletteTriple>(256), ColourOrder::rgb), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#140: Error writing palette"});
}

TEST_F(PaletteTest, PanelKeepsEveryColourAndPlanePaletteAtMost256)
{
    write_text(scratch() / "big.pal", jasc_with(256, 300) + "1 2\n");
    const auto panel = load_palette_panel_colours(scratch() / "big.pal");
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->size(), 300u);  // the incomplete triple is dropped

    write_text(current_palette_path(), jasc_with(256, 300));
    const auto plane = load_plane_palette();
    ASSERT_TRUE(plane);
    EXPECT_EQ(plane->size(), 256u);
    EXPECT_EQ(plane->back(), (PaletteTriple{255, 0, 0}));
    EXPECT_TRUE(errors().empty());

    std::filesystem::remove(current_palette_path());
    EXPECT_FALSE(load_plane_palette());
    EXPECT_FALSE(load_palette_panel_colours(scratch() / "none.pal"));
    EXPECT_EQ(errors(), (std::vector<std::string>{"Error#72: No plane palette found - colors may be inaccurate",
                                                  "Error#60: Error loading palette"}));
}

TEST_F(PaletteTest, AFolderInPlaceOfAPaletteFileCannotBeOpened)
{
    std::filesystem::create_directory(current_palette_path());
    EXPECT_FALSE(load_plane_palette());
    EXPECT_FALSE(load_palette_panel_colours(current_palette_path()));
    EXPECT_EQ(errors(), (std::vector<std::string>{"Error#72: No plane palette found - colors may be inaccurate",
                                                  "Error#60: Error loading palette"}));

    // An 8-bit image then gets the grey ramp, not a black table.
    const auto stored = temp_folder() / "mw3792_img.";
    write_bytes(stored, Bytes{0, 0, 0, 0, 2, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 5});
    BmpType image_type;
    ASSERT_EQ(image_type.export_convert(stored), 0);
    std::ifstream bmp(stored.string() + "bmp", std::ios::binary);
    BitmapImage image;
    BmpDecoder().read_image(bmp, image, false);
    EXPECT_EQ(image.colour(200), (BgrColour{200, 200, 200}));
}

TEST_F(PaletteTest, RegionPalettesFollowThePlanePaletteSortedByNameRegardlessOfCase)
{
    EXPECT_EQ(region_palettes().size(), 1u);  // no regions folder

    const auto regions = program_folder() / "regions";
    std::filesystem::create_directory(regions);
    for (const char* name : {"zulu.pal", "Alpha.PAL", "mike.pal", "notes.txt", "Charlie.pal", "bravo.pal"})
        write_text(regions / name, jasc_with(256, 256));
    std::filesystem::create_directory(regions / "folder.pal");

    const auto list = region_palettes();
    std::vector<std::string> names;
    for (const auto& p : list) names.push_back(p.name);
    EXPECT_EQ(names, (std::vector<std::string>{"The Plane Palette", "Alpha", "bravo", "Charlie", "mike", "zulu"}));
    EXPECT_EQ(list[0].path, current_palette_path());
    EXPECT_EQ(list[4].path, regions / "mike.pal");

    const auto mike = load_region_palette(list[4], true);
    ASSERT_TRUE(mike);
    EXPECT_EQ(mike->size(), 256u);
    // The plane palette is missing: silent when the editor opens, reported when chosen.
    EXPECT_FALSE(load_region_palette(list[0], false));
    EXPECT_TRUE(errors().empty());
    EXPECT_FALSE(load_region_palette(list[0], true));
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#71: Error loading region palette file"});
}

}  // namespace
}  // namespace mw::test
