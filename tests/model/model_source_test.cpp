#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "model/model_builder.h"
#include "model/model_export.h"
#include "model/model_loader.h"
#include "model/model_source_writer.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

std::string expected(const std::string& name)
{
    return read_text(std::filesystem::path(MARROWICK_SOURCE_DIR) / "tests/model/expected" / name);
}

ModelData loaded(const ModelBuilder& builder)
{
    auto model = parse_model(builder.build(), false);
    EXPECT_TRUE(model.has_value());
    return model.value_or(ModelData{});
}

TEST(ModelSource, MultimaterialRootMatchesTheExpectedText)
{
    EXPECT_EQ(model_source_text(loaded(two_part_model()), ModelSourceLayout::multimaterial_root),
              expected("two_parts_multimaterial_root.e"));
}

TEST(ModelSource, PartsDecompositionMatchesTheExpectedText)
{
    EXPECT_EQ(model_source_text(loaded(two_part_model()), ModelSourceLayout::parts_decomposition),
              expected("two_parts_decomposition.e"));
}

TEST(ModelSource, NoMovingPartsWritesHeadMaterialsMeshesAndEnd)
{
    ModelBuilder b = two_part_model();
    b.parts.clear();
    const std::string text = model_source_text(loaded(b), ModelSourceLayout::parts_decomposition);
    EXPECT_NE(text.find("// Moving Parts = 0\n"), std::string::npos);
    EXPECT_EQ(text.find("@"), std::string::npos);
    EXPECT_NE(text.find("3,\"wheel\",PHONG,RGB 128,0,0,TRANSP 0.00;\n\nBEGIN \"mesh_00\"\n"), std::string::npos);
    EXPECT_NE(text.find("BEGIN \"mesh_02\""), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 10), "}\n\n}\n\nEND\n");
}

TEST(ModelSource, EmptyModelWritesOnlyTheFrame)
{
    const std::string text = model_source_text(ModelData{}, ModelSourceLayout::parts_decomposition);
    EXPECT_EQ(text, "BEGIN \"\"\n\nCOMMENT{\n// Polygons     = 0\n// Vertices     = 0\n// Materials    = 0\n"
                    "// Axles        = 0\n// Moving Parts = 0\n// Callbacks    = 0\n// Lights       = 0\n"
                    "}\n\nMATERIALS{\n}\n\nEND\n");
}

TEST(ModelSource, ShortRootNameIsRightAlignedInTheAxleMarker)
{
    ModelBuilder b = two_part_model();
    b.root_name = "ab";
    const std::string text = model_source_text(loaded(b), ModelSourceLayout::parts_decomposition);
    EXPECT_NE(text.find("BEGIN \"@x03 ab07-7\"\n"), std::string::npos);
    b.root_name = "";
    EXPECT_NE(model_source_text(loaded(b), ModelSourceLayout::parts_decomposition).find("BEGIN \"@z12   15-31\"\n"),
              std::string::npos);
}

TEST(ModelSource, AxleMarkerFollowsSinglePrecisionArithmetic)
{
    // In double precision the limits give 9 and -4, the second point
    // 6.000000,1000000.119209,12499998.750000.
    ModelBuilder b = two_part_model();
    b.root_name = "rooster";
    b.parts[0].limit_a = 0.628318f;
    b.parts[0].limit_b = 0.314159f;
    const float tiny = 1.0f / 16777216.0f;  // 1 + tiny + tiny is 1 in single precision
    b.parts[0].transform = {0.5f, 0.25f, 0.5f, 1, tiny, tiny, 1, 1, 1, 2, 1000000, 9999999};
    const std::string text = model_source_text(loaded(b), ModelSourceLayout::parts_decomposition);
    EXPECT_NE(text.find("BEGIN \"@x03roo10-5\"\n\nPOINTS{\n2.000000,1000000.000000,9999999.000000;\n"
                        "6.000000,1000000.000000,12499999.000000;\n}\n"),
              std::string::npos)
        << text;
}

TEST(ModelSource, PolygonsWithFewerThanThreeCornersWriteNoTriangles)
{
    ModelBuilder b;
    b.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
    b.face_normals = {{0, 0, 1}};
    b.polygons = {{.vertices = {0, 1}}, {.vertices = {}}, {.vertices = {2, 1, 0}}};
    const std::string text = model_source_text(loaded(b), ModelSourceLayout::multimaterial_root);
    EXPECT_NE(text.find("PARTS{\n4,N,0,1,(2,1,0);\n}\n"), std::string::npos);
}

