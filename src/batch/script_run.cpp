#include "batch/script_run.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>

#include "app/workspace/messages.h"
#include "app/workspace/workspace.h"
#include "archive/file_io.h"
#include "batch/script_messages.h"

namespace mw {

namespace {

std::string invalid_file_line(int file)
{
    return "ERROR: Invalid File Number (" + std::to_string(file) + ")";
}

std::string invalid_item_line(int item, int file)
{
    return "ERROR: Invalid Item Number (" + std::to_string(item) + ") for File " + std::to_string(file);
}

std::string missing_file_line(const fs::path& path)
{
    return "ERROR: File " + path.string() + " does not exist or is in use by another application";
}

bool can_read(const fs::path& path)
{
    std::error_code ec;
    // A folder opens as a stream on some systems but is no file to import.
    if (fs::is_directory(path, ec)) return false;
    return static_cast<bool>(std::ifstream(path, std::ios::binary));
}

// Entry `entry`'s replacement by the stored form its raw file holds.
EntryReplacement stored_replacement(const ResEntry& entry)
{
    return {entry.entry_index, entry.directory_block, entry.raw_file_path(), entry.new_uncompressed_length,
            entry.new_stored_length};
}

}  // namespace

fs::path script_entry_path(const fs::path& script_folder, const std::string& name)
{
    std::string folder = script_folder.string();
    if (folder.empty() || (folder.back() != '/' && folder.back() != '\\')) folder += '/';
    // Joined as text: a name is never taken as a path of its own.
    return fs::path(folder + name);
}

std::vector<std::string> check_script(const ResArchive& archive, const std::vector<ScriptEntry>& entries,
                                      const fs::path& script_folder)
{
    std::vector<std::string> lines;
    for (const ScriptEntry& entry : entries) {
        if (entry.file < 1 || entry.file > archive.entry_count()) {
            lines.push_back(invalid_file_line(entry.file));
        } else if (entry.item < 0 || entry.item > archive.entry(entry.file - 1)->item_count) {
            lines.push_back(invalid_item_line(entry.item, entry.file));
        }
        const fs::path file = script_entry_path(script_folder, entry.name);
        if (!can_read(file)) lines.push_back(missing_file_line(file));
    }
    return lines;
}

bool can_run_script(const CMarrowickDoc& doc)
{
    return doc.archive().is_open() && doc.archive().entry_count() > 0;
}

void ScriptRun::advance(int step)
{
    progress_ += step;
    status_.set_progress(progress_);
}

int ScriptRun::convert_line(int index, int item, const fs::path& source, bool last_line)
{
    ResEntry& target = *doc_.archive().entry(index);
    const fs::path data_part = Workspace::instance().temp_file("import.bin");
    if (target.build_import_data(item, source, true, data_part) != 0) return -1;
    // The checks an import of this line alone would meet, at this line.
    const std::optional<std::uint32_t> length = target.storable_length(data_part);
    if (!length || target.check_items_fit(*length) != 0) return -1;
    if (last_line && target.finish_import(data_part) != 0) return -1;
    if (doc_.archive().check_replaceable(index) != 0) return -1;
    // After the last line the raw file holds the stored form: nothing
    // extracts the entry again before the archive is read anew.
    return target.set_pending_data_part(data_part);
}

ScriptRun::StepResult ScriptRun::import_entries(const std::vector<ScriptEntry>& entries, const fs::path& script_folder,
                                                int& imported)
{
    ResArchive& archive = doc_.archive();
    const int step = static_cast<int>(100 / (2 * entries.size()));
    std::vector<int> lines_per_entry(static_cast<std::size_t>(archive.entry_count()), 0);
    for (const ScriptEntry& entry : entries) ++lines_per_entry[static_cast<std::size_t>(entry.file - 1)];
    std::vector<int> lines_left = lines_per_entry;
    std::vector<int> converted;  // entries whose raw file holds data the archive does not
    std::vector<EntryReplacement> replacements;  // entries ready for the archive
    StepResult result = StepResult::imported;
    for (const ScriptEntry& entry : entries) {
        if (status_.stop_requested()) {
            result = StepResult::stopped;
            break;
        }
        status_.add_line("Importing file " + entry.name);
        const int index = entry.file - 1;
        ResEntry& target = *archive.entry(index);
        const fs::path source = script_entry_path(script_folder, entry.name);
        // After an import every entry is as if read anew: its handler comes
        // from the content of the item extracted next.
        if (imported > 0) target.type_handler.reset();

        // A whole entry without items replaced once, by content its type
        // stores as it is, is replaced straight from the script's file (a
        // raw entry reads the file itself): extracting the entry and copying
        // the file on the way would give the same bytes.
        if (entry.item == 0 && target.replaceable_in_memory() &&
            lines_per_entry[static_cast<std::size_t>(index)] == 1) {
            if (target.detect_type_in_archive() != 0) {
                messages_.show(script_messages::export_failed);
                result = StepResult::failed;
                break;
            }
            if (target.type_handler->imports_unchanged()) {
                advance(step);
                if (status_.stop_requested()) {
                    result = StepResult::stopped;
                    break;
                }
                std::optional<EntryReplacement> replacement = target.replacement_by_file(source);
                if (!replacement || archive.check_replaceable(index) != 0) {
                    if (replacement && !replacement->data_file_is_users) (void)remove_file(replacement->data_file);
                    result = StepResult::failed;
                    break;
                }
                replacements.push_back(std::move(*replacement));
                --lines_left[static_cast<std::size_t>(index)];
                ++imported;
                advance(step);
                continue;
            }
        }

        if (archive.extract(index, entry.item, {}, ResEntry::to_temp, true) != 0) {
            messages_.show(script_messages::export_failed);
            result = StepResult::failed;
            break;
        }
        advance(step);
        if (status_.stop_requested()) {
            result = StepResult::stopped;
            break;
        }
        // An entry is finished at its last line, so a failure of its stored
        // form ends the run at that line, with the lines before imported.
        int& left = lines_left[static_cast<std::size_t>(index)];
        if (convert_line(index, entry.item, source, left == 1) != 0) {
            result = StepResult::failed;
            break;
        }
        if (std::find(converted.begin(), converted.end(), index) == converted.end()) converted.push_back(index);
        if (--left == 0) replacements.push_back(stored_replacement(target));
        ++imported;
        advance(step);
    }

    // Entries whose later lines were not reached keep what the lines before gave them.
    for (int i : converted) {
        if (lines_left[static_cast<std::size_t>(i)] == 0) continue;
        ResEntry& entry = *archive.entry(i);
        if (entry.finish_import(entry.raw_file_path()) != 0) {
            result = StepResult::failed;
            continue;
        }
        replacements.push_back(stored_replacement(entry));
    }
    if (replacements.empty()) {
        // The raw files must not keep what the archive never received.
        for (int i : converted) archive.entry(i)->forget_extraction();
        imported = 0;
        return result;
    }
    if (write_replacements(converted, std::move(replacements)) != 0) {
        if (!reload_failed_) imported = 0;  // the archive is as it was
        return StepResult::failed;
    }
    return result;
}

int ScriptRun::write_replacements(const std::vector<int>& converted, std::vector<EntryReplacement> replacements)
{
    ResArchive& archive = doc_.archive();
    std::vector<fs::path> made;  // data files of this run's own among the replacements
    for (const EntryReplacement& r : replacements)
        if (!r.data_file_is_users) made.push_back(r.data_file);
    const int result = archive.rewrite_entries(std::move(replacements));
    for (const fs::path& file : made) (void)remove_file(file);  // a replaced archive took them already

    // The archive is read anew; on a failure its raw files must not keep what it never received.
    if (result != 0 && archive.is_open()) {
        for (int i : converted) archive.entry(i)->forget_extraction();
        return -1;
    }
    if (doc_.load_archive(archive.path()) != 0) {
        reload_failed_ = true;
        return -1;
    }
    return result;
}

ScriptOutcome ScriptRun::run(const std::vector<ScriptEntry>& entries, const fs::path& script_folder)
{
    if (!can_run_script(doc_)) return ScriptOutcome::not_run;
    views_.stop_sound();
    Workspace::instance().set_last_import_dir(script_folder);
    progress_ = 0;
    reload_failed_ = false;
    if (entries.empty()) {
        status_.add_line(script_empty_line);
        return ScriptOutcome::empty;
    }

    WaitScope wait(views_, false);
    const std::vector<std::string> problems = check_script(doc_.archive(), entries, script_folder);
    for (const std::string& line : problems) status_.add_line(line);
    int imported = 0;
    const StepResult result = problems.empty() ? import_entries(entries, script_folder, imported) : StepResult::failed;
    wait.end();

    // Whatever was imported stays in the archive: the tree shows it.
    auto show_archive = [&] {
        if (imported == 0) return;
        if (reload_failed_)
            views_.clear_tree();
        else
            views_.fill_tree();
    };
    if (result == StepResult::imported) {
        status_.set_progress(100);
        status_.add_line(import_completed_line);
        views_.fill_tree();
        return ScriptOutcome::completed;
    }
    if (result == StepResult::stopped) {
        status_.add_line(import_aborted_line);
        show_archive();
        return ScriptOutcome::aborted;
    }
    status_.add_line(import_failed_line);
    messages_.show(script_messages::import_failed);
    show_archive();
    return ScriptOutcome::failed;
}

}  // namespace mw
