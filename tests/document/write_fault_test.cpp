// Every write, sync, close, rename, removal and read of an import or export,
// made to fail one at a time in a real marrowick-cli process: afterwards the
// archive is byte for byte the old one or the correct new one, the command
// fails whenever it is not the new one, an export is whole or absent, and no
// partial temporary archive is left ("kept in" names only complete copies).
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <map>

#include "document/flight_model_archives.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

namespace fs = std::filesystem;

// Raw, compressed, compound and image entries, with attribute and header
// filler bytes that a rewrite must keep.
void write_mixed_archive(const fs::path& path)
{
    std::vector<std::uint32_t> offsets;
    const Bytes joined = compound_data({filled(10, 0xA1), filled(45, 0xA2), filled(7, 0xA3)}, &offsets);
    const Bytes image = image_item(24, 6, 3);
    BuiltEntry raw{100, filled(37, 0x11), 37, 37, 0x5A, 0xA5};
    ResBuilder()
        .header_filler(0x3C)
        .entry(raw)
        .compressed(200, filled(300, 0x22), 2048)
        .compound(300, offsets, dcl::implode(joined, 4096), static_cast<std::uint32_t>(joined.size()))
        .stored(1971, dcl::implode(image, 1024), static_cast<std::uint32_t>(image.size()))
        .raw(400, filled(13, 0x44))
        .write(path);
}

struct Scenario {
    const char* name;
    std::vector<std::string> args;  // "@" stands for the work folder
    const char* output = nullptr;   // an export's destination in the work folder
};

struct FaultKind {
    const char* name;
    int error;
};

const FaultKind fault_kinds[] = {{"write", ENOSPC}, {"sync", EIO},   {"close", EIO},
                                 {"rename", EIO},   {"unlink", EIO}, {"read", EIO}};

class WriteFaultTest : public ::testing::TestWithParam<Scenario> {
protected:
    void SetUp() override
    {
        write_text(home / "config.cfg", "LastOpenDir -\r\nLastExportDir -\r\nLastImportDir -\r\nPaletteFormat 0\r\nTexturesBGR 0\r\n");
        write_mixed_archive(work / "a.res");
        write_aircraft_archive(work / "plane.res");
        write_physics_archive(work / "physics.res", 9, {20, 29, 20, 3, 20, 20, 20, 20});
        write_bytes(work / "new.bin", filled(61, 0x66));
        write_bytes(work / "item.bin", filled(45, 0x77));
        // Scripts of one line, for a raw entry that takes the script's file as
        // it is and a compressed one that takes it compressed in memory. (With
        // more lines a fault may fall between two, leaving the lines before it
        // imported.)
        write_text(work / "s.mws", "MARROWICKSCRIPTv1.0\r\n1\r\n1 0 new.bin\r\n");
        write_text(work / "c.mws", "MARROWICKSCRIPTv1.0\r\n1\r\n2 0 new.bin\r\n");
        // An edited bitmap to import: the image exported converted, one pixel changed.
        ASSERT_EQ(run_cli(home.path(), {"export", (work / "a.res").string(), "4", (work / "pic.bmp").string()}).exit_code, 0);
        Bytes bitmap = read_bytes(work / "pic.bmp");
        bitmap.back() ^= 0x01;
        write_bytes(work / "pic.bmp", bitmap);
        for (const auto& entry : fs::directory_iterator(work.path())) inputs[entry.path()] = read_bytes(entry.path());
    }

    std::vector<std::string> arguments() const
    {
        std::vector<std::string> args;
        for (const std::string& arg : GetParam().args) args.push_back(arg[0] == '@' ? (work / arg.substr(1)).string() : arg);
        return args;
    }

    // Puts every input back as it was and removes everything else.
    void restore()
    {
        for (const auto& entry : fs::directory_iterator(work.path()))
            if (!inputs.count(entry.path())) fs::remove_all(entry.path());
        for (const auto& [path, bytes] : inputs) write_bytes(path, bytes);
    }

    CliResult run(const FaultKind& kind, long at, const fs::path& count_file)
    {
        const char* asan = std::getenv("ASAN_OPTIONS");
        std::vector<std::string> all = {"--home", home.path().string()};
        for (const std::string& arg : arguments()) all.push_back(arg);
        return run_cli_raw(all, {"LD_PRELOAD=" MARROWICK_FAULT_LIBRARY, std::string("MW_FAULT_KIND=") + kind.name,
                                 "MW_FAULT_AT=" + std::to_string(at), "MW_FAULT_ERRNO=" + std::to_string(kind.error),
                                 "MW_FAULT_COUNT=" + count_file.string(),
                                 std::string("ASAN_OPTIONS=") + (asan ? asan : "") + ":verify_asan_link_order=0"});
    }

    TempDir home;
    TempDir work;
    TempDir counts;
    std::map<fs::path, Bytes> inputs;
};

