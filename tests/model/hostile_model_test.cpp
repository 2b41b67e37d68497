// Malformed and hostile model files: every one is refused with the load
// error, and nothing is read outside the file (the sanitizers watch).
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

#include "model/cob_writer.h"
#include "model/model_builder.h"
#include "model/model_loader.h"
#include "model/model_source_writer.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

struct HostileCase {
    const char* name;
    std::function<void(ModelBuilder&)> change_model;
    std::function<void(Bytes&)> change_bytes;
};

void set_i16(Bytes& file, std::size_t at, std::int16_t value) { put_u16(&file[at], std::uint16_t(value)); }

// Adds to the header count at `at` without adding the records.
std::function<void(Bytes&)> count_plus_one(std::size_t at)
{
    return [at](Bytes& file) { set_i16(file, at, std::int16_t(get_i16(&file[at]) + 1)); };
}

std::function<void(Bytes&)> offset_to(int k, std::function<std::int32_t(const Bytes&)> value)
{
    return [k, value](Bytes& file) { ModelBuilder::set_offset(file, k, value(file)); };
}

const std::vector<HostileCase> hostile_cases = {
    {"WrongMagic", nullptr, [](Bytes& f) { f[3] = 'X'; }},
    {"HeaderCut", nullptr, [](Bytes& f) { f.resize(109); }},
    {"NegativePolygonCount", nullptr, [](Bytes& f) { set_i16(f, ModelBuilder::polygon_count_at, -1); }},
    {"NegativeVertexCount", nullptr, [](Bytes& f) { set_i16(f, ModelBuilder::vertex_count_at, -3); }},
    {"MorePolygonsThanRecords", nullptr, count_plus_one(ModelBuilder::polygon_count_at)},
    {"MoreVerticesThanTheSectionHolds", nullptr,
     [](Bytes& f) {
         // The vertex section then runs into the following ones, so move it to the end instead.
         ModelBuilder::set_offset(f, 4, std::int32_t(f.size() - 12 * 9));
         set_i16(f, ModelBuilder::vertex_count_at, 10);
     }},
    {"MoreMaterialsThanTheSectionHolds", nullptr,
     [](Bytes& f) {
         f[ModelBuilder::material_count_at] = 200;
     }},
    {"MorePartsThanRecords", nullptr,
     [](Bytes& f) {
         f[ModelBuilder::object_count_at] = 250;
         ModelBuilder::set_offset(f, 0, std::int32_t(f.size() - 93 * 3));
     }},
    {"NegativeSectionOffset", nullptr, offset_to(4, [](const Bytes&) { return -12; })},
    {"SectionBeyondTheEnd", nullptr, offset_to(6, [](const Bytes& f) { return std::int32_t(f.size() + 100); })},
    {"RootBeyondTheEnd", nullptr, offset_to(0, [](const Bytes& f) { return std::int32_t(f.size() - 4); })},
    {"MaterialsBeyondTheEnd", nullptr, offset_to(1, [](const Bytes& f) { return std::int32_t(f.size() - 10); })},
    {"TextureCoordinateEndBeforeStart", nullptr,
     offset_to(3, [](const Bytes& f) { return ModelBuilder::offset(f, 2) - 8; })},
    {"TextureCoordinatesPastTheEnd", nullptr,
     offset_to(3, [](const Bytes& f) { return std::int32_t(f.size() + 800); })},
    {"FaceNormalEndBeforeStart", nullptr, offset_to(7, [](const Bytes& f) { return ModelBuilder::offset(f, 6) - 24; })},
    {"FaceNormalsPastTheEnd", nullptr, offset_to(7, [](const Bytes&) { return 0x7FFFFFF0; })},
    {"VertexIndexNegative", [](ModelBuilder& b) { b.polygons[1].vertices[2] = -1; }, nullptr},
    {"VertexIndexAtCount", [](ModelBuilder& b) { b.polygons[4].vertices[0] = 10; }, nullptr},
    {"FaceNormalIndexNegative", [](ModelBuilder& b) { b.polygons[0].face_normal = -1; }, nullptr},
    {"FaceNormalIndexAtCount", [](ModelBuilder& b) { b.polygons[3].face_normal = 2; }, nullptr},
    {"NoFaceNormals", [](ModelBuilder& b) { b.face_normals.clear(); }, nullptr},
    {"TextureCoordinateIndexNegative", [](ModelBuilder& b) { b.polygons[2].texture_coordinates[1] = -2; }, nullptr},
    {"TextureCoordinateIndexAtCount", [](ModelBuilder& b) { b.polygons[3].texture_coordinates[3] = 3; }, nullptr},
    {"MaterialCodeMatchesNothing", [](ModelBuilder& b) { b.polygons[4].material_code = 9; }, nullptr},
    {"MaterialCodeNegative", [](ModelBuilder& b) { b.polygons[4].material_code = -1; }, nullptr},
    {"MaterialCodeOfTheOtherKind",
     [](ModelBuilder& b) {
         b.polygons[0].flags = 0;  // textured polygon, but code 1 is a colour material
         b.polygons[0].texture_coordinates = {0, 0, 0, 0};
     },
     nullptr},
    {"CornerCountBeyondTheRecords", [](ModelBuilder& b) { b.polygons[4].corner_count_override = 200; }, nullptr},
    {"ChildLinkZero", [](ModelBuilder& b) { b.parts[0].child_link = 0; }, nullptr},
    {"ChildLinkPastTheParts", [](ModelBuilder& b) { b.parts[0].child_link = 3; }, nullptr},
    {"ChildLinkNegative", [](ModelBuilder& b) { b.parts[1].child_link = -2; }, nullptr},
    {"PartIsItsOwnParent", [](ModelBuilder& b) { b.parts[1].child_link = 2; }, nullptr},
    {"PartsAreEachOthersParents", [](ModelBuilder& b) { b.parts[1].child_link = 1; }, nullptr},
};

