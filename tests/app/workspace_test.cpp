#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "app/workspace/workspace.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

namespace fs = std::filesystem;

// Set-up from scratch, without the fixture's prepared program folder.
class WorkspaceSetupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Workspace::instance().reset();
        Workspace::instance().set_message_sink(&sink);
    }
    void TearDown() override
    {
        Workspace::instance().set_message_sink(nullptr);
        Workspace::instance().reset();
    }
    RecordingSink sink;
    TempDir home;
};

TEST_F(WorkspaceSetupTest, FirstStartWithoutConfigReportsAndRunsWithDefaults)
{
    write_text(home / "resid.def", "Palette 1 2\n");
    Workspace& ws = Workspace::instance();
    ASSERT_EQ(ws.setup_in(home.path()), 0);
    EXPECT_EQ(sink.errors(), std::vector<std::string>{"Error#6: Error loading config file"});
    EXPECT_TRUE(std::filesystem::is_directory(ws.temp_folder()));
    EXPECT_EQ(ws.temp_folder().parent_path().parent_path(), home.path() / "temp");
    EXPECT_EQ(ws.last_open_dir(), "");
    EXPECT_EQ(ws.palette_format(), 0);
    EXPECT_EQ(ws.textures_bgr(), 0);

    ws.save_config();
    EXPECT_EQ(read_text(home / "config.cfg"),
              "LastOpenDir -\r\nLastExportDir -\r\nLastImportDir -\r\nPaletteFormat 0\r\nTexturesBGR 0\r\n");
}

TEST_F(WorkspaceSetupTest, MissingResidDefIsReportedOnceAndNamesAreEmpty)
{
    write_text(home / "config.cfg", "LastOpenDir -\nLastExportDir -\nLastImportDir -\nPaletteFormat 0\nTexturesBGR 0\n");
    ASSERT_EQ(Workspace::instance().setup_in(home.path()), 0);
    EXPECT_EQ(sink.errors(), std::vector<std::string>{"Error#1022: Failed to open file resid.def"});
    EXPECT_EQ(Workspace::instance().resid_names().name_of(1), "");
}

TEST_F(WorkspaceSetupTest, ExistingTempFolderIsNoError)
{
    std::filesystem::create_directory(home / "temp");
    write_text(home / "config.cfg", "LastOpenDir -\nLastExportDir -\nLastImportDir -\nPaletteFormat 0\nTexturesBGR 0\n");
    write_text(home / "resid.def", "A 1 1\n");
    EXPECT_EQ(Workspace::instance().setup_in(home.path()), 0);
    EXPECT_TRUE(sink.errors().empty());
}

// Two programs using one program folder at once must not share their
// intermediate files; a program that ended without cleaning up leaves a
// folder that the next one removes.
TEST_F(WorkspaceSetupTest, EachProgramHasATempFolderOfItsOwn)
{
    const pid_t ended = ::fork();
    if (ended == 0) ::_exit(0);
    ASSERT_GT(ended, 0);
    ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
    const fs::path abandoned = home / "temp" / ("mw3792_" + std::to_string(ended) + "_abcdef");
    const fs::path running = home / "temp" / ("mw3792_" + std::to_string(::getppid()) + "_abcdef");
    for (const fs::path& folder : {abandoned, running}) {
        fs::create_directories(folder);
        write_text(folder / "import.bin", "another program's");
    }
    write_text(home / "config.cfg", "LastOpenDir -\nLastExportDir -\nLastImportDir -\nPaletteFormat 0\nTexturesBGR 0\n");
    Workspace& ws = Workspace::instance();
    ASSERT_EQ(ws.setup_in(home.path()), 0);
    const fs::path own = ws.temp_folder();
    EXPECT_FALSE(fs::exists(abandoned));
    EXPECT_EQ(read_text(running / "import.bin"), "another program's");
    EXPECT_FALSE(fs::exists(ws.temp_file("import.bin")));
    EXPECT_EQ(own.parent_path().parent_path(), home.path() / "temp");

    ws.remove_temp_folder();
    EXPECT_FALSE(fs::exists(own));
    EXPECT_TRUE(fs::exists(running / "import.bin"));
}

TEST_F(WorkspaceSetupTest, TempFolderThatCannotBeMadeFailsSetup)
{
    write_text(home / "temp", "a file where the folder should be");
    EXPECT_EQ(Workspace::instance().setup_in(home.path()), -1);
    EXPECT_EQ(sink.errors(), std::vector<std::string>{"Error creating temporary directory"});
}

