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

// The "Import Status" window as lines: progress on stdout, "ERROR:" lines on
// stderr. "Import Failed" is left to the message that follows it, so it is
// said once; a progress value is said when it changes.
class ConsoleStatus final : public ImportStatus {
public:
    void add_line(const std::string& line) override
    {
        if (line == import_failed_line) return;
        std::ostream& out = line.rfind("ERROR:", 0) == 0 ? std::cerr : std::cout;
        out << line << '\n' << std::flush;
    }
    void set_progress(int position) override
    {
        if (position == shown_) return;
        shown_ = position;
        std::cout << "Progress: " << position << "%\n" << std::flush;
    }
    bool stop_requested() override { return interrupted != 0; }

private:
    int shown_ = -1;
};

// Loads SCRIPT as "Load Script" would; false after the messages when any line was refused.
bool load_script(const std::string& script, ImportScriptDialogModel& dialog)
{
    return dialog.load(fs::absolute(script)) == 0;
}

}  // namespace

int run_import_script(Args& args)
{
    if (!args.expect({"ARCHIVE", "SCRIPT.mws"}, 2)) return usage(args, "import-script");
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
    if (!args.expect({"check", "ARCHIVE", "SCRIPT.mws"}, 3)) return usage(args, "script");
    if (args[0] != "check") return usage_problem("script", "unknown action '" + args[0] + "' (the action is check)");
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
    for (const std::string& line : problems) std::cerr << line << '\n';
    if (!problems.empty()) return exit_failed;
    std::cout << entries.size() << (entries.size() == 1 ? " entry" : " entries") << " checked, no errors\n";
    return exit_ok;
}

int run_export_multiple(Args& args)
{
    const bool original = args.flag("--original");
    const bool all = args.flag("--all");
    if (!args.expect({"ARCHIVE", "DESTDIR", "FILE..."}, 2)) return usage(args, "export-multiple");
    if (all == (args.count() > 2))
        return usage_problem("export-multiple", all ? "--all or FILE numbers, not both" : "missing FILE or --all");
    std::vector<int> files;
    for (std::size_t i = 2; i < args.count(); ++i) {
        const auto file = args.number(i, "FILE", 1, 65535);
        if (!file) return usage(args, "export-multiple");
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

    // A failed item's own message has said why; this line says which one.
    auto progress = [](const ExportedItem& exported) {
        if (exported.result == 0)
            std::cout << "File " << exported.file << " Item " << exported.item << " -> " << exported.target.string() << '\n';
        else
            std::cerr << "File " << exported.file << " Item " << exported.item << " was not exported\n";
    };
    const int result = export_multiple(archive, session.views, dialog.selected_rows(), dialog.destination(),
                                       dialog.convert(), progress);
    return result == 0 ? exit_ok : exit_failed;
}

int run_options(Args& args)
{
    const auto palette_format = args.option("--palette-format");
    if (!args.expect({}, 0)) return usage(args, "options");
    ExportOptions options = current_export_options();
    if (palette_format) {
        if (*palette_format != "jasc" && *palette_format != "corel")
            return usage_problem("options", "--palette-format must be jasc or corel: '" + *palette_format + "'");
        options.palette_format = *palette_format == "corel" ? 1 : 0;
        store_export_options(options);
    }
    std::cout << "Program folder    : " << Workspace::instance().program_folder().string() << '\n'
              << palette_format_group << "    : " << palette_format_choices[options.palette_format]
              << (options.palette_format == 1 ? " (corel)" : " (jasc)") << '\n'
              << model_source_group << " : " << model_source_choices[options.model_source_mode] << '\n';
    return exit_ok;
}

}  // namespace mw::cli
