#include "batch/script_dialogs.h"

#include "batch/script_messages.h"

namespace mw {

namespace {

// The framework's integer-range check of a dialog field.
bool in_range(int value, int low, int high, DialogMessenger& messages)
{
    if (value >= low && value <= high) return true;
    messages.show({"Please enter an integer between " + std::to_string(low) + " and " + std::to_string(high) + ".",
                   main_title, MessageIcon::exclamation});
    return false;
}

}  // namespace

void AddScriptEntryModel::file_chosen(const fs::path& path)
{
    folder_ = path.parent_path().string();
    file_name_ = path.filename().string();
}

bool AddScriptEntryModel::confirm(DialogMessenger& messages) const
{
    if (!in_range(file_number_, script_file_number_min, script_file_number_max, messages)) return false;
    if (!in_range(item_number_, script_item_number_min, script_item_number_max, messages)) return false;
    if (file_name_.empty()) {
        messages.show(script_messages::no_filename);
        return false;
    }
    return true;
}

void ImportScriptDialogModel::add(const AddScriptEntryModel& confirmed)
{
    import_enabled_ = false;
    if (confirmed.file_name().empty()) return;
    script_folder_ = confirmed.folder();
    (void)list_.add({confirmed.file_number(), confirmed.item_number(), confirmed.file_name()}, messages_);
}

void ImportScriptDialogModel::remove(const std::vector<int>& rows)
{
    if (list_.remove(rows) > 0) import_enabled_ = false;
}

bool ImportScriptDialogModel::can_save() const
{
    if (!list_.empty()) return true;
    messages_.show(script_messages::empty_script);
    return false;
}

void ImportScriptDialogModel::save(const fs::path& chosen)
{
    script_folder_ = chosen.parent_path().string();
    if (write_script(chosen, list_, messages_) != 0) return;
    import_enabled_ = true;
}

int ImportScriptDialogModel::load(const fs::path& chosen)
{
    script_folder_ = chosen.parent_path().string();
    const int result = read_script(chosen, list_, messages_);
    import_enabled_ = true;
    return result;
}

}  // namespace mw
