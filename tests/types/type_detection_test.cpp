#include <gtest/gtest.h>

#include "types/copy_types.h"
#include "types/type_detection.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

using TypeDetectionTest = WorkspaceFixture;

TEST_F(TypeDetectionTest, ContentSignaturesThenThePaletteSize)
{
    struct Case {
        const char* name;
        Bytes content;
        int code;
    };
    Bytes riff768(768, 0);
    std::copy_n("RIFF", 4, riff768.begin());
    Bytes image8 = {0, 0, 0, 0, 2, 0, 9, 9};
    Bytes image16_768(768, 0);
    image16_768[4] = 3;
    const std::vector<Case> cases = {
        {"riff 768 bytes is a sound", riff768, 1},
        {"4-byte RIFF is a sound", {'R', 'I', 'F', 'F'}, 1},
        {"8-bit image item", image8, 2},
        {"16-bit image item of palette size", image16_768, 3},
        {"model", {'V', 'M', 'M', 'D', 1}, 4},
        {"768 other bytes is a palette", Bytes(768, 7), 768},
        {"5 zeros is unknown", Bytes(5, 0), 0},
        {"767 bytes is unknown", Bytes(767, 7), 0},
        {"empty is unknown", {}, 0},
    };
    for (const Case& c : cases) {
        write_bytes(scratch() / "f", c.content);
        EXPECT_EQ(type_from_content(scratch() / "f"), c.code) << c.name;
    }
    EXPECT_EQ(type_from_content(scratch() / "missing"), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#1067: Open file for reading failed\n  " +
                                                 (scratch() / "missing").string() + ": No such file or directory"});
}

TEST_F(TypeDetectionTest, ExtensionsAreCaseSensitiveExceptAllUpper)
{
    EXPECT_EQ(type_from_extension("a/b.wav"), 1);
    EXPECT_EQ(type_from_extension("a/b.WAV"), 1);
    EXPECT_EQ(type_from_extension("x.bmp"), 2);
    EXPECT_EQ(type_from_extension("x.BMP"), 2);
    EXPECT_EQ(type_from_extension("x.Bmp"), 0);
    EXPECT_EQ(type_from_extension("x.pal"), 768);
    EXPECT_EQ(type_from_extension("x.PAL"), 768);
    EXPECT_EQ(type_from_extension("noextension"), 0);
    EXPECT_EQ(type_from_extension("x.tar.wav"), 1);
}

TEST_F(TypeDetectionTest, HandlersFromCodes)
{
    EXPECT_EQ(create_file_type(0)->type_name(), "Unknown");
    EXPECT_EQ(create_file_type(0)->extension(), "unknown");
    EXPECT_EQ(create_file_type(1)->type_code(), 1);
    EXPECT_EQ(create_file_type(1)->extension(), "wav");
    EXPECT_EQ(create_file_type(-1), nullptr);
    EXPECT_EQ(create_file_type(5), nullptr);
}

TEST_F(TypeDetectionTest, SoundAndUnknownCopyBothWays)
{
    const Bytes data = {'R', 'I', 'F', 'F', 1, 2, 3};
    write_bytes(scratch() / "s.", data);
    WavType wav;
    ASSERT_EQ(wav.export_convert(scratch() / "s."), 0);
    EXPECT_EQ(read_bytes(scratch() / "s.wav"), data);
    UnknownType unknown;
    ASSERT_EQ(unknown.import_convert(scratch() / "s.wav", scratch() / "import.bin"), 0);
    EXPECT_EQ(read_bytes(scratch() / "import.bin"), data);
    EXPECT_EQ(unknown.clone()->type_name(), "Unknown");
    EXPECT_EQ(unknown.info_text(), "");

    EXPECT_EQ(wav.export_convert(scratch() / "missing."), -1);
    EXPECT_EQ(wav.import_convert(scratch() / "missing", scratch() / "t"), -1);
    EXPECT_EQ(unknown.export_convert(scratch() / "missing."), -1);
    EXPECT_EQ(unknown.import_convert(scratch() / "missing", scratch() / "t"), -1);
    EXPECT_EQ(errors(), (std::vector<std::string>{"Error#1009: Error converting file", "Error#1003: Error converting file",
                                                  "Error#1929: Error converting file", "Error#1953: Error converting file"}));
}

}  // namespace
}  // namespace mw::test
