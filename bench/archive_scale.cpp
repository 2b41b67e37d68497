// Costs that grow with the archive, measured through marrowick-cli on
// generated archives beside a plain-file yardstick in the same run:
//
//   import-script, 1,000 lines into a 20 MB archive   vs one single import into it
//   the same into 1,000 compressed entries            (no target: each line is converted)
//   import of 1 KiB into a 200 MB archive             vs one cp of the archive, and one synced
//   export-multiple --all of 65,535 small entries     vs tar -x of the same files
//   list of 65,535 entries                            (absolute)
//
//   archive_scale MARROWICK-CLI [RUNS]
//
// Prints one table row per command: median seconds of RUNS (default 5), the
// yardstick's, and their ratio. MARROWICK_SCALE_KEEP=1 keeps the generated
// files (the folder is printed) for profiling.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "support/res_builder.h"

namespace {

namespace fs = std::filesystem;
using mw::Bytes;

Bytes counting(std::size_t n, std::uint8_t seed)
{
    Bytes data(n);
    for (std::size_t i = 0; i < n; ++i) data[i] = static_cast<std::uint8_t>(seed + i * 7);
    return data;
}

void shell(const std::string& command)
{
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
}

// Median wall-clock seconds of `runs` runs of `command`, each after `prepare`.
double median_seconds(int runs, const std::function<void()>& prepare, const std::string& command)
{
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        shell(command);
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::string quoted(const fs::path& path)
{
    std::string text = "'";  // appended: g++ 12 warns falsely on "'" + std::string
    return text.append(path.string()).append("'");
}

void row(const char* name, double seconds, const char* yardstick, double yard_seconds, const char* target)
{
    if (yard_seconds > 0)
        std::printf("| %s | %.3f | %s | %.3f | %.2f | %s |\n", name, seconds, yardstick, yard_seconds,
                    seconds / yard_seconds, target);
    else
        std::printf("| %s | %.3f | %s | | | %s |\n", name, seconds, yardstick, target);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: archive_scale MARROWICK-CLI [RUNS]\n");
        return 2;
    }
    const std::string cli = quoted(fs::absolute(argv[1]));
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const fs::path work = fs::temp_directory_path() / ("marrowick-scale-" + std::to_string(::getpid()));
    fs::create_directories(work / "home");
    const std::string home = " --home " + quoted(work / "home") + " ";
    // Each run starts from the archive as a user has it: written and settled
    // on the disk, not still being written from the restoring copy.
    auto restore = [&](const char* name) {
        return [&, name] {
            fs::copy_file(work / (std::string(name) + ".orig"), work / name, fs::copy_options::overwrite_existing);
            shell("sync " + quoted(work / name));
        };
    };

    // 1,000 raw entries of 20 KB and a script replacing each.
    {
        mw::test::ResBuilder b;
        for (int i = 0; i < 1000; ++i) b.raw(static_cast<std::uint16_t>(1100 + i), counting(20000, std::uint8_t(i)));
        b.write(work / "script.res.orig");
        fs::create_directories(work / "lines");
        std::ofstream script(work / "lines" / "s.mws", std::ios::binary);
        script << "MARROWICKSCRIPTv1.0\r\n1000\r\n";
        for (int i = 0; i < 1000; ++i) {
            std::string name = "f";  // appended: g++ 12 warns falsely on "f" + std::string
            name.append(std::to_string(i)).append(".bin");
            const Bytes data = counting(20000 + (i % 7), std::uint8_t(i + 3));
            std::ofstream(work / "lines" / name, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
            script << (i + 1) << " 0 " << name << "\r\n";
        }
    }
    // The same entries compressed: no target, the cost of a line that is converted.
    {
        mw::test::ResBuilder b;
        for (int i = 0; i < 1000; ++i) b.compressed(static_cast<std::uint16_t>(1100 + i), counting(20000, std::uint8_t(i)), 4096);
        b.write(work / "packed.res.orig");
    }
    // 200 MB of large entries.
    {
        mw::test::ResBuilder b;
        for (int i = 0; i < 12; ++i) b.raw(static_cast<std::uint16_t>(2000 + i), counting(16 * 1024 * 1024 + i, std::uint8_t(i)));
        b.raw(3000, counting(1024, 1));
        b.write(work / "large.res.orig");
        const Bytes kib = counting(1024, 9);
        std::ofstream(work / "kib.bin", std::ios::binary).write(reinterpret_cast<const char*>(kib.data()), 1024);
    }
    // 65,535 small entries.
    {
        mw::test::ResBuilder b;
        for (int i = 0; i < 65535; ++i) b.raw(static_cast<std::uint16_t>(i + 1), counting(40 + i % 50, std::uint8_t(i)));
        b.write(work / "small.res.orig");
        fs::copy_file(work / "small.res.orig", work / "small.res");
    }

    std::printf("| command | seconds | yardstick | seconds | ratio | target |\n|---|---:|---|---:|---:|---|\n");

    // The script into `archive`, beside one single import into it.
    auto script_row = [&](const char* archive, const char* name, const char* target) {
        const std::string path = quoted(work / archive);
        const double script = median_seconds(runs, restore(archive),
                                             cli + home + "import-script " + path + " " + quoted(work / "lines" / "s.mws") + " >/dev/null");
        const double single = median_seconds(runs, restore(archive),
                                             cli + home + "import " + path + " 1 " + quoted(work / "lines" / "f0.bin") +
                                                 " --original >/dev/null");
        row(name, script, "one import", single, target);
    };
    script_row("script.res", "import-script, 1,000 lines, 20 MB", "≤ 2");
    script_row("packed.res", "import-script, 1,000 lines, compressed entries", "");

    const double import = median_seconds(runs, restore("large.res"),
                                         cli + home + "import " + quoted(work / "large.res") + " 13 " +
                                             quoted(work / "kib.bin") + " --original >/dev/null");
    const std::string copy_command = "cp " + quoted(work / "large.res.orig") + " " + quoted(work / "copy.res");
    const double copy = median_seconds(runs, [] {}, copy_command);
    // The import syncs the new archive before it replaces the old one, so
    // that no crash loses it; a copy made as safe is synced too.
    const double synced_copy = median_seconds(runs, [] {}, copy_command + " && sync " + quoted(work / "copy.res"));
    row("import 1 KiB, 200 MB", import, "cp of the archive", copy, "");
    row("import 1 KiB, 200 MB", import, "cp of the archive + sync", synced_copy, "≤ 1.2");

    const fs::path out = work / "out";
    auto empty_out = [&] {
        fs::remove_all(out);
        fs::create_directories(out);
    };
    const double exported = median_seconds(runs, empty_out,
                                           cli + home + "export-multiple " + quoted(work / "small.res") + " " +
                                               quoted(out) + " --original --all >/dev/null");
    shell("tar -C " + quoted(out) + " -cf " + quoted(work / "small.tar") + " .");
    const double untar = median_seconds(runs, empty_out, "tar -C " + quoted(out) + " -xf " + quoted(work / "small.tar"));
    row("export-multiple --all, 65,535 entries", exported, "tar -x", untar, "≤ 2");

    const double list = median_seconds(runs, [] {}, cli + home + "list " + quoted(work / "small.res") + " >/dev/null");
    row("list, 65,535 entries", list, "", 0, "≤ 0.2 s");

    // MARROWICK_SCALE_KEEP=1 keeps the generated archives for profiling.
    if (const char* keep = std::getenv("MARROWICK_SCALE_KEEP"); keep && *keep == '1')
        std::printf("kept %s\n", work.c_str());
    else
        fs::remove_all(work);
    return 0;
}
