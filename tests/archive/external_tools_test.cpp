#include <gtest/gtest.h>

#include "archive/dcl/dcl.h"
#include "archive/res_archive.h"
#include "support/res_builder.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

// The external programs are used when the program folder holds them; these
// stand-ins record their arguments and exit with a chosen code.
class ExternalToolsTest : public WorkspaceFixture {
protected:
    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        Bytes data(2000);
        for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i % 97);
        archive_path = scratch() / "my arch.res";
        ResBuilder().stored(5, dcl::implode(data, 1024), 2000).write(archive_path);
        original = read_bytes(archive_path);
        ASSERT_EQ(archive.open(archive_path), 0);
    }

    void stand_in(const std::string& name, int exit_code)
    {
        const auto path = program_folder() / name;
        write_text(path, "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"" + (scratch() / (name + ".args")).string() +
                             "\"\nexit " + std::to_string(exit_code) + "\n");
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    }

    std::string recorded_args(const std::string& name) { return read_text(scratch() / (name + ".args")); }

    ResArchive archive;
    std::filesystem::path archive_path;
    Bytes original;
};

TEST_F(ExternalToolsTest, CompressorExitCodeThreeFailsTheImport)
{
    stand_in("dcl2zip.exe", 3);
    write_bytes(scratch() / "new file.bin", Bytes(100, 7));
    EXPECT_EQ(archive.rewrite(0, 0, scratch() / "new file.bin", false, {}), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#1761: Error compressing item"});
    EXPECT_EQ(recorded_args("dcl2zip.exe"),
              (temp_folder() / "import.zip").string() + "\n-1\n" + (temp_folder() / "import.bin").string() + "\n");
    EXPECT_EQ(read_bytes(archive_path), original);
}

TEST_F(ExternalToolsTest, CompressorThatCannotStart)
{
    write_text(program_folder() / "dcl2zip", "not a program");
    std::filesystem::permissions(program_folder() / "dcl2zip", std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    write_bytes(scratch() / "new.bin", Bytes(100, 7));
    EXPECT_EQ(archive.rewrite(0, 0, scratch() / "new.bin", false, {}), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error executing external program DCL2ZIP.EXE"});
    EXPECT_EQ(read_bytes(archive_path), original);
}

TEST_F(ExternalToolsTest, ExtractorGetsTheRawZipAndTheTempFolderAndItsExitCodeIsIgnored)
{
    stand_in("pkzip25", 5);
    // The stand-in does not decompress, so the length check catches the unchanged raw file.
    EXPECT_EQ(archive.extract(0, 0, {}, ResEntry::to_temp, false), -1);
    EXPECT_EQ(recorded_args("pkzip25"), "-extract\n-Overwrite\n" + (temp_folder() / "mw3792_my arch_001_5.zip").string() +
                                            "\n" + temp_folder().string() + "\n");
    EXPECT_EQ(errors(),
              std::vector<std::string>{"Error#1776: Error decompressing item - the data has not the length the index gives"});
}

TEST_F(ExternalToolsTest, ExtractorThatCannotStart)
{
    write_text(program_folder() / "pkzip25.exe", "not a program");
    std::filesystem::permissions(program_folder() / "pkzip25.exe", std::filesystem::perms::owner_read);
    EXPECT_EQ(archive.extract(0, 0, {}, ResEntry::to_temp, false), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#1769: Error executing external program PKZIP25.EXE"});
}

}  // namespace
}  // namespace mw::test
