// Batch commands: import-script, script check, export-multiple, options.
#include <algorithm>
#include <csignal>
#include <iostream>

#include "app/workspace/messages.h"
#include "app/workspace/workspace.h"
#include "batch/export_options.h"
#include "batch/multiple_export.h"
#include "batch/script_dialogs.h"
#include "batch/script_run.h"
#include "cli/commands.h"
#include "cli/headless_views.h"

namespace mw::cli {

namespace {

// Ctrl+C during an import run asks for a stop, honoured at the run's next check point.
volatile std::sig_atomic_t interrupted = 0;
extern "C" void request_stop(int) { interrupted = 1; }

class InterruptAsStop {
public:
    InterruptAsStop() { previous_ = std::signal(SIGINT, request_stop); }
    ~InterruptAsStop() { std::signal(SIGINT, previous_); }
    InterruptAsStop(const InterruptAsStop&) = delete;
    InterruptAsStop& operator=(const InterruptAsStop&) = delete;

private:
    void (*previous_)(int) = SIG_DFL;
};

// The "Import Status" window as lines on stdout.
class ConsoleStatus final : public ImportStatus {
public:
    void add_line(const std::string& line) override { std::cout << line << '\n' << std::flush; }
    void set_progress(int position) override { std::cout << "Progress: " << position << "%\n" << std::flush; }
    bool stop_requested() override { return interrupted != 0; }
};

// Loads SCRIPT as "Load Script" would; false after the messages when any line was refused.
bool load_script(const std::string& script, ImportScriptDialogModel& dialog)
{
    return dialog.load(fs::absolute(script)) == 0;
}

}  // namespace

int run_import_script(Args& args)
{
    if (args.count() != 2 || args.has_unknown_option() || args.usage_error()) return usage("import-script");
    HeadlessDocument session;
    if (session.doc.open_archive(args[0]) != 0) return exit_failed;
    ImportScriptDialogModel dialog(Workspace::instance().last_import_dir());
    // Nothing is imported from a script that was not taken whole.
    if (!load_script(args[1], dialog)) return exit_failed;
    ConsoleStatus status;
    InterruptAsStop stop_on_interrupt;
    const ScriptOutcome outcome = ScriptRun(session.doc, session.views, status).run(dialog.import_entries(), dialog.script_folder());
    return outcome == ScriptOutcome::completed ? exit_ok : exit_failed;
}

int run_script(Args& args)
{
    if (args.count() != 3 || args[0] != "check" || args.has_unknown_option() || args.usage_error()) return usage("script");
    HeadlessDocument session;
    if (session.doc.open_archive(args[1]) != 0) return exit_failed;
    ImportScriptDialogModel dialog(Workspace::instance().last_import_dir());
    if (!load_script(args[2], dialog)) return exit_failed;
    const std::vector<ScriptEntry> entries = dialog.import_entries();
    if (entries.empty()) {
        report_error(script_empty_line);
        return exit_failed;
    }
    const std::vector<std::string> problems = check_script(session.doc.archive(), entries, dialog.script_folder());
    for (const std::string& line : problems) std::cout << line << '\n';
    if (!problems.empty()) return exit_failed;
    std::cout << entries.size() << (entries.size() == 1 ? " entry" : " entries") << " checked, no errors\n";
    return exit_ok;
}

int run_export_multiple(Args& args)
{
    const bool original = args.flag("--original");
    const bool all = args.flag("--all");
    if (args.usage_error() || args.has_unknown_option() || args.count() < 2 || (all == (args.count() > 2)))
        return usage("export-multiple");
    std::vector<int> files;
    for (std::size_t i = 2; i < args.count(); ++i) {
        const auto file = parse_integer(args[i]);
        if (!file || *file < 1 || *file > 65535) return usage("export-multiple");
        files.push_back(static_cast<int>(*file));
    }

    HeadlessDocument session;
    if (session.doc.open_archive(args[0]) != 0) return exit_failed;
    ResArchive& archive = session.doc.archive();
    const fs::path destination = fs::absolute(args[1]);
    std::error_code ec;
    if (!fs::is_directory(destination, ec)) {
        report_error("Error: the folder " + destination.string() + " does not exist");
        return exit_failed;
    }

    ExportMultipleDialogModel dialog(archive);
    dialog.folder_chosen(destination);
    dialog.set_convert(!original);
    std::vector<int> rows;
    for (int file : files) {
        if (file > archive.entry_count()) {
            report_error("Error: the archive has no file " + std::to_string(file));
            return exit_failed;
        }
        rows.push_back(file - 1);
    }
    if (all)
        for (int i = 0; i < archive.entry_count(); ++i) rows.push_back(i);
    if (!dialog.confirm(rows)) return exit_failed;

    auto progress = [](const ExportedItem& exported) {
        std::cout << "File " << exported.file << " Item " << exported.item;
        if (exported.result == 0)
            std::cout << " -> " << exported.target.string() << '\n';
        else
            std::cout << " failed\n";
    };
    const int result = export_multiple(archive, session.views, dialog.selected_rows(), dialog.destination(),
                                       dialog.convert(), progress);
    return result == 0 ? exit_ok : exit_failed;
}

int run_options(Args& args)
{
    const auto palette_format = args.option("--palette-format");
    if (args.count() != 0 || args.has_unknown_option() || args.usage_error()) return usage("options");
    ExportOptions options = current_export_options();
    if (palette_format) {
        if (*palette_format != "jasc" && *palette_format != "corel") return usage("options");
        options.palette_format = *palette_format == "corel" ? 1 : 0;
        store_export_options(options);
    }
    std::cout << palette_format_group << "    : " << palette_format_choices[options.palette_format]
              << (options.palette_format == 1 ? " (corel)" : " (jasc)") << '\n'
              << model_source_group << " : " << model_source_choices[options.model_source_mode] << '\n';
    return exit_ok;
}

}  // namespace mw::cli
