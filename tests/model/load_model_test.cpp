#include <gtest/gtest.h>

#include "model/model_builder.h"
#include "model/model_loader.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

const std::string load_error = "Error#375: Error Loading 3D Model";

ModelData parse(const ModelBuilder& builder, bool variant = false)
{
    auto model = parse_model(builder.build(), variant);
    EXPECT_TRUE(model.has_value());
    return model.value_or(ModelData{});
}

// A one-triangle model with one material of each kind sharing code 5.
ModelBuilder triangle_model()
{
    ModelBuilder b;
    b.materials = {{.name = "paint", .kind = 1, .code = 5, .texture_or_blue = 255, .green = 0, .red = 51},
                   {.name = "decal", .kind = 0, .code = 5, .texture_or_blue = 9}};
    b.texture_coordinates = {{0.25f, 0.75f}, {1, 1}};
    b.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    b.face_normals = {{0, 0, 1}};
    b.polygons = {{.material_code = 5, .vertices = {0, 1, 2}, .texture_coordinates = {1, 0, 1}}};
    return b;
}

TEST(LoadModel, HeaderSectionsAndBoundingBox)
{
    ModelBuilder b = two_part_model();
    b.name = "EIGHTCHR";  // eight characters: no terminator in the file
    b.root_name = "NINECHARS";
    b.quad_records = {{1, -2, 3, -4}};
    b.light_count = 4;
    const Bytes file = b.build();
    const ModelData m = parse(b);

    EXPECT_EQ(m.name, "EIGHTCHR");
    EXPECT_EQ(m.root_name, "NINECHARS");
    EXPECT_EQ(m.version, 3);
    EXPECT_EQ(m.polygon_count, 5);
    EXPECT_EQ(m.vertex_count, 10);
    EXPECT_EQ(m.axle_count, 2);
    EXPECT_EQ(m.material_count, 3);
    EXPECT_EQ(m.callback_count, 1);
    EXPECT_EQ(m.light_count, 4);
    EXPECT_EQ(m.moving_part_count, 2);
    for (int k = 0; k < 10; ++k) EXPECT_EQ(m.section_offsets[k], ModelBuilder::offset(file, k));
    EXPECT_EQ(m.texture_coordinates.size(), 3u);
    EXPECT_EQ(m.quad_records, (std::vector<std::array<int, 4>>{{1, -2, 3, -4}}));
    EXPECT_EQ(m.face_normals.size(), 2u);

    // The box is taken before the moving parts move their vertices.
    EXPECT_EQ(m.bounds.minimum, (std::array<float, 3>{-1, -2, -3}));
    EXPECT_EQ(m.bounds.maximum, (std::array<float, 3>{3, 3, 1}));
    EXPECT_EQ(m.bounds.centre, (std::array<float, 3>{1, 0.5f, -1}));

    const ModelMaterial& hull = m.materials[0];
    EXPECT_EQ(hull.name, "hull");
    EXPECT_EQ(hull.kind, 1);
    EXPECT_EQ(hull.code, 1);
    EXPECT_FLOAT_EQ(hull.red, 1.0f);
    EXPECT_FLOAT_EQ(hull.green, 0.4f);
    EXPECT_FLOAT_EQ(hull.blue, 0.2f);
    EXPECT_EQ(hull.texture_number, 0);
    EXPECT_EQ(hull.opacity, 1.0f);
    EXPECT_EQ(hull.transparency, 0.25f);
}

TEST(LoadModel, SixteenCharacterMaterialNameHasNoTerminator)
{
    ModelBuilder b = triangle_model();
    b.materials[0].name = "ABCDEFGHIJKLMNOP";
    EXPECT_EQ(parse(b).materials[0].name, "ABCDEFGHIJKLMNOP");
}

TEST(LoadModel, EqualMaterialAndTextureOffsetsMeanNoMaterialSection)
{
    ModelBuilder b;
    b.without_material_section = true;
    b.materials.resize(2);  // counted in the header, absent from the file
    b.texture_coordinates = {{0.5f, 0.25f}};
    b.vertices = {{0, 0, 0}};
    const Bytes file = b.build();
    ASSERT_EQ(ModelBuilder::offset(file, 1), ModelBuilder::offset(file, 2));
    const ModelData m = parse(b);
    EXPECT_EQ(m.material_count, 2);
    ASSERT_EQ(m.materials.size(), 2u);
    EXPECT_EQ(m.materials[0].name, "");
    EXPECT_EQ(m.materials[0].texture_slot, -1);
    EXPECT_EQ(m.materials[0].transparency, 0.0f);
    ASSERT_EQ(m.texture_coordinates.size(), 1u);
    EXPECT_EQ(m.texture_coordinates[0], (std::array<float, 2>{0.5f, 0.25f}));
}