TEST(ModelSource, MaterialNumbersAreDecimalInMaterialsAndLowerCaseHexInTriangles)
{
    ModelBuilder b;
    for (int i = 0; i < 12; ++i)
        b.materials.push_back({.name = "m" + std::to_string(i), .kind = 1, .code = std::uint8_t(i)});
    b.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
    b.face_normals = {{0, 0, 1}};
    b.polygons = {{.material_code = 9, .flags = 0x40, .vertices = {0, 1, 2}},
                  {.material_code = 11, .flags = 0x40, .vertices = {2, 1, 0}}};
    const std::string text = model_source_text(loaded(b), ModelSourceLayout::parts_decomposition);
    EXPECT_NE(text.find("\n12,\"m11\",PHONG,RGB 0,0,0,TRANSP 0.00;\n"), std::string::npos);
    EXPECT_NE(text.find("BEGIN \"mesh_00\"\n\nPOINTS{\n0.000000,0.000000,0.000000;\n1.000000,0.000000,0.000000;\n"
                        "1.000000,1.000000,0.000000;\n}\n\nPARTS{\n4,N,0,a,(0,1,2);\n}\n"),
              std::string::npos);
    EXPECT_NE(text.find("PARTS{\n4,N,0,c,(0,1,2);\n}\n"), std::string::npos);
}

struct LimitCase {
    float limit;
    bool negate;
    int value;
};

TEST(ModelSource, AxleLimitsAreTruncatedTowardZero)
{
    const LimitCase cases[] = {
        {0.5f, false, 7}, {0.5f, true, -7}, {-0.5f, false, -7}, {1.0f, false, 15}, {2.0f, true, -31},
        {6.28318f, false, 100}, {0.628318f, false, 10}, {0.314159f, true, -5}, {0.0f, true, 0}, {1e30f, false, INT_MIN}, {-1e30f, false, INT_MIN},
        {std::numeric_limits<float>::quiet_NaN(), false, INT_MIN},
    };
    for (const LimitCase& c : cases)
        EXPECT_EQ(axle_limit_value(c.limit, c.negate), c.value) << c.limit << (c.negate ? " negated" : "");
}

class ModelSourceFile : public WorkspaceFixture {};

TEST_F(ModelSourceFile, WrittenFileHasCarriageReturnLineEnds)
{
    const ModelData model = loaded(two_part_model());
    ASSERT_EQ(write_model_source(model, scratch() / "out.e", ModelSourceLayout::multimaterial_root), 0);
    std::string text = expected("two_parts_multimaterial_root.e");
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(read_text(scratch() / "out.e"), crlf);
}

TEST_F(ModelSourceFile, ExportFollowsTheWorkspaceOption)
{
    write_bytes(scratch() / "m.bin", two_part_model().build());
    workspace().set_model_source_export_option(1);
    ASSERT_EQ(export_model_source(scratch() / "m.bin", scratch() / "parts.e"), 0);
    workspace().set_model_source_export_option(0);
    ASSERT_EQ(export_model_source(scratch() / "m.bin", scratch() / "root.e"), 0);
    auto lf = [](std::string text) {
        std::erase(text, '\r');
        return text;
    };
    EXPECT_EQ(lf(read_text(scratch() / "parts.e")), expected("two_parts_decomposition.e"));
    EXPECT_EQ(lf(read_text(scratch() / "root.e")), expected("two_parts_multimaterial_root.e"));
    EXPECT_TRUE(errors().empty());
}

TEST_F(ModelSourceFile, ExportOfABrokenModelWritesNothing)
{
    write_bytes(scratch() / "m.bin", Bytes{'V', 'M', 'M', 'D', 3});
    EXPECT_EQ(export_model_source(scratch() / "m.bin", scratch() / "out.e"), -1);
    EXPECT_FALSE(std::filesystem::exists(scratch() / "out.e"));
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#375: Error Loading 3D Model"});
}

TEST_F(ModelSourceFile, UnwritableDestinationIsReported)
{
    write_bytes(scratch() / "m.bin", two_part_model().build());
    const auto destination = scratch() / "no such folder" / "out.e";
    EXPECT_EQ(export_model_source(scratch() / "m.bin", destination), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error opening " + destination.string() + " for writing\n  " +
                                                 destination.string() + ": No such file or directory"});
}

}  // namespace
}  // namespace mw::test
