#include <gtest/gtest.h>

#include "archive/dcl/dcl.h"
#include "model/model_builder.h"
#include "support/res_builder.h"
#include "support/cli_runner.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

class ModelInfoCli : public WorkspaceFixture {
protected:
    std::string model_file()
    {
        const auto path = scratch() / "model.bin";
        write_bytes(path, two_part_model().build());
        return path.string();
    }
};

TEST_F(ModelInfoCli, PrintsCountsMaterialsPartsAndBox)
{
    const CliResult result = run_cli(program_folder(), {"model-info", model_file()});
    ASSERT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out,
              "Model \"TWOPART\" version 3, root \"fuselage\"\n"
              "Polygons 5, vertices 10, materials 3, axles 2, moving parts 2, callbacks 1, lights 0\n"
              "Texture coordinates 3, face normals 2, quad records 0\n"
              "Bounding box (-1.000000, -2.000000, -3.000000) to (3.000000, 3.000000, 1.000000), "
              "centre (1.000000, 0.500000, -1.000000)\n"
              "Materials:\n"
              "  1 \"hull\" colour code 1 RGB 255,102,51 transparency 0.250000\n"
              "  2 \"t_glass\" textured code 2 texture 1 colour-keyed transparency 0.500000\n"
              "  3 \"wheel\" colour code 3 RGB 128,0,0 transparency 0.000000\n"
              "Parts:\n"
              "  1 \"gear\" axis x number 3 polygons 1-2 parent none limits A 0.500000 B 0.500000\n"
              "  2 \"door\" axis z number 12 polygons 3-5 parent 1 limits A 1.000000 B 2.000000\n");
}

TEST_F(ModelInfoCli, VariantAndJson)
{
    const CliResult result = run_cli(program_folder(), {"model-info", model_file(), "--variant", "--json"});
    ASSERT_EQ(result.exit_code, 0) << result.err;
    // The variant numbers textures from the record and swaps red and blue.
    EXPECT_NE(result.out.find("{\"name\":\"t_glass\",\"kind\":0,\"code\":2,\"texture\":7,"), std::string::npos);
    EXPECT_NE(result.out.find("{\"name\":\"hull\",\"kind\":1,\"code\":1,\"texture\":0,\"rgb\":[51,102,255]"),
              std::string::npos);
    EXPECT_NE(result.out.find("\"name\":\"gear\",\"axis_kind\":1,\"number\":3,\"first_polygon\":1,\"last_polygon\":2,"
                              "\"parent\":null"),
              std::string::npos);
    EXPECT_NE(result.out.find("\"bounds\":{\"min\":[-1.000000,-2.000000,-3.000000]"), std::string::npos);
}

TEST_F(ModelInfoCli, BrokenModelAndWrongUsage)
{
    write_bytes(scratch() / "bad.bin", Bytes{'V', 'M', 'M', 'D'});
    const CliResult broken = run_cli(program_folder(), {"model-info", (scratch() / "bad.bin").string()});
    EXPECT_EQ(broken.exit_code, 1);
    EXPECT_EQ(broken.err, "Error#375: Error Loading 3D Model\n");
    EXPECT_EQ(run_cli(program_folder(), {"model-info"}).exit_code, 2);
    EXPECT_EQ(run_cli(program_folder(), {"model-info", model_file(), "--wire"}).exit_code, 2);
}

}  // namespace
}  // namespace mw::test

namespace mw::test {
namespace {

// The model as an entry of an archive: the archive's first entry decides the variant flag.
TEST_F(ModelInfoCli, ArchiveEntryUsesTheArchivesVariantFlag)
{
    const Bytes model = two_part_model().build();
    ResBuilder().raw(1000, Bytes(4, 0)).raw(77, model).write(scratch() / "variant.res");
    ResBuilder().raw(5, Bytes(4, 0)).stored(77, dcl::implode(model, 2048), static_cast<std::uint32_t>(model.size()))
        .write(scratch() / "plain.res");

    const CliResult variant = run_cli(program_folder(), {"model-info", (scratch() / "variant.res").string(), "2", "--json"});
    ASSERT_EQ(variant.exit_code, 0) << variant.err;
    EXPECT_NE(variant.out.find("{\"name\":\"t_glass\",\"kind\":0,\"code\":2,\"texture\":7,"), std::string::npos);
    const CliResult plain = run_cli(program_folder(), {"model-info", (scratch() / "plain.res").string(), "2"});
    ASSERT_EQ(plain.exit_code, 0) << plain.err;
    EXPECT_EQ(plain.out.rfind("Model \"TWOPART\" version 3", 0), 0u);

    // Exports through the archive write model source and COB files, from a
    // variant archive too with the colours as stored: they are for the game's tools.
    for (const char* archive : {"plain.res", "variant.res"}) {
        const auto e_file = scratch() / "out.e";
        ASSERT_EQ(run_cli(program_folder(), {"export", (scratch() / archive).string(), "2", e_file.string(), "--e-mode", "parts"}).exit_code, 0);
        std::string text = read_text(e_file);
        std::erase(text, '\r');  // the expected files keep plain line ends
        EXPECT_EQ(text, read_text(std::filesystem::path(MARROWICK_SOURCE_DIR) / "tests/model/expected/two_parts_decomposition.e"))
            << archive;
    }
    const auto cob = scratch() / "out.cob";
    ASSERT_EQ(run_cli(program_folder(), {"export", (scratch() / "plain.res").string(), "2", cob.string()}).exit_code, 0);
    EXPECT_EQ(read_text(cob).substr(0, 9), "Caligari ");
}

}  // namespace
}  // namespace mw::test
