// What the "Import Script" dialog (CImportMultiDlg) and the "Add Script
// Entry" dialog (CAddScriptDialog) hold and decide; the windows only show it.
//
// "Import" is enabled only after a Save or a Load and disabled again by Add
// and Remove, so a run always follows a list that was saved or loaded.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "batch/dialog_message.h"
#include "batch/script_file.h"
#include "batch/script_list.h"
#include "document/marrowick_doc.h"

namespace mw {

namespace fs = std::filesystem;

inline constexpr int script_file_number_min = 1;
inline constexpr int script_file_number_max = 9999;
inline constexpr int script_item_number_min = 0;
inline constexpr int script_item_number_max = 9999;

// "Add Script Entry": a chosen file and its two numbers.
class AddScriptEntryModel {
public:
    explicit AddScriptEntryModel(std::string folder) : folder_(std::move(folder)) {}

    // "Browse...": any existing file, starting in the dialog's folder.
    FileDialogParams browse_dialog() const { return {"All Files (*.*)|*.*||", "", folder_}; }
    // The browser's choice: its folder becomes the dialog's, its name is shown.
    void file_chosen(const fs::path& path);

    void set_file_number(int n) { file_number_ = n; }
    void set_item_number(int n) { item_number_ = n; }

    // OK: the numbers must lie in their ranges and a file must be chosen;
    // false after the message, and the dialog stays open.
    bool confirm(DialogMessenger& messages = sink_messenger()) const;

    const std::string& folder() const { return folder_; }
    const std::string& file_name() const { return file_name_; }
    int file_number() const { return file_number_; }
    int item_number() const { return item_number_; }

private:
    std::string folder_;
    std::string file_name_;
    int file_number_ = 1;
    int item_number_ = 0;
};

// "Import Script": the list, the script folder and the "Import" button's state.
class ImportScriptDialogModel {
public:
    // `script_folder` is preset by the caller (the last import folder).
    explicit ImportScriptDialogModel(std::string script_folder, DialogMessenger& messages = sink_messenger())
        : script_folder_(std::move(script_folder)), messages_(messages)
    {
    }

    // "Add": a fresh "Add Script Entry" model in the script folder.
    AddScriptEntryModel add_dialog() const { return AddScriptEntryModel(script_folder_); }
    // The add dialog closed with OK.
    void add(const AddScriptEntryModel& confirmed);
    // "Remove" with the selected rows.
    void remove(const std::vector<int>& rows);

    // "Save Script": false (after "The script has no entries") when there is
    // nothing to save; otherwise the save dialog is shown with save_dialog().
    bool can_save() const;
    FileDialogParams save_dialog() const { return {script_filter, "mws", script_folder_}; }
    void save(const fs::path& chosen);

    // "Load Script" with the chosen file; "Import" is enabled whatever the reading gives.
    FileDialogParams load_dialog() const { return {script_filter, "", script_folder_}; }
    // 0 when the whole script was taken, else -1 (after the messages).
    int load(const fs::path& chosen);

    // "Import": the entries handed to the run, in list order.
    std::vector<ScriptEntry> import_entries() const { return list_.entries(); }

    const ScriptList& list() const { return list_; }
    const std::string& script_folder() const { return script_folder_; }
    bool import_enabled() const { return import_enabled_; }

private:
    ScriptList list_;
    std::string script_folder_;
    bool import_enabled_ = false;
    DialogMessenger& messages_;
};

}  // namespace mw
