// Export > Multiple: every item of the chosen entries into one folder,
// converted or in stored form, and the "Export Multiple Files" dialog's
// rows and checks.
//
// Exported names are those of a folder export: the temporary name without
// its "mw3792_" prefix, e.g. "a_003_300_item2.bmp", or "a_001_7." in stored
// form. A failing item does not stop the others; only the closing count
// message is withheld, each failure having shown its own message.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "batch/dialog_message.h"
#include "document/document_views.h"
#include "document/marrowick_doc.h"

namespace mw {

namespace fs = std::filesystem;

inline constexpr char export_folder_browser_title[] = "Choose Folder For BMP Extraction";

// One row per entry, in index order: the entry's tree text, followed by
// four spaces and "%d Items" when its node has more than one child.
std::vector<std::string> export_rows(const ResArchive& archive);

// True when Export > Multiple may run: an archive with entries is open.
bool can_export_multiple(const CMarrowickDoc& doc);

// The dialog "Export Multiple Files".
class ExportMultipleDialogModel {
public:
    // The destination starts as the last export folder.
    explicit ExportMultipleDialogModel(const ResArchive& archive, DialogMessenger& messages = sink_messenger());

    const std::vector<std::string>& rows() const { return rows_; }
    const std::string& destination() const { return destination_; }
    bool convert() const { return convert_; }
    void set_convert(bool convert) { convert_ = convert; }
    bool ok_enabled() const { return ok_enabled_; }

    // "Browse ...": the chosen folder's file-system path, or nothing when the
    // chosen item has none ("Folder not in file system"). A cancelled browser
    // is no call at all.
    void folder_chosen(const std::optional<fs::path>& folder);

    // "OK" with the selected rows: needs a destination and at least one row;
    // false after the message (the dialog stays). On true, selected_rows()
    // holds the rows in ascending order.
    bool confirm(const std::vector<int>& selected);
    const std::vector<int>& selected_rows() const { return selected_; }

private:
    std::vector<std::string> rows_;
    std::string destination_;
    bool convert_ = true;
    bool ok_enabled_ = true;
    std::vector<int> selected_;
    DialogMessenger& messages_;
};

// One exported item, as it happens: the 1-based file number, the item
// (0 = the whole entry), the result, and the file written (on success).
struct ExportedItem {
    int file = 0;
    int item = 0;
    int result = 0;
    fs::path target;
};
using ExportObserver = std::function<void(const ExportedItem&)>;

// Stops a playing sound, then exports items 1 ... n of each entry in `rows` (the whole entry when it
// has no items) into `destination`, converted when `convert`. The
// destination becomes the last export folder. When every export succeeded,
// shows "%d files have been exported successfuly" with the number of rows
// and returns 0; else -1.
[[nodiscard]] int export_multiple(ResArchive& archive, DocumentViews& views, const std::vector<int>& rows,
                                  const fs::path& destination, bool convert, const ExportObserver& observer = {},
                                  DialogMessenger& messages = sink_messenger());

}  // namespace mw