TEST_F(WorkspaceSetupTest, ProgramFolderChoice)
{
    TempDir exe_dir, user_dir, install_dir;
    write_text(install_dir / "resid.def", "Installed 5 5\n");
    WorkspaceLocation location;
    location.executable = exe_dir / "marrowick-cli";
    location.user_data_folder = user_dir / "marrowick";
    location.installed_resid_def = install_dir / "resid.def";

    // An explicit home wins.
    location.home = home.path() / "explicit";
    ASSERT_EQ(Workspace::instance().setup(location), 0);
    EXPECT_EQ(Workspace::instance().program_folder(), home.path() / "explicit" / "");
    EXPECT_EQ(Workspace::instance().resid_names().name_of(5), "Installed");  // seeded

    // Otherwise an installed program (nothing beside it, even in a writable
    // folder) keeps its settings in the per-user folder, seeded with the names.
    location.home.reset();
    Workspace::instance().reset();
    ASSERT_EQ(Workspace::instance().setup(location), 0);
    EXPECT_EQ(Workspace::instance().program_folder(), user_dir.path() / "marrowick" / "");
    EXPECT_EQ(Workspace::instance().resid_names().name_of(5), "Installed");
    EXPECT_FALSE(std::filesystem::exists(exe_dir / "temp"));

    // A program with "resid.def" beside it (the build folder, a portable copy) uses its own folder.
    write_text(exe_dir / "resid.def", "Beside 6 6\n");
    Workspace::instance().reset();
    ASSERT_EQ(Workspace::instance().setup(location), 0);
    EXPECT_EQ(Workspace::instance().program_folder(), exe_dir.path() / "");
    EXPECT_EQ(Workspace::instance().resid_names().name_of(6), "Beside");
}

TEST_F(WorkspaceSetupTest, MarrowickHomeFromTheEnvironment)
{
    ::setenv("MARROWICK_HOME", (home / "env").c_str(), 1);
    const WorkspaceLocation location = WorkspaceLocation::for_program("/usr/bin/marrowick-cli");
    ::unsetenv("MARROWICK_HOME");
    ASSERT_TRUE(location.home.has_value());
    EXPECT_EQ(*location.home, home / "env");
    EXPECT_EQ(WorkspaceLocation::for_program("/x", std::filesystem::path("/given")).home, std::filesystem::path("/given"));
}

using ConfigTest = WorkspaceFixture;

TEST_F(ConfigTest, ValuesAreReadByLinePositionNotByKey)
{
    // Numbers and the empty mark are tokens, whatever spaces surround them; folders keep theirs.
    // Blank lines hold no value.
    write_text(program_folder() / "config.cfg",
               "TexturesBGR /games/my archives\r\n\r\nPaletteFormat - \r\nLastOpenDir /x\r\n \r\nLastExportDir 1 \r\nLastImportDir  1\r\n");
    workspace().load_config();
    EXPECT_EQ(workspace().last_open_dir(), "/games/my archives");
    EXPECT_EQ(workspace().last_export_dir(), "");
    EXPECT_EQ(workspace().last_import_dir(), "/x");
    EXPECT_EQ(workspace().palette_format(), 1);
    EXPECT_EQ(workspace().textures_bgr(), 1);
    EXPECT_TRUE(errors().empty());
    write_text(program_folder() / "config.cfg", "a -\r\nb -\r\nc -\r\nd 7\r\ne 1\r\n");
    workspace().load_config();
    EXPECT_EQ(workspace().palette_format(), 0);  // 7 is neither 0 nor 1
}

TEST_F(ConfigTest, PathsWithSpacesSurviveASaveAndLoad)
{
    workspace().set_last_open_dir("/a folder/with spaces");
    workspace().set_last_export_dir("/b");
    workspace().set_last_import_dir("/a folder\nwith a line break");  // would split its line: not kept
    workspace().set_palette_format(1);
    workspace().set_textures_bgr(1);
    workspace().save_config();
    EXPECT_EQ(read_text(program_folder() / "config.cfg"),
              "LastOpenDir /a folder/with spaces\r\nLastExportDir /b\r\nLastImportDir -\r\nPaletteFormat 1\r\nTexturesBGR 1\r\n");
    workspace().reset();
    ASSERT_EQ(workspace().setup_in(program_folder()), 0);
    EXPECT_EQ(workspace().last_open_dir(), "/a folder/with spaces");
    EXPECT_EQ(workspace().last_import_dir(), "");
    EXPECT_EQ(workspace().palette_format(), 1);
    EXPECT_EQ(workspace().textures_bgr(), 1);
    EXPECT_EQ(workspace().model_source_export_option(), 0);  // never stored
}

TEST_F(ConfigTest, ShortFileKeepsTheValuesOfMissingLines)
{
    workspace().set_textures_bgr(1);
    write_text(program_folder() / "config.cfg", "LastOpenDir /only");
    workspace().load_config();
    EXPECT_EQ(workspace().last_open_dir(), "/only");
    EXPECT_EQ(workspace().textures_bgr(), 1);
}

TEST_F(ConfigTest, UnwritableConfigIsReported)
{
    std::filesystem::remove(program_folder() / "config.cfg");
    std::filesystem::create_directory(program_folder() / "config.cfg");
    workspace().save_config();
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#5: Error writing config file\n  " +
                                                 (program_folder() / "config.cfg").string() + ": Is a directory"});
}

TEST_F(ConfigTest, ClearTempRemovesOnlyOwnFiles)
{
    for (const char* name : {"mw3792_a.", "mw3792_x_001_5.bmp", "mw3792_noext", "import.bin", "import.zip", "other.txt"})
        write_text(temp_folder() / name, "x");
    std::filesystem::create_directory(temp_folder() / "mw3792_folder");
    EXPECT_EQ(workspace().clear_temp(), 0);
    std::vector<std::string> left;
    for (const auto& item : std::filesystem::directory_iterator(temp_folder())) left.push_back(item.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"import.bin", "import.zip", "mw3792_folder", "other.txt"}));
}

}  // namespace
}  // namespace mw::test