struct NumberingCase {
    const char* name;
    int version;
    bool variant;
    std::vector<int> texture_numbers;
};

void PrintTo(const NumberingCase& c, std::ostream* out) { *out << c.name; }

class TextureNumbering : public ::testing::TestWithParam<NumberingCase> {};

TEST_P(TextureNumbering, FollowsVersionAndVariant)
{
    ModelBuilder b;
    b.version = GetParam().version;
    b.materials = {{.name = "a", .kind = 0, .code = 1, .texture_or_blue = 40},
                   {.name = "b", .kind = 1, .code = 2, .texture_or_blue = 41},
                   {.name = "c", .kind = 0, .code = 3, .texture_or_blue = 42}};
    const ModelData m = parse(b, GetParam().variant);
    std::vector<int> numbers;
    for (const ModelMaterial& material : m.materials) numbers.push_back(material.texture_number);
    EXPECT_EQ(numbers, GetParam().texture_numbers);
}

INSTANTIATE_TEST_SUITE_P(LoadModel, TextureNumbering,
                         ::testing::Values(NumberingCase{"Version3ByPosition", 3, false, {0, 0, 2}},
                                           NumberingCase{"Version3VariantFromRecord", 3, true, {40, 0, 42}},
                                           NumberingCase{"Version4FromRecord", 4, false, {40, 0, 42}},
                                           NumberingCase{"Version4VariantFromRecord", 4, true, {40, 0, 42}}),
                         [](const auto& info) { return info.param.name; });

TEST(LoadModel, VariantSwapsRedAndBlue)
{
    const ModelData plain = parse(triangle_model(), false);
    const ModelData variant = parse(triangle_model(), true);
    EXPECT_FLOAT_EQ(plain.materials[0].red, 0.2f);
    EXPECT_FLOAT_EQ(plain.materials[0].blue, 1.0f);
    EXPECT_FLOAT_EQ(variant.materials[0].red, 1.0f);
    EXPECT_FLOAT_EQ(variant.materials[0].blue, 0.2f);
}

TEST(LoadModel, TransparentPrefixKeysOnlyTexturedMaterials)
{
    ModelBuilder b;
    b.materials = {{.name = "T_canopy", .kind = 0, .code = 1},
                   {.name = "t_rotor", .kind = 0, .code = 2},
                   {.name = "T_paint", .kind = 1, .code = 3},
                   {.name = "tank", .kind = 0, .code = 4},
                   {.name = "T", .kind = 0, .code = 5}};
    ModelData m = parse(b);
    std::vector<float> opacities;
    for (const ModelMaterial& material : m.materials) opacities.push_back(material.opacity);
    EXPECT_EQ(opacities, (std::vector<float>{0, 0, 1, 1, 1}));

    std::vector<int> numbers;
    collect_textures(m, numbers);
    EXPECT_EQ(numbers, (std::vector<int>{0, 1, 3, 4}));
    ASSERT_EQ(m.texture_slots.size(), 4u);
    EXPECT_TRUE(m.texture_slots[0].colour_key);
    EXPECT_TRUE(m.texture_slots[1].colour_key);
    EXPECT_FALSE(m.texture_slots[2].colour_key);
    EXPECT_EQ(m.materials[2].texture_slot, -1);
    EXPECT_EQ(m.materials[3].texture_slot, 2);
}

TEST(LoadModel, CollectTexturesGivesSharedNumbersTheirOwnSlotsAndRebuilds)
{
    ModelBuilder b;
    b.version = 4;
    b.materials = {{.name = "a", .kind = 0, .code = 1, .texture_or_blue = 6},
                   {.name = "b", .kind = 0, .code = 2, .texture_or_blue = 6}};
    ModelData m = parse(b);
    std::vector<int> numbers{99};
    collect_textures(m, numbers);
    m.texture_slots[0].rgba = Bytes(16, 1);
    collect_textures(m, numbers);
    EXPECT_EQ(numbers, (std::vector<int>{99, 6, 6, 6, 6}));  // appended, not replaced
    ASSERT_EQ(m.texture_slots.size(), 2u);
    EXPECT_TRUE(m.texture_slots[0].rgba.empty());
    EXPECT_EQ(m.materials[1].texture_slot, 1);
}