TEST_P(WriteFaultTest, ArchiveIsOldOrNewAndFailuresAreReported)
{
    const Scenario& scenario = GetParam();
    const fs::path archive = arguments()[1];
    const Bytes before = read_bytes(archive);

    // The command without a fault gives the correct result.
    const CliResult clean = run(fault_kinds[0], 0, counts / "clean");
    ASSERT_EQ(clean.exit_code, 0) << clean.err;
    const Bytes after = read_bytes(archive);
    const Bytes exported = scenario.output ? read_bytes(work / scenario.output) : Bytes{};
    if (!scenario.output) {
        ASSERT_NE(after, before);
    }

    for (const FaultKind& kind : fault_kinds) {
        restore();
        ASSERT_EQ(run(kind, 0, counts / kind.name).exit_code, 0);
        const long calls = std::atol(read_text(counts / kind.name).c_str());
        if (std::string(kind.name) == "write" || std::string(kind.name) == "read") {
            ASSERT_GT(calls, 0) << "the fault library counted nothing: is it preloaded?";
        }
        for (long at = 1; at <= calls; ++at) {
            SCOPED_TRACE(std::string(kind.name) + " #" + std::to_string(at));
            restore();
            const CliResult result = run(kind, at, counts / "faulty");
            const Bytes now = read_bytes(archive);
            EXPECT_TRUE(now == before || now == after) << result.err;
            if (now != after) {
                EXPECT_NE(result.exit_code, 0);
            }
            if (result.exit_code == 0) {
                EXPECT_EQ(now, after) << result.err;
            }
            if (scenario.output) {
                const fs::path output = work / scenario.output;
                if (result.exit_code == 0)
                    EXPECT_EQ(read_bytes(output), exported);
                else
                    EXPECT_FALSE(fs::exists(output)) << result.err;
            }
            // The files read are as they were.
            for (const auto& [path, bytes] : inputs)
                if (path != archive) {
                    EXPECT_EQ(read_bytes(path), bytes) << path;
                }
            // Nothing is left beside the inputs but a complete new archive the message names.
            const auto kept_at = result.err.find("kept in ");
            const std::string kept =
                kept_at == std::string::npos ? "" : result.err.substr(kept_at + 8, result.err.find('\n', kept_at) - kept_at - 8);
            for (const auto& entry : fs::directory_iterator(work.path())) {
                if (inputs.count(entry.path()) || (scenario.output && entry.path() == work / scenario.output)) continue;
                EXPECT_EQ(entry.path().string(), kept) << result.err;
                if (entry.path().string() == kept) {
                    EXPECT_EQ(read_bytes(entry.path()), after);
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, WriteFaultTest,
    ::testing::Values(Scenario{"RawEntry", {"import", "@a.res", "1", "@new.bin", "--original"}},
                      Scenario{"CompressedEntry", {"import", "@a.res", "2", "@new.bin", "--original"}},
                      Scenario{"CompoundItem", {"import", "@a.res", "3", "2", "@item.bin", "--original"}},
                      Scenario{"Image", {"import", "@a.res", "4", "@pic.bmp"}},
                      Scenario{"Script", {"import-script", "@a.res", "@s.mws"}},
                      Scenario{"ScriptCompressed", {"import-script", "@a.res", "@c.mws"}},
                      Scenario{"FlightModel", {"import-flight-model", "@plane.res", "@physics.res"}},
                      Scenario{"ExportStored", {"export", "@a.res", "2", "@out.bin", "--original"}, "out.bin"},
                      Scenario{"ExportImage", {"export", "@a.res", "4", "@out.bmp"}, "out.bmp"}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mw::test

namespace mw::test {
namespace {

// Starts marrowick-cli with `args`, its output thrown away; returns its process.
pid_t start_cli(const std::vector<std::string>& args)
{
    const std::string program = std::string(MARROWICK_BUILD_DIR) + "/marrowick-cli";
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) ::_exit(127);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    return pid;
}

// A 16 MiB rewrite takes tens of milliseconds: the kills fall before, inside and after it.
TEST(KilledRewrite, ArchiveIsOldOrNewAtEveryMoment)
{
    TempDir home;
    TempDir work;
    const fs::path archive = work / "big.res";
    write_bytes(work / "new.bin", filled(1000, 0x66));
    ResBuilder().raw(1, filled(12, 1)).raw(2, filled(16 * 1024 * 1024 - 1, 2)).raw(3, filled(40, 3)).write(archive);
    const Bytes before = read_bytes(archive);
    const std::vector<std::string> args = {"--home", home.path().string(), "import", archive.string(), "1",
                                           (work / "new.bin").string(), "--original"};
    ASSERT_EQ(run_cli_raw(args).exit_code, 0);
    const Bytes after = read_bytes(archive);

    for (int delay_ms : {0, 2, 5, 10, 15, 20, 30, 40, 60}) {
        SCOPED_TRACE(delay_ms);
        write_bytes(archive, before);
        const pid_t pid = start_cli(args);
        ::usleep(delay_ms * 1000);
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        const Bytes now = read_bytes(archive);
        EXPECT_TRUE(now == before || now == after);
    }
}

}  // namespace
}  // namespace mw::test
