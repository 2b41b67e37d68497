// The one process-wide record of folders and settings, and the place where
// the message sink and the resource-ID names live.
//
// The program folder holds "config.cfg", "resid.def", the optional external
// compression tools and the region palettes; the temp folder holds every
// intermediate file. It is a folder of this process's own under program
// folder + "temp", so that two programs using one program folder at once
// never take each other's files for their own. Paths are kept
// whole: "config.cfg" stores each value to the end of its line, so paths
// with spaces survive.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "app/workspace/messages.h"
#include "archive/resid_table.h"

namespace mw {

namespace fs = std::filesystem;

// Where `setup` looks for the program folder.
struct WorkspaceLocation {
    // --home DIR or MARROWICK_HOME: used as it is (created when missing).
    std::optional<fs::path> home;
    // The running program; its folder is used when it holds "resid.def".
    fs::path executable;
    // Otherwise: a per-user folder, seeded with `installed_resid_def`.
    fs::path user_data_folder;
    fs::path installed_resid_def;

    // The location of a program run from `executable`, with MARROWICK_HOME,
    // XDG_DATA_HOME and HOME read from the environment.
    static WorkspaceLocation for_program(const fs::path& executable, std::optional<fs::path> home = std::nullopt);

    // The program folder these rules choose (it may not exist yet).
    fs::path program_folder() const;
};

class Workspace {
public:
    static Workspace& instance();

    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // Messages go to the console until a program or test installs its own
    // sink (not owned; nullptr restores the console).
    MessageSink& messages() { return sink_ ? *sink_ : console_; }
    void set_message_sink(MessageSink* sink) { sink_ = sink; }

    // Finds the program folder, creates the temp folder, loads "config.cfg"
    // and "resid.def". -1 when the temp folder cannot be created or the
    // folders cannot be resolved (the program then ends).
    [[nodiscard]] int setup(const WorkspaceLocation& location);

    // Uses `program_folder` as it is: creates its temp folder, loads the
    // configuration and the names. Tests and `setup` go through here.
    [[nodiscard]] int setup_in(const fs::path& program_folder);

    void load_config();
    // The settings from the text of a "config.cfg".
    void load_config(std::istream& text);
    void save_config();
    // Deletes the temp folder's files named "mw3792_*"; 0, or non-zero on failure.
    int clear_temp();
    // Deletes this process's temp folder with all it holds (at the program's end).
    void remove_temp_folder();

    // Back to the initial values (no folders, settings 0, no names).
    void reset();

    const fs::path& program_folder() const { return program_folder_; }
    const fs::path& temp_folder() const { return temp_folder_; }
    // program folder + name, temp folder + name
    fs::path program_file(const std::string& name) const { return program_folder_ / name; }
    fs::path temp_file(const std::string& name) const { return temp_folder_ / name; }

    const std::string& last_open_dir() const { return last_open_dir_; }
    const std::string& last_export_dir() const { return last_export_dir_; }
    const std::string& last_import_dir() const { return last_import_dir_; }
    void set_last_open_dir(const fs::path& folder);
    void set_last_export_dir(const fs::path& folder);
    void set_last_import_dir(const fs::path& folder);

    int palette_format() const { return palette_format_; }
    void set_palette_format(int value) { palette_format_ = value == 1 ? 1 : 0; }
    int textures_bgr() const { return textures_bgr_; }
    void set_textures_bgr(int value) { textures_bgr_ = value == 1 ? 1 : 0; }
    int model_source_export_option() const { return model_source_export_option_; }
    void set_model_source_export_option(int value) { model_source_export_option_ = value == 1 ? 1 : 0; }

    const ResIdTable& resid_names() const { return resid_names_; }

private:
    Workspace() = default;
    std::string absolute_folder(const fs::path& folder, int error_number);

    ConsoleMessageSink console_;
    MessageSink* sink_ = nullptr;

    fs::path program_folder_;
    fs::path temp_folder_;
    std::string last_open_dir_;
    std::string last_export_dir_;
    std::string last_import_dir_;
    int palette_format_ = 0;
    int textures_bgr_ = 0;
    int model_source_export_option_ = 0;
    ResIdTable resid_names_;
};

}  // namespace mw