TEST(LoadModel, MaterialMatchingChoosesByKindAndReadsTextureCoordinatesOnlyForTexturedPolygons)
{
    ModelBuilder b = triangle_model();
    b.polygons.push_back({.material_code = 5, .flags = 0x40, .vertices = {2, 1, 0}});
    b.polygons.push_back({.material_code = 255, .flags = 0x00, .vertices = {0, 2, 1}});
    b.polygons.push_back({.material_code = 5, .vertices = {1, 2, 0}, .texture_coordinates = {0, 0, 1}});
    const ModelData m = parse(b);
    ASSERT_EQ(m.polygons.size(), 4u);
    EXPECT_EQ(m.polygons[0].material_index, 1);
    EXPECT_EQ(m.polygons[0].texture_coordinate_indices, (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(m.polygons[1].material_index, 0);
    EXPECT_EQ(m.polygons[1].texture_coordinate_indices, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(m.polygons[2].material_index, -1);  // code 255: no material, no coordinates
    EXPECT_EQ(m.polygons[2].material_code, 255);
    EXPECT_EQ(m.polygons[2].vertex_indices, (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(m.polygons[3].vertex_indices, (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(m.polygons[3].texture_coordinate_indices, (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(m.polygons[3].face_normal, (std::array<double, 3>{0, 0, 1}));
}

TEST(LoadModel, ColourPolygonOfTexturedOnlyCodeIsRejected)
{
    ModelBuilder b = triangle_model();
    b.materials.erase(b.materials.begin());  // only the textured material with code 5 is left
    b.polygons[0].flags = 0x40;
    b.polygons[0].texture_coordinates.clear();
    EXPECT_FALSE(parse_model(b.build(), false));
}

TEST(LoadModel, Version4RecordsCarryOneMoreByte)
{
    ModelBuilder b = two_part_model();
    b.version = 4;
    const ModelData four = parse(b);
    const ModelData three = parse(two_part_model());
    EXPECT_EQ(b.build().size(), two_part_model().build().size() + 5);
    ASSERT_EQ(four.polygons.size(), three.polygons.size());
    for (std::size_t i = 0; i < four.polygons.size(); ++i) {
        EXPECT_EQ(four.polygons[i].vertex_indices, three.polygons[i].vertex_indices);
        EXPECT_EQ(four.polygons[i].material_index, three.polygons[i].material_index);
    }
}

TEST(LoadModel, VertexNormalsAverageTheFaceNormalsOfTheirPolygons)
{
    ModelBuilder b;
    b.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 5}};
    b.face_normals = {{0, 0, 1}, {1, 0, 0}};
    b.polygons = {{.vertices = {0, 1, 2}}, {.face_normal = 1, .vertices = {0, 2, 0}}};
    const ModelData m = parse(b);
    // Vertex 0: listed once in the first and twice in the second polygon.
    EXPECT_FLOAT_EQ(m.vertices[0].normal_x, 2.0f / 3.0f);
    EXPECT_FLOAT_EQ(m.vertices[0].normal_z, 1.0f / 3.0f);
    EXPECT_FLOAT_EQ(m.vertices[1].normal_z, 1.0f);
    EXPECT_FLOAT_EQ(m.vertices[2].normal_x, 0.5f);
    EXPECT_FLOAT_EQ(m.vertices[2].normal_z, 0.5f);
    // Used by no polygon: a zero normal rather than 0/0.
    EXPECT_EQ(m.vertices[3].normal_x, 0.0f);
    EXPECT_EQ(m.vertices[3].normal_y, 0.0f);
    EXPECT_EQ(m.vertices[3].normal_z, 0.0f);
}

TEST(LoadModel, PartsRecordsAndParents)
{
    const ModelData m = parse(two_part_model());
    ASSERT_EQ(m.parts.size(), 2u);
    const ModelPart& gear = m.parts[0];
    EXPECT_EQ(gear.name, "gear");
    EXPECT_EQ(gear.axis_kind, 1);
    EXPECT_EQ(gear.part_number, 3);
    EXPECT_EQ(gear.limit_a, 0.5f);
    EXPECT_EQ(gear.first_polygon, 1);
    EXPECT_EQ(gear.last_polygon, 2);
    EXPECT_EQ(gear.parent, -1);
    EXPECT_EQ(m.parts[1].parent, 0);  // gear's child link names the door
    EXPECT_EQ(m.parts[1].last_polygon, 5);
    EXPECT_EQ(m.parts[1].limit_b, 2.0f);

    std::vector<int> marks;
    for (const ModelPolygon& polygon : m.polygons) marks.push_back(polygon.in_part);
    EXPECT_EQ(marks, (std::vector<int>{0, 1, 1, 1, 1}));
}

std::array<float, 3> position(const ModelData& m, int i)
{
    const ModelVertex& v = m.vertices[static_cast<std::size_t>(i)];
    return {v.x, v.y, v.z};
}

TEST(LoadModel, PartTransformsMoveEachVertexOnceThroughItsParents)
{
    const ModelData m = parse(two_part_model());
    EXPECT_EQ(position(m, 0), (std::array<float, 3>{0, 0, 0}));  // in no part
    EXPECT_EQ(position(m, 3), (std::array<float, 3>{0, 1, 0}));
    EXPECT_EQ(position(m, 1), (std::array<float, 3>{2.5f, 0, 1}));  // gear only: it has no parent
    // Vertices 5 and 6 are shared by gear and door: the gear reaches them first.
    EXPECT_EQ(position(m, 5), (std::array<float, 3>{4.5f, 2, 1}));
    EXPECT_EQ(position(m, 6), (std::array<float, 3>{6.5f, 2, 1}));
    // Door vertices: turned about z and shifted by the door, then moved by the gear.
    EXPECT_EQ(position(m, 7), (std::array<float, 3>{14.5f, 3, 2}));
    EXPECT_EQ(position(m, 9), (std::array<float, 3>{24.5f, -1, -2}));
}

TEST(LoadModel, PartMembershipFollowsTheFirstSecondaryIndex)
{
    ModelBuilder b;
    b.vertices = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    b.face_normals = {{0, 0, 1}};
    b.polygons = {{.vertices = {0, 1, 2}, .secondary = {7, 0, 0}}};
    b.parts = {{.name = "flap", .transform = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 5}, .first_polygon = 7,
                .polygon_count = 1}};
    const ModelData in_part = parse(b);
    EXPECT_EQ(in_part.polygons[0].in_part, 1);
    EXPECT_EQ(position(in_part, 0), (std::array<float, 3>{1, 0, 5}));

    b.polygons[0].secondary = {0, 7, 7};
    const ModelData outside = parse(b);
    EXPECT_EQ(outside.polygons[0].in_part, 0);
    EXPECT_EQ(position(outside, 0), (std::array<float, 3>{1, 0, 0}));
}

TEST(LoadModel, PolygonsMoveOnToTheNextPartOnlyAtItsFirstPolygon)
{
    // Parts are met in polygon order and never revisited: a polygon inside the
    // next part's range that is not its first polygon stays outside, and a
    // polygon of an earlier part's range met later stays outside too.
    ModelBuilder b;
    b.vertices = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {2, 0, 0}};
    b.face_normals = {{0, 0, 1}};
    b.polygons = {{.vertices = {0, 1, 2}, .secondary = {6, 6, 6}},
                  {.vertices = {3, 1, 2}, .secondary = {5, 5, 5}},
                  {.vertices = {0, 3, 2}, .secondary = {0, 0, 0}}};
    b.parts = {{.name = "a", .transform = {1, 0, 0, 0, 1, 0, 0, 0, 1, 10, 0, 0}, .first_polygon = 0, .polygon_count = 3},
               {.name = "b", .transform = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 5}, .first_polygon = 5, .polygon_count = 3}};
    const ModelData m = parse(b);
    std::vector<int> marks;
    for (const ModelPolygon& polygon : m.polygons) marks.push_back(polygon.in_part);
    EXPECT_EQ(marks, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(position(m, 0), (std::array<float, 3>{1, 0, 0}));
    EXPECT_EQ(position(m, 3), (std::array<float, 3>{2, 0, 5}));
}

class LoadModelFile : public WorkspaceFixture {};

TEST_F(LoadModelFile, LoadsFromFileAndReplacesTheModel)
{
    write_bytes(scratch() / "m.bin", two_part_model().build());
    ModelData m;
    m.texture_slots.resize(3);
    ASSERT_EQ(load_model(m, scratch() / "m.bin", false), 0);
    EXPECT_EQ(m.polygons.size(), 5u);
    EXPECT_TRUE(m.texture_slots.empty());
    EXPECT_TRUE(errors().empty());
}

TEST_F(LoadModelFile, FailureLeavesTheModelUnchangedAndReportsOnce)
{
    ModelData m;
    write_bytes(scratch() / "m.bin", two_part_model().build());
    ASSERT_EQ(load_model(m, scratch() / "m.bin", false), 0);

    Bytes not_a_model = two_part_model().build();
    not_a_model[0] = 'W';
    write_bytes(scratch() / "bad.bin", not_a_model);
    EXPECT_EQ(load_model(m, scratch() / "bad.bin", false), -1);
    EXPECT_EQ(load_model(m, scratch() / "missing.bin", false), -1);
    EXPECT_EQ(errors(), (std::vector<std::string>{load_error, load_error}));
    EXPECT_EQ(m.name, "TWOPART");
    EXPECT_EQ(m.polygons.size(), 5u);
}

}  // namespace
}  // namespace mw::test
