#include "batch/multiple_export.h"

#include <algorithm>

#include "app/workspace/workspace.h"
#include "archive/tree_text.h"

namespace mw {

namespace {

const DialogMessage not_in_file_system{"Folder not in file system", "Error", MessageIcon::stop};
const DialogMessage no_destination{"Please select a destination folder", "No Folder Selected", MessageIcon::exclamation};
const DialogMessage no_rows{"Please select the files you want to export", "No Files Selected", MessageIcon::exclamation};

DialogMessage exported_message(std::size_t rows)
{
    return {std::to_string(rows) + " files have been exported successfuly", main_title, MessageIcon::information};
}

// The file a folder export of (entry, item) has just written.
fs::path exported_file(const ResEntry& entry, int item, bool convert, const fs::path& destination)
{
    const fs::path written = convert ? entry.converted_path : item == 0 ? entry.raw_file_path() : entry.item_file_path(item);
    const std::string name = written.filename().string();
    const std::string prefix = "mw3792_";
    return destination / (name.starts_with(prefix) ? name.substr(prefix.size()) : name);
}


}  // namespace

std::vector<std::string> export_rows(const ResArchive& archive)
{
    std::vector<std::string> rows;
    for (const ResEntry& entry : archive.entries()) {
        std::string row = file_node_text(entry);
        if (entry.item_count > 1) row += "    " + std::to_string(entry.item_count) + " Items";
        rows.push_back(std::move(row));
    }
    return rows;
}

bool can_export_multiple(const CMarrowickDoc& doc)
{
    return doc.archive().is_open() && doc.archive().entry_count() > 0;
}

ExportMultipleDialogModel::ExportMultipleDialogModel(const ResArchive& archive, DialogMessenger& messages)
    : rows_(export_rows(archive)), destination_(Workspace::instance().last_export_dir()), messages_(messages)
{
}

void ExportMultipleDialogModel::folder_chosen(const std::optional<fs::path>& folder)
{
    if (!folder) {
        ok_enabled_ = false;
        messages_.show(not_in_file_system);
        return;
    }
    destination_ = folder->string();
    ok_enabled_ = true;
}

bool ExportMultipleDialogModel::confirm(const std::vector<int>& selected)
{
    if (destination_.empty()) {
        messages_.show(no_destination);
        return false;
    }
    std::vector<int> rows;
    for (int row : selected)
        if (row >= 0 && static_cast<std::size_t>(row) < rows_.size()) rows.push_back(row);
    if (rows.empty()) {
        messages_.show(no_rows);
        return false;
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    selected_ = std::move(rows);
    return true;
}

int export_multiple(ResArchive& archive, DocumentViews& views, const std::vector<int>& rows,
                    const fs::path& destination, bool convert, const ExportObserver& observer,
                    DialogMessenger& messages)
{
    views.stop_sound();  // as every command does
    int failures = 0;
    {
        WaitScope wait(views, false);
        Workspace::instance().set_last_export_dir(destination);
        for (int row : rows) {
            const ResEntry* entry = archive.entry(row);
            const int items = entry ? entry->item_count : 0;
            for (int item = items > 0 ? 1 : 0; item <= items; ++item) {
                const int result = archive.extract(row, item, destination, ResEntry::to_folder, convert);
                if (result != 0) ++failures;
                if (observer)
                    observer({row + 1, item, result,
                              result == 0 ? exported_file(*archive.entry(row), item, convert, destination) : fs::path()});
            }
        }
    }
    if (failures != 0) return -1;
    messages.show(exported_message(rows.size()));
    return 0;
}

}  // namespace mw
