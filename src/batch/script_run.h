// The import run of a script on the open document: checks every entry
// against the archive and the script folder, then replaces the items one by
// one, reporting to the "Import Status" window.
//
// Each entry is extracted in converted form first (which creates its type
// handler and, for images, reads the item header the import needs), then
// converted to its entry's new data part, which the entry's raw file keeps,
// so a later entry for the same file or item builds on it. A whole entry
// without items, replaced once by content its type stores unchanged (sounds,
// data of no known type), skips both: its type comes from the archive's
// bytes (decoded in memory), and the new archive reads the script's file
// itself, or for a compressed entry the file compressed in memory. Each line
// is checked as importing it alone would check it, and an entry takes its
// stored form at its last line, so a failure ends the run at the line where
// importing the lines one by one would meet it. The archive is then written
// once with every entry the lines before the end gave, and loaded again: the
// result is the archive that importing the entries one by one would give.
// Progress moves by 100 / (2 × entries) after each extraction and each
// conversion, and is set to 100 when everything was imported.
//
// Outcomes, written as the last status line:
//   "Import Completed"        every entry imported; the tree is rebuilt.
//   "Import aborted by user"  a stop was honoured at a check point (before
//                             an entry, after its extraction); the tree is
//                             rebuilt when anything was imported.
//   "Import Failed"           a check, an extraction, an import or the
//                             reload failed; also shown as a message box.
//                             The lines before a failed line are still
//                             imported, and the tree is rebuilt to show them;
//                             a failed write of the archive itself leaves it
//                             as it was.
//   "The script has no entries"  an empty list; nothing is touched.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "batch/dialog_message.h"
#include "batch/script_list.h"
#include "document/document_views.h"
#include "document/marrowick_doc.h"

namespace mw {

namespace fs = std::filesystem;

inline constexpr char import_completed_line[] = "Import Completed";
inline constexpr char import_aborted_line[] = "Import aborted by user";
inline constexpr char import_failed_line[] = "Import Failed";
inline constexpr char script_empty_line[] = "The script has no entries";

// The "Import Status" window: a list of status lines, a progress bar 0 ... 100
// and the stop request (Esc or the close box).
class ImportStatus {
public:
    virtual ~ImportStatus() = default;
    virtual void add_line(const std::string& line) = 0;
    virtual void set_progress(int position) = 0;
    // Asked at each check point; the GUI lets pending window messages run here.
    virtual bool stop_requested() = 0;
};

enum class ScriptOutcome {
    not_run,    // no archive with entries is open: nothing happens
    empty,      // "The script has no entries"
    completed,  // "Import Completed"
    aborted,    // "Import aborted by user"
    failed,     // "Import Failed"
};

// The path of a script entry's file: the script folder, a separator, the name.
fs::path script_entry_path(const fs::path& script_folder, const std::string& name);

// The check lines for `entries`, in list order; empty when all pass. Each
// failed check gives one line: an invalid file number, an invalid item
// number of an existing entry, a file that cannot be opened for reading.
std::vector<std::string> check_script(const ResArchive& archive, const std::vector<ScriptEntry>& entries,
                                      const fs::path& script_folder);

// True when the Import > Script command may run: an archive with entries is open.
bool can_run_script(const CMarrowickDoc& doc);

class ScriptRun {
public:
    // `views` are the document's views (the tree is rebuilt through them).
    ScriptRun(CMarrowickDoc& doc, DocumentViews& views, ImportStatus& status,
              DialogMessenger& messages = sink_messenger())
        : doc_(doc), views_(views), status_(status), messages_(messages)
    {
    }

    // Runs `entries` (in this order) with files from `script_folder`, which
    // becomes the last import folder.
    ScriptOutcome run(const std::vector<ScriptEntry>& entries, const fs::path& script_folder);

private:
    enum class StepResult { imported, failed, stopped };
    StepResult import_entries(const std::vector<ScriptEntry>& entries, const fs::path& script_folder, int& imported);
    // Converts `source` into entry `index`'s new data part (of item `item`)
    // and checks that the archive can take it; at the entry's last line the
    // data part becomes the stored form. The raw file takes the result only
    // when everything passed, so after a failure it keeps what the lines
    // before gave the entry. 0 or -1.
    int convert_line(int index, int item, const fs::path& source, bool last_line);
    // Writes `replacements` into the archive at once and reads it anew; on a
    // failure the `converted` entries forget their raw files. 0 or -1.
    int write_replacements(const std::vector<int>& converted, std::vector<EntryReplacement> replacements);
    void advance(int step);

    CMarrowickDoc& doc_;
    DocumentViews& views_;
    ImportStatus& status_;
    DialogMessenger& messages_;
    int progress_ = 0;
    bool reload_failed_ = false;
};

}  // namespace mw
