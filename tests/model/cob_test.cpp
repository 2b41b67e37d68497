#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

#include "model/cob_writer.h"
#include "model/model_builder.h"
#include "model/model_export.h"
#include "model/model_loader.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

constexpr std::size_t polh_data_start = 32 + 20;

ModelData loaded(const ModelBuilder& builder)
{
    auto model = parse_model(builder.build(), false);
    EXPECT_TRUE(model.has_value());
    return model.value_or(ModelData{});
}

std::string text_at(const Bytes& bytes, std::size_t at, std::size_t size)
{
    return std::string(reinterpret_cast<const char*>(&bytes[at]), size);
}

TEST(Cob, HeaderChunksAndSizeField)
{
    ModelBuilder b;
    b.vertices = {{1, 2, 3}, {4, 5, 6}};
    const ModelData model = loaded(b);
    const Bytes cob = cob_bytes(model);

    EXPECT_EQ(text_at(cob, 0, 32), "Caligari V00.01BLH             \n");
    EXPECT_EQ(text_at(cob, 32, 4), "PolH");
    EXPECT_EQ(get_u16(&cob[36]), 0);
    EXPECT_EQ(get_u16(&cob[38]), 2);
    EXPECT_EQ(get_u32(&cob[40]), 1u);
    EXPECT_EQ(get_u32(&cob[44]), 0u);
    // No polygons: name fields, axes, position, vertices and the two counts.
    const std::uint32_t data_size = 2 + 2 + 48 + 48 + 4 + 12 * 2 + 4 + 4;
    EXPECT_EQ(get_u32(&cob[48]), data_size);
    ASSERT_EQ(cob.size(), polh_data_start + data_size + 20);

    const std::size_t axes = polh_data_start + 4;
    const float expected_axes[24] = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};
    for (std::size_t i = 0; i < 24; ++i) EXPECT_EQ(get_f32(&cob[axes + 4 * i]), expected_axes[i]) << i;
    const std::size_t vertices = axes + 96;
    EXPECT_EQ(get_u32(&cob[vertices]), 2u);
    EXPECT_EQ(get_f32(&cob[vertices + 4 + 12]), 4.0f);
    EXPECT_EQ(get_u32(&cob[vertices + 4 + 24]), 0u);  // texture vertices
    EXPECT_EQ(get_u32(&cob[vertices + 4 + 28]), 0u);  // faces

    const std::size_t end = polh_data_start + data_size;
    EXPECT_EQ(text_at(cob, end, 4), "END ");
    EXPECT_EQ(get_u16(&cob[end + 4]), 1);
    EXPECT_EQ(get_u16(&cob[end + 6]), 0);
    for (std::size_t at = end + 8; at < end + 20; at += 4) EXPECT_EQ(get_u32(&cob[at]), 0u);
}

TEST(Cob, FacesListTheirCornersLastToFirst)
{
    ModelBuilder b;
    b.vertices.assign(10, {0, 0, 0});
    b.face_normals = {{0, 0, 1}};
    b.polygons = {{.vertices = {4, 7, 9}}, {.vertices = {0, 1, 2, 3, 5, 6, 8}}};
    const Bytes cob = cob_bytes(loaded(b));
    // The corners name texture vertex 0, which is there.
    const std::size_t texture_vertices = polh_data_start + 4 + 96 + 4 + 12 * 10;
    EXPECT_EQ(get_u32(&cob[texture_vertices]), 1u);
    EXPECT_EQ(get_f32(&cob[texture_vertices + 4]), 0.0f);
    EXPECT_EQ(get_f32(&cob[texture_vertices + 8]), 0.0f);
    const std::size_t faces = texture_vertices + 4 + 8;
    EXPECT_EQ(get_u32(&cob[faces]), 2u);
    const std::size_t first = faces + 4;
    EXPECT_EQ(cob[first], 0x10);
    EXPECT_EQ(get_u16(&cob[first + 1]), 3);
    EXPECT_EQ(get_u16(&cob[first + 3]), 0);
    const std::uint32_t corners[6] = {9, 0, 7, 0, 4, 0};
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(get_u32(&cob[first + 5 + 4 * i]), corners[i]);
    const std::size_t second = first + 5 + 8 * 3;
    EXPECT_EQ(get_u16(&cob[second + 1]), 7);
    EXPECT_EQ(get_u32(&cob[second + 5]), 8u);
    EXPECT_EQ(get_u32(&cob[48]), 2 + 2 + 48 + 48 + 4 + 12 * 10 + 4 + 8 + 4 + (5 + 8 * 3) + (5 + 8 * 7));
    EXPECT_EQ(cob.size(), second + 5 + 8 * 7 + 20);
}

