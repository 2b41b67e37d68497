// The document: the open archive, the selection, the analysis results, and
// the commands that open, export and import. It never shows a dialog: the
// commands take what the user chose as arguments, and the document supplies
// the dialogs' parameters and the menus' enabling rules as queries.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/res_archive.h"
#include "document/archive_analysis.h"
#include "document/document_views.h"

namespace mw {

namespace fs = std::filesystem;

struct AircraftName;
struct NameLayout;
struct Record;
struct RecordSpec;

inline constexpr char main_title[] = "Marrowick for Cloudmere";

struct FileDialogParams {
    std::string filter;             // "Name (*.ext)|*.ext|...||"
    std::string default_extension;  // "" for none
    std::string initial_folder;
};

class CMarrowickDoc {
public:
    explicit CMarrowickDoc(DocumentViews& views) : views_(views) {}
    CMarrowickDoc(const CMarrowickDoc&) = delete;
    CMarrowickDoc& operator=(const CMarrowickDoc&) = delete;

    // File > Open with the chosen path: loads it, then fills or empties the tree.
    [[nodiscard]] int open_archive(const fs::path& path);
    // Loads an archive path: folders, temp files, selection reset, open, analysis.
    [[nodiscard]] int load_archive(const fs::path& path);

    // The tree's selection of (file, item): file 0 is the root, files and items count from 1.
    void select(int file, int item);

    // Export > Convert / Original Format with the chosen path. 0 or -1.
    [[nodiscard]] int export_converted(const fs::path& destination);
    [[nodiscard]] int export_original(const fs::path& destination);
    // Import > Single / Import with Header with the chosen path. 0 or -1.
    // Without `convert` the file is taken as the stored form.
    [[nodiscard]] int import_single(const fs::path& source, bool convert = true);
    [[nodiscard]] int import_with_header(const fs::path& source);
    // Import > Flight Model with the chosen physics archive. 0 or -1.
    [[nodiscard]] int import_flight_model(const fs::path& physics_archive);
    // Export > Options... confirmed.
    void set_options(int palette_format, int model_source_export_option);

    // Current palette: 1-based position in the palette list; keys 1...9, ",", ".".
    void select_palette(int n);
    void next_palette() { select_palette(current_palette_ + 1); }
    void previous_palette() { select_palette(current_palette_ - 1); }

    // Goto > Voices ... Cockpit: selects key entry j (0 ... 5) through the tree.
    void goto_key_entry(int j);

    // Extracts texture base entry + t, converted, to temp + "mw3792_texture%d.bmp" for each t;
    // nothing when the archive has no texture entry.
    void extract_textures(const std::vector<int>& texture_numbers);

    // Aircraft record forms (record_saving.h). The record kind of the
    // selected item when the display shows its form: by the entry's resource
    // ID and, for 2138, the item's length; nullptr otherwise.
    const RecordSpec* selected_record_kind() const;
    // The selected item's record from its temporary file; nothing after the load's message.
    std::optional<Record> load_selected_record() const;
    std::optional<AircraftName> load_selected_aircraft_name() const;
    // A confirmed form: writes the record's new values over `file` (the prop
    // and player-sound forms write it themselves first), replaces the selected
    // item of the record's entry with it, reopens, reselects. Refused for
    // records that are shown only.
    [[nodiscard]] int save_record(const fs::path& file, const Record& record);
    [[nodiscard]] int save_aircraft_name(const fs::path& file, std::string_view name, std::string_view description,
                                         const NameLayout& layout);
    // The replace-only saves after the prop or a player-sound form wrote `file`.
    [[nodiscard]] int save_prop(const fs::path& file);
    [[nodiscard]] int save_player_sound(const fs::path& file);

    // Dialog parameters.
    FileDialogParams open_dialog() const;
    FileDialogParams export_converted_dialog() const;
    FileDialogParams export_original_dialog() const;
    FileDialogParams import_dialog() const;
    FileDialogParams flight_model_dialog() const;

    // Menu enabling. An archive is usable while it is open with entries that
    // match the file on disk; commands that read or write it need one.
    bool archive_usable() const { return archive_.is_open(); }
    bool has_selected_entry() const
    {
        return archive_usable() && selected_file_ >= 1 && archive_.entry(selected_file_ - 1);
    }
    bool can_goto(int j) const;
    bool can_import_flight_model() const { return analysis_.aircraft_archive; }

    // State.
    ResArchive& archive() { return archive_; }
    const ResArchive& archive() const { return archive_; }
    const ArchiveAnalysis& analysis() const { return analysis_; }
    int selected_file() const { return selected_file_; }
    int selected_item() const { return selected_item_; }
    int last_selected_item() const { return last_selected_item_; }
    int current_palette() const { return current_palette_; }
    const std::string& info_text() const { return info_text_; }
    const DisplayRequest& display_request() const { return display_; }
    // The selected entry, or nullptr.
    ResEntry* selected_entry() { return selected_file_ >= 1 ? archive_.entry(selected_file_ - 1) : nullptr; }
    const ResEntry* selected_entry() const { return selected_file_ >= 1 ? archive_.entry(selected_file_ - 1) : nullptr; }

private:
    void reset_state();
    void show_selection();
    [[nodiscard]] int reload_and_reselect(int file, int item);
    // After a failed write: an archive left closed is opened again (or
    // cleared when it cannot be), so no command runs on stale entries; with
    // `forget_extraction` the selected entry's extracted files, which may
    // hold the failed change, are read from the archive again.
    void recover_after_failed_write(int file, int item, bool forget_extraction = false);
    std::string converted_filter(bool for_export, std::string* default_extension) const;
    // The record saves' common sequence around `write_file` (may be empty).
    [[nodiscard]] int save_selected_item(int resource_id, const fs::path& file, const std::string& locate_error,
                                         const std::function<int()>& write_file);
    int record_entry_index(int resource_id) const;

    DocumentViews& views_;
    ResArchive archive_;
    ArchiveAnalysis analysis_;
    int selected_file_ = -1;
    int selected_item_ = -1;
    int last_selected_item_ = -1;
    int current_palette_ = 0;
    std::string info_text_;
    DisplayRequest display_;
};

}  // namespace mw