// Failure messages name the case, not its bytes.
void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }

class HostileModel : public WorkspaceFixture, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileModel, IsRefusedWithTheLoadError)
{
    ModelBuilder builder = two_part_model();
    if (GetParam().change_model) GetParam().change_model(builder);
    Bytes file = builder.build();
    if (GetParam().change_bytes) GetParam().change_bytes(file);
    write_bytes(scratch() / "hostile.bin", file);

    ModelData model;
    model.name = "before";
    EXPECT_EQ(load_model(model, scratch() / "hostile.bin", false), -1);
    EXPECT_EQ(model.name, "before");
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#375: Error Loading 3D Model"});
}

INSTANTIATE_TEST_SUITE_P(LoadModel, HostileModel, ::testing::ValuesIn(hostile_cases),
                         [](const auto& info) { return std::string(info.param.name); });

// What the format allows loads, however odd; only reads outside the file are refused.
TEST(OddModelBytes, LoadWhenNothingIsReadOutsideTheFile)
{
    Bytes no_objects = two_part_model().build();
    no_objects[ModelBuilder::object_count_at] = 0;
    const auto without_parts = parse_model(no_objects, false);
    ASSERT_TRUE(without_parts);
    EXPECT_EQ(without_parts->moving_part_count, -1);
    EXPECT_TRUE(without_parts->parts.empty());
    EXPECT_EQ(without_parts->vertices[4].x, 2.0f);  // no part moved it

    Bytes unused_out_of_order = two_part_model().build();
    ModelBuilder::set_offset(unused_out_of_order, 6, ModelBuilder::offset(unused_out_of_order, 5) - 16);
    ModelBuilder::set_offset(unused_out_of_order, 8, -5);
    ModelBuilder::set_offset(unused_out_of_order, 9, 0x7FFFFFFF);
    const auto odd_offsets = parse_model(unused_out_of_order, false);
    ASSERT_TRUE(odd_offsets);
    EXPECT_TRUE(odd_offsets->quad_records.empty());

    Bytes short_header(70, 0);  // counts 0, one object, every offset 0
    std::memcpy(short_header.data(), "VMMD\x03\0\0\0SHORT", 13);
    short_header[ModelBuilder::object_count_at] = 1;
    const auto empty = parse_model(short_header, false);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->name, "SHORT");
    EXPECT_EQ(empty->root_name, "VMMD\x03");
    EXPECT_TRUE(empty->polygons.empty());
}

TEST(HostileModelBytes, UnchangedSampleLoads)
{
    // The cases above break a model that is otherwise valid.
    EXPECT_TRUE(parse_model(two_part_model().build(), false));
}

TEST(HostileModelBytes, TruncationsAreRefusedOnceTheCountsAreInTheFile)
{
    // Cut before its counts, a file reads as counting nothing: it loads empty
    // when it holds the 9-byte root name that offset 0 then points at.
    for (int version : {3, 4}) {
        ModelBuilder builder = two_part_model();
        builder.version = version;
        const Bytes file = builder.build();
        for (std::size_t size = 0; size < file.size(); ++size) {
            const auto model = parse_model(ByteSpan(file.data(), size), false);
            EXPECT_EQ(model.has_value(), size >= 9 && size <= 60) << "version " << version << " size " << size;
            if (model) {
                EXPECT_TRUE(model->polygons.empty() && model->vertices.empty());
            }
        }
    }
}

TEST(HostileModelBytes, RandomDamageNeverReadsOutOfBounds)
{
    const Bytes original = two_part_model().build();
    std::mt19937 random(1234);
    std::uniform_int_distribution<std::size_t> position(0, original.size() - 1);
    std::uniform_int_distribution<int> value(0, 255);
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        Bytes file = original;
        const int changes = 1 + round % 4;
        for (int c = 0; c < changes; ++c) file[position(random)] = std::uint8_t(value(random));
        const auto model = parse_model(file, round % 2 == 1);
        if (!model) continue;
        ++loaded;
        // Whatever loads can be written: odd part ranges, limits and names included.
        EXPECT_FALSE(model_source_text(*model, ModelSourceLayout::parts_decomposition).empty());
        EXPECT_FALSE(model_source_text(*model, ModelSourceLayout::multimaterial_root).empty());
        EXPECT_FALSE(cob_bytes(*model).empty());
    }
    EXPECT_GT(loaded, 0);  // damage to unused bytes still loads
}

}  // namespace
}  // namespace mw::test