TEST(Cob, VerticesAreWrittenAfterThePartTransforms)
{
    const ModelData model = loaded(two_part_model());
    const Bytes cob = cob_bytes(model);
    const std::size_t vertices = polh_data_start + 4 + 96 + 4;
    EXPECT_EQ(get_f32(&cob[vertices + 12 * 9]), 24.5f);
    EXPECT_EQ(get_f32(&cob[vertices + 12 * 9 + 8]), -2.0f);
}

class CobFile : public WorkspaceFixture {};

TEST_F(CobFile, ExportWritesTheFileAndReportsProblems)
{
    write_bytes(scratch() / "m.bin", two_part_model().build());
    ASSERT_EQ(export_cob(scratch() / "m.bin", scratch() / "m.cob"), 0);
    EXPECT_EQ(read_bytes(scratch() / "m.cob"), cob_bytes(loaded(two_part_model())));

    const auto destination = scratch() / "missing" / "m.cob";
    EXPECT_EQ(export_cob(scratch() / "m.bin", destination), -1);
    EXPECT_EQ(export_cob(scratch() / "none.bin", scratch() / "n.cob"), -1);
    EXPECT_FALSE(std::filesystem::exists(scratch() / "n.cob"));
    EXPECT_EQ(errors(), (std::vector<std::string>{"Error opening " + destination.string() + " for writing\n  " +
                                                      destination.string() + ": No such file or directory",
                                                  "Error#375: Error Loading 3D Model"}));
}

// Runs a command and returns what it printed, or nothing when it could not run.
std::optional<std::string> command_output(const std::string& command)
{
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string out;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    if (pclose(pipe) != 0) return std::nullopt;
    return out;
}

std::optional<long> reported_count(const std::string& report, const std::string& label)
{
    std::smatch match;
    if (!std::regex_search(report, match, std::regex(label + R"(:\s+(\d+))"))) return std::nullopt;
    return std::stol(match[1]);
}

TEST_F(CobFile, AssimpReadsTheModel)
{
    if (!command_output("command -v assimp >/dev/null 2>&1 && echo yes")) GTEST_SKIP() << "assimp is not installed";
    write_bytes(scratch() / "m.bin", two_part_model().build());
    const auto cob = scratch() / "two_parts.cob";
    ASSERT_EQ(export_cob(scratch() / "m.bin", cob), 0);

    // As read: one vertex per corner, the polygons as they are.
    const auto raw = command_output("assimp info '" + cob.string() + "' --raw 2>&1");
    ASSERT_TRUE(raw.has_value()) << "assimp could not read the file";
    EXPECT_EQ(reported_count(*raw, "Meshes"), 1) << *raw;
    EXPECT_EQ(reported_count(*raw, "Faces"), 5) << *raw;
    EXPECT_EQ(reported_count(*raw, "Vertices"), 4 + 3 + 3 + 4 + 3) << *raw;
    // Post-processed: corners at one position join into the model's vertices, polygons become triangles.
    const auto joined = command_output("assimp info '" + cob.string() + "' 2>&1");
    ASSERT_TRUE(joined.has_value()) << "assimp could not read the file";
    EXPECT_EQ(reported_count(*joined, "Vertices"), 10) << *joined;
    EXPECT_EQ(reported_count(*joined, "Faces"), 7) << *joined;
    EXPECT_NE(joined->find("Maximum point      (24.500000 3.000000 2.000000)"), std::string::npos) << *joined;
}

}  // namespace
}  // namespace mw::test
