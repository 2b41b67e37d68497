#include <gtest/gtest.h>

#include "model/model_builder.h"
#include "support/workspace_fixture.h"
#include "types/type_detection.h"
#include "types/vmmd_type.h"

namespace mw::test {
namespace {

class VMMDTypeTest : public WorkspaceFixture {};

TEST_F(VMMDTypeTest, DetectedModelsGetTheModelHandler)
{
    write_bytes(temp_folder() / "mw3792_m.", two_part_model().build());
    const auto handler = create_file_type(type_from_content(temp_folder() / "mw3792_m."));
    ASSERT_TRUE(handler);
    EXPECT_NE(dynamic_cast<VMMDType*>(handler.get()), nullptr);
    EXPECT_EQ(handler->type_name(), "3D Model");
    EXPECT_EQ(handler->extension(), "bin");
    EXPECT_EQ(handler->type_code(), 4);
    EXPECT_EQ(handler->info_text(), "Model Information     : 0 Polygons\r\n");
}

TEST_F(VMMDTypeTest, ExportCopiesAndRemembersTheCounts)
{
    const auto stored = temp_folder() / "mw3792_m.";
    const Bytes model = two_part_model().build();
    write_bytes(stored, model);
    VMMDType handler;
    ASSERT_EQ(handler.export_convert(stored), 0);
    EXPECT_EQ(read_bytes(temp_folder() / "mw3792_m.bin"), model);
    EXPECT_EQ(handler.polygon_count(), 5);
    EXPECT_EQ(handler.vertex_count(), 10);
    EXPECT_EQ(handler.info_text(), "Model Information     : 5 Polygons\r\n");

    const auto copy = handler.clone();
    EXPECT_EQ(copy->info_text(), handler.info_text());
    EXPECT_EQ(dynamic_cast<VMMDType&>(*copy).vertex_count(), 10);
}

TEST_F(VMMDTypeTest, CountsAreSignedAndAShortFileKeepsThem)
{
    Bytes model = two_part_model().build();
    put_u16(&model[60], 0xFFFE);
    write_bytes(temp_folder() / "mw3792_a.", model);
    write_bytes(temp_folder() / "mw3792_b.", Bytes{'V', 'M', 'M', 'D'});
    VMMDType handler;
    ASSERT_EQ(handler.export_convert(temp_folder() / "mw3792_a."), 0);
    EXPECT_EQ(handler.info_text(), "Model Information     : -2 Polygons\r\n");
    ASSERT_EQ(handler.export_convert(temp_folder() / "mw3792_b."), 0);
    EXPECT_EQ(handler.polygon_count(), -2);
    EXPECT_EQ(read_bytes(temp_folder() / "mw3792_b.bin"), (Bytes{'V', 'M', 'M', 'D'}));
}

TEST_F(VMMDTypeTest, ExportFailureIsReported)
{
    VMMDType handler;
    EXPECT_EQ(handler.export_convert(temp_folder() / "mw3792_missing."), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#1009: Error converting file"});
}

TEST_F(VMMDTypeTest, ImportAcceptsOnlyModels)
{
    VMMDType handler;
    const auto target = temp_folder() / "import.bin";
    write_bytes(scratch() / "model.bin", two_part_model().build());
    ASSERT_EQ(handler.import_convert(scratch() / "model.bin", target), 0);
    EXPECT_EQ(read_bytes(target), two_part_model().build());

    write_bytes(scratch() / "vmm.bin", Bytes{'V', 'M', 'M'});
    write_bytes(scratch() / "lower.bin", Bytes{'v', 'm', 'm', 'd', 0});
    EXPECT_EQ(handler.import_convert(scratch() / "vmm.bin", target), -1);
    EXPECT_EQ(handler.import_convert(scratch() / "lower.bin", target), -1);
    EXPECT_EQ(handler.import_convert(scratch() / "missing.bin", target), -1);
    const std::string refused = "Error#1077: File is not a Vellamore 3D Model file";
    EXPECT_EQ(errors(), (std::vector<std::string>{refused, refused, refused}));
}

TEST_F(VMMDTypeTest, ImportCopyFailureIsReported)
{
    VMMDType handler;
    write_bytes(scratch() / "model.bin", two_part_model().build());
    EXPECT_EQ(handler.import_convert(scratch() / "model.bin", scratch() / "no folder" / "import.bin"), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#1003: Error converting file"});
}

}  // namespace
}  // namespace mw::test
