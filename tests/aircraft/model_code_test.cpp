#include <gtest/gtest.h>

#include "aircraft/catalogue.h"
#include "aircraft/field_text.h"
#include "aircraft/model_code.h"

namespace mw::test {
namespace {

// The temp path's last ten characters are "mw3792_17." → object name "w" + "_" + part.
const std::string temp_path = "/prog/temp/mw3792_17.";

Record located(int length, std::initializer_list<std::pair<const char*, const char*>> values)
{
    const Bytes item(std::size_t(length), 0);
    auto record = *load_record(*find_record_spec(res_physics_segments, item), item);
    for (const auto& [name, text] : values) EXPECT_EQ(set_field_text(record, name, text), 0) << name;
    return record;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        out.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text ends without CR LF";
    return out;
}

TEST(ModelCode, MassBoxCornersWithoutRotation)
{
    const Record mass = located(42, {{"Size X (m):", "2"}, {"Size Y (m):", "4"}, {"Size Z (m):", "6"},
                                     {"Position X (m):", "1"}, {"Position Y (m):", "1"}, {"Position Z (m):", "1"},
                                     {"Plane Part:", "Left Wing"}});
    const auto text = lines(model_code_text(mass, temp_path, 1.0f));
    ASSERT_EQ(text.size(), 28u);
    EXPECT_EQ(text[0], "");
    EXPECT_EQ(text[1], "BEGIN \"mass_w_Left Wing\"");
    EXPECT_EQ(text[2], "");
    EXPECT_EQ(text[3], "POINTS{");
    EXPECT_EQ(text[4], "2.000000,-1.000000,4.000000;");
    EXPECT_EQ(text[11], "0.000000,-1.000000,-2.000000;");
    EXPECT_EQ(text[12], "}");
    EXPECT_EQ(text[13], "");
    EXPECT_EQ(text[14], "PARTS{");
    EXPECT_EQ(text[15], "0,N,0,ff06,(0,4,5);");
    EXPECT_EQ(text[26], "0,N,11,ff06,(4,7,6);");
    EXPECT_EQ(text[27], "}");
}

TEST(ModelCode, ScaleTwoHalvesEveryCoordinateAndNegativeScaleActsAsOne)
{
    const Record mass = located(42, {{"Size X (m):", "2"}, {"Size Y (m):", "4"}, {"Size Z (m):", "6"},
                                     {"Position X (m):", "1"}, {"Position Y (m):", "1"}, {"Position Z (m):", "1"}});
    EXPECT_EQ(lines(model_code_text(mass, temp_path, 2.0f))[4], "1.000000,-0.500000,2.000000;");
    EXPECT_EQ(model_code_text(mass, temp_path, -3.0f), model_code_text(mass, temp_path, 1.0f));
    EXPECT_EQ(effective_bsp_scale(-0.5f), 1.0f);
    EXPECT_EQ(effective_bsp_scale(0.0f), 1.0f);
    EXPECT_EQ(effective_bsp_scale(0.25f), 0.25f);
}

TEST(ModelCode, NinetyDegreesAboutXTurnsCornerZeroDown)
{
    const Record cube = located(42, {{"Size X (m):", "1"}, {"Size Y (m):", "1"}, {"Size Z (m):", "1"},
                                     {"Orientation X:", "90"}});
    const auto text = lines(model_code_text(cube, temp_path, 1.0f));
    // (0.5, -0.5, 0.5) → (0.5, -0.5, -0.5) up to rounding.
    EXPECT_EQ(text[4], "0.500000,-0.500000,-0.500000;");
}

TEST(ModelCode, RotatesAboutXThenYThenZBeforeMovingToTheScaledPosition)
{
    const Record mass = located(42, {{"Size X (m):", "2"}, {"Size Y (m):", "4"}, {"Size Z (m):", "6"},
                                     {"Position X (m):", "2"}, {"Position Y (m):", "4"}, {"Position Z (m):", "6"},
                                     {"Orientation X:", "90"}, {"Orientation Y:", "90"}, {"Orientation Z:", "90"}});
    // Scale 2: half sizes (0.5, 1, 1.5), position (1, 2, 3); the angles are not scaled.
    // Corner 0 (0.5, -1, 1.5): about X by -90° (0.5, -1.5, -1), about Y by +90°
    // (-1, -1.5, -0.5), about Z by -90° (1.5, -1, -0.5), moved (2.5, 1, 2.5).
    // Corner 7 (-0.5, -1, -1.5): (-0.5, 1.5, -1), (-1, 1.5, 0.5), (-1.5, -1, 0.5), moved (-0.5, 1, 3.5).
    const auto text = lines(model_code_text(mass, temp_path, 2.0f));
    EXPECT_EQ(text[4], "2.500000,1.000000,2.500000;");
    EXPECT_EQ(text[11], "-0.500000,1.000000,3.500000;");
}

TEST(ModelCode, ContactPointIsAnOctahedron)
{
    const Record contact = located(18, {});
    const std::string expected =
        "\r\nBEGIN \"cp_w_Fuselage\"\r\n\r\nPOINTS{\r\n"
        "-0.100000,0.000000,0.000000;\r\n0.100000,0.000000,0.000000;\r\n"
        "0.000000,-0.100000,0.000000;\r\n0.000000,0.100000,0.000000;\r\n"
        "0.000000,0.000000,-0.100000;\r\n0.000000,0.000000,0.100000;\r\n}\r\n\r\n"
        "PARTS{\r\n0,N,0,ff02,(0,4,3);\r\n0,N,1,ff02,(3,4,1);\r\n0,N,2,ff02,(1,4,2);\r\n0,N,3,ff02,(2,4,0);\r\n"
        "0,N,4,ff02,(0,3,5);\r\n0,N,5,ff02,(3,1,5);\r\n0,N,6,ff02,(1,2,5);\r\n0,N,7,ff02,(2,0,5);\r\n}\r\n";
    EXPECT_EQ(model_code_text(contact, temp_path, 1.0f), expected);
}

TEST(ModelCode, ChosenMaterialAndFormPrefix)
{
    const Record gear = located(101, {{"Plane Part:", "3"}});
    const auto text = lines(model_code_text(gear, temp_path, 1.0f, "ff14"));
    EXPECT_EQ(text[1], "BEGIN \"gear_w_Tail\"");
    EXPECT_EQ(text[15], "0,N,0,ff14,(0,4,5);");
    EXPECT_EQ(model_materials().size(), 20u);
    EXPECT_EQ(model_materials().front(), "ff01");
    EXPECT_EQ(model_materials()[9], "ff0a");
    EXPECT_EQ(model_materials().back(), "ff14");
}

TEST(ModelCode, FormsWithoutLocatedPartHaveNoText)
{
    const Bytes item(13, 0);
    const Record warnings = *load_record(*find_record_spec(res_physics_segments, item), item);
    EXPECT_EQ(model_code_text(warnings, temp_path, 1.0f), "");
}

TEST(ModelCode, ObjectNameFromTheTempPath)
{
    EXPECT_EQ(model_object_name("C:\\CM\\temp\\mw3792_17.", "Tail"), "w_Tail");      // "mw3792_17." starts with m
    EXPECT_EQ(model_object_name("/tmp/xy3792_17.", "Tail"), "xy_Tail");
    EXPECT_EQ(model_object_name("/t/ab12345678", "Fuselage"), "ab_Fuselage");
    EXPECT_EQ(model_object_name("mab", "Tail"), "m_Tail");
    EXPECT_EQ(model_object_name("", "Tail"), "_Tail");
}

}  // namespace
}  // namespace mw::test
