#include "document/marrowick_doc.h"

#include <cstdio>
#include <fstream>

#include "app/workspace/messages.h"
#include "app/workspace/workspace.h"
#include "document/info_text.h"
#include "document/palette_format_scope.h"

namespace mw {

namespace {

const char all_files_filter[] = "All Files (*.*)|*.*||";

}  // namespace

void CMarrowickDoc::reset_state()
{
    selected_file_ = -1;
    selected_item_ = -1;
    last_selected_item_ = -1;
    current_palette_ = 0;
    analysis_ = ArchiveAnalysis{};
    display_ = DisplayRequest{};
}

int CMarrowickDoc::open_archive(const fs::path& path)
{
    const int result = load_archive(path);
    if (result != 0)
        views_.clear_tree();
    else
        views_.fill_tree();
    return result;
}

int CMarrowickDoc::load_archive(const fs::path& given)
{
    // The title and the root's information show the archive's full path.
    std::error_code ec;
    fs::path path = fs::absolute(given, ec);
    if (ec) path = given;
    path = path.lexically_normal();
    Workspace& workspace = Workspace::instance();
    workspace.set_last_open_dir(path.parent_path());
    views_.clear_display();
    if (workspace.clear_temp() != 0) return report_error("Error clearing temporary directory");
    reset_state();
    archive_.clear();
    info_text_.clear();
    views_.set_info_text(info_text_);
    if (archive_.open(path) != 0) {
        views_.set_title(main_title);
        return -1;
    }
    views_.set_title(std::string(main_title) + " - " + archive_.path());
    analysis_ = analyse_archive(archive_);
    current_palette_ = analysis_.palettes.empty() ? 0 : 1;
    return 0;
}

void CMarrowickDoc::select(int file, int item)
{
    selected_file_ = file;
    selected_item_ = item;
    if (file > 0) {
        WaitScope wait(views_, false);
        PaletteFormatScope jasc_only;
        if (archive_.extract(file - 1, item, {}, ResEntry::to_temp, true) != 0) return;
    }
    show_selection();
}

void CMarrowickDoc::show_selection()
{
    if (selected_file_ < 0) return;
    if (selected_file_ == 0) {
        info_text_ = archive_.path();
        display_ = DisplayRequest{};
        views_.clear_display();
        views_.set_info_text(info_text_);
        return;
    }
    const ResEntry* entry = selected_entry();
    if (!entry) return;
    const SelectionView view = classify_selection(*entry, selected_item_, analysis_.aircraft_archive);
    selected_item_ = view.item;
    last_selected_item_ = view.item;
    const std::string handler_lines = entry->type_handler ? entry->type_handler->info_text() : "";
    info_text_ = information_text(view.type_text, handler_lines, entry->resource_id,
                                  Workspace::instance().resid_names().name_of(entry->resource_id), entry->stored_length,
                                  entry->uncompressed_length);
    display_ = DisplayRequest{entry->converted_path, view.display_kind, view.start, view.end};
    views_.show_file(display_);
    views_.set_info_text(info_text_);
}

int CMarrowickDoc::export_converted(const fs::path& destination)
{
    if (!has_selected_entry()) return -1;
    views_.stop_sound();
    WaitScope wait(views_, false);
    Workspace::instance().set_last_export_dir(destination.parent_path());
    return archive_.extract(selected_file_ - 1, selected_item_, destination, ResEntry::to_file, true);
}

int CMarrowickDoc::export_original(const fs::path& destination)
{
    if (!has_selected_entry()) return -1;
    views_.stop_sound();
    WaitScope wait(views_, false);
    Workspace::instance().set_last_export_dir(destination.parent_path());
    return archive_.extract(selected_file_ - 1, selected_item_, destination, ResEntry::to_file, false);
}

int CMarrowickDoc::reload_and_reselect(int file, int item)
{
    if (load_archive(archive_.path()) != 0) {
        views_.clear_tree();
        return -1;
    }
    // The archive was written: an entry that does not read back is no success.
    const ResEntry* written = archive_.entry(file - 1);
    if (!written || written->damaged)
        return report_error("Error#1099: File " + std::to_string(file) + " cannot be read back after the import");
    select(file, item);
    report_info("Import Completed");
    return 0;
}

void CMarrowickDoc::recover_after_failed_write(int file, int item, bool forget_extraction)
{
    if (archive_.is_open()) {
        ResEntry* entry = archive_.entry(file - 1);
        if (forget_extraction && entry) {
            entry->forget_extraction();
            select(file, item);
        }
        return;
    }
    const std::string path = archive_.path();
    if (path.empty() || load_archive(path) != 0) {
        archive_.clear();
        views_.clear_tree();
        return;
    }
    views_.fill_tree();
    select(file, item);
}

int CMarrowickDoc::import_single(const fs::path& source, bool convert)
{
    if (!has_selected_entry()) return -1;
    views_.stop_sound();
    const int file = selected_file_;
    const int item = selected_item_;
    int result;
    {
        WaitScope wait(views_, true);
        Workspace::instance().set_last_import_dir(source.parent_path());
        result = archive_.rewrite(file - 1, item, source, convert, {});
    }
    if (result != 0) {
        recover_after_failed_write(file, item);
        return -1;
    }
    return reload_and_reselect(file, item);
}

int CMarrowickDoc::import_with_header(const fs::path& source)
{
    if (!has_selected_entry()) return -1;
    views_.stop_sound();
    const int file = selected_file_;
    const int item = selected_item_;
    // The header lies beside the file, under its name with the extension ".hdr";
    // a dot in a folder name is not the file's extension.
    const fs::path header = fs::path(source).replace_extension(".hdr");
    int result;
    {
        WaitScope wait(views_, true);
        Workspace::instance().set_last_import_dir(source.parent_path());
        if (!std::ifstream(header, std::ios::binary))
            return report_error("Error: Header file " + header.string() + " doesn't exist");
        result = archive_.rewrite(file - 1, 0, source, false, header);
    }
    if (result != 0) {
        recover_after_failed_write(file, item);
        return -1;
    }
    return reload_and_reselect(file, item);
}

void CMarrowickDoc::set_options(int palette_format, int model_source_export_option)
{
    Workspace::instance().set_palette_format(palette_format);
    Workspace::instance().set_model_source_export_option(model_source_export_option);
}

void CMarrowickDoc::select_palette(int n)
{
    if (n < 1 || n > static_cast<int>(analysis_.palettes.size())) return;
    {
        PaletteFormatScope jasc_only;
        (void)archive_.extract(analysis_.palettes[n - 1], 0, Workspace::instance().temp_file("mw3792_current.pal"),
                               ResEntry::to_file, true);
    }
    current_palette_ = n;
    select(selected_file_, selected_item_);
}

bool CMarrowickDoc::can_goto(int j) const
{
    const auto& keys = analysis_.key_entries;
    if (j >= key_voices && j <= key_models) return !keys.empty();
    if (j == key_palette || j == key_cockpit) return keys.size() == 6;
    return false;
}

void CMarrowickDoc::goto_key_entry(int j)
{
    if (!can_goto(j) || j >= static_cast<int>(analysis_.key_entries.size())) return;
    views_.select_node(analysis_.key_entries[j] + 1, 0);
}

void CMarrowickDoc::extract_textures(const std::vector<int>& texture_numbers)
{
    // Without a texture entry, texture t would be taken from entry t - 1, which is no texture.
    if (analysis_.texture_base_entry < 0) return;
    for (int t : texture_numbers) {
        char name[64];
        std::snprintf(name, sizeof name, "mw3792_texture%d.bmp", t);
        // A failed texture is reported and the next one is tried.
        (void)archive_.extract(analysis_.texture_base_entry + t, 0, Workspace::instance().temp_file(name),
                               ResEntry::to_file, true);
    }
}

std::string CMarrowickDoc::converted_filter(bool for_export, std::string* default_extension) const
{
    default_extension->clear();
    const ResEntry* entry = selected_entry();
    if (!entry || !entry->type_handler || entry->type_handler->extension() == "unknown") return all_files_filter;
    const FileType& handler = *entry->type_handler;
    std::string extension = handler.extension();
    if (handler.type_code() == type_palette && Workspace::instance().palette_format() == 1) extension = "cpl";
    *default_extension = extension;
    return handler.type_name() + " Files (*." + extension + ")|*." + extension +
           (for_export ? "|3D Model Source (*.e)|*.e|3D COB Model (*.cob)|*.cob||" : "||");
}

FileDialogParams CMarrowickDoc::open_dialog() const
{
    return {"Res Files (*.res)|*.res||", "res", Workspace::instance().last_open_dir()};
}

FileDialogParams CMarrowickDoc::export_converted_dialog() const
{
    FileDialogParams params;
    params.filter = converted_filter(true, &params.default_extension);
    params.initial_folder = Workspace::instance().last_export_dir();
    return params;
}

FileDialogParams CMarrowickDoc::export_original_dialog() const
{
    return {all_files_filter, "", Workspace::instance().last_export_dir()};
}

FileDialogParams CMarrowickDoc::import_dialog() const
{
    FileDialogParams params;
    params.filter = converted_filter(false, &params.default_extension);
    params.initial_folder = Workspace::instance().last_import_dir();
    return params;
}

FileDialogParams CMarrowickDoc::flight_model_dialog() const
{
    return {"Physics .res files (*.res)|*.res|All Files (*.*)|*.*||", "res", Workspace::instance().last_import_dir()};
}

}  // namespace mw
