#include <gtest/gtest.h>

#include "support/workspace_fixture.h"
#include "types/bmp_type.h"
#include "types/pal_type.h"
#include "types/type_detection.h"

namespace mw::test {
namespace {

using HandlerCreationTest = WorkspaceFixture;

TEST_F(HandlerCreationTest, ImageAndPaletteCodesMakeTheirHandlers)
{
    for (int code : {2, 3}) {
        const auto handler = create_file_type(code);
        ASSERT_NE(dynamic_cast<BmpType*>(handler.get()), nullptr) << code;
        EXPECT_EQ(handler->type_code(), 2) << code;  // both item formats are images
        EXPECT_EQ(handler->type_name(), "Image");
    }
    const auto palette = create_file_type(768);
    ASSERT_NE(dynamic_cast<PalType*>(palette.get()), nullptr);
    EXPECT_EQ(palette->extension(), "pal");
}

TEST_F(HandlerCreationTest, DetectedSixteenBitItemExportsAndAHandlerByExtensionCannotImport)
{
    const auto stored = temp_folder() / "mw3792_7_0.";
    write_bytes(stored, Bytes{0, 0, 0, 0, 3, 0, 32, 0, 1, 0, 1, 0, 2, 0, 0, 0, 0xFF, 0xFF});
    const auto handler = create_file_type(type_from_content(stored));
    ASSERT_NE(handler, nullptr);
    ASSERT_EQ(handler->export_convert(stored), 0);
    EXPECT_EQ(handler->info_text(), "Image Information     : 4x1x16 bit\r\n");

    // A handler made from the extension has read no item yet.
    const auto fresh = create_file_type(type_from_extension(stored.string() + "bmp"));
    EXPECT_EQ(fresh->import_convert(stored.string() + "bmp", temp_folder() / "import.bin"), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#1058: Error converting to BMP - missing data"});
}

}  // namespace
}  // namespace mw::test
