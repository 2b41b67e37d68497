#include "ui/commands.h"

#include "batch/multiple_export.h"
#include "batch/script_run.h"
#include "document/marrowick_doc.h"

namespace mw::ui {

const std::vector<CommandSpec>& command_table()
{
    static const std::vector<CommandSpec> table = {
        {cmd_open, "&File", "&Open...", "Ctrl+O", "Open an existing document"},
        {cmd_exit, "&File", "E&xit", "", "Quit the application; prompts to save documents", true},
        {cmd_as_hex, "&View", "As &Hex", "", ""},
        {cmd_as_file_type, "&View", "As &File Type", "", "View file as file type"},
        {cmd_goto_voices, "&Goto", "&Voices", "", "ATC Voices"},
        {cmd_goto_sounds, "&Goto", "&Sounds", "", "Aircraft Sounds"},
        {cmd_goto_textures, "&Goto", "&Textures", "", "Aircraft Textures"},
        {cmd_goto_models, "&Goto", "3D &Models", "", "Aircraft 3D Models"},
        {cmd_goto_palette, "&Goto", "&Palette", "", "Aircraft Palette"},
        {cmd_goto_cockpit, "&Goto", "&Cockpit", "", "Cockpit & Panel"},
        {cmd_export_convert, "&Export", "Con&vert", "", "Export file with conversion"},
        {cmd_export_original, "&Export", "&Original Format", "", "Export file in original format"},
        {cmd_export_multiple, "&Export", "&Multiple", "", "Export multiple files"},
        {cmd_export_options, "&Export", "Options...", "", "", true},
        {cmd_import_single, "&Import", "&Single", "", "Import single file"},
        {cmd_import_script, "&Import", "Sc&ript", "", "Import multiple files"},
        {cmd_import_add_file, "&Import", "AddFile", "", "Add a file"},
        {cmd_import_flight_model, "&Import", "Flight Model", "", "Import Flight Model"},
        {cmd_import_with_header, "&Import", "Import with Header", "", "Import with Header (for Advanced Users Only!)"},
        {cmd_about, "&Help", "&About Marrowick...", "", ""},
    };
    return table;
}

const CommandSpec* find_command(int id)
{
    for (const CommandSpec& spec : command_table())
        if (spec.id == id) return &spec;
    return nullptr;
}

int goto_position(int id)
{
    switch (id) {
    case cmd_goto_voices: return 0;
    case cmd_goto_sounds: return 1;
    case cmd_goto_textures: return 2;
    case cmd_goto_models: return 3;
    case cmd_goto_palette: return 4;
    case cmd_goto_cockpit: return 5;
    default: return -1;
    }
}

bool command_enabled(int id, const CMarrowickDoc& doc, const DisplayState& display)
{
    switch (id) {
    case cmd_new:
    case cmd_open:
    case cmd_exit:
    case cmd_about:
    case cmd_export_options: return true;
    case cmd_import_add_file: return false;  // no behaviour of its own
    case cmd_as_hex: return display.showing;
    case cmd_as_file_type: return display.showing && display.has_bytes;
    case cmd_export_convert:
    case cmd_export_original:
    case cmd_import_single:
    case cmd_import_with_header: return doc.has_selected_entry();
    case cmd_export_multiple: return doc.archive_usable() && can_export_multiple(doc);
    case cmd_import_script: return doc.archive_usable() && can_run_script(doc);
    case cmd_import_flight_model: return doc.archive_usable() && doc.can_import_flight_model();
    default: break;
    }
    const int position = goto_position(id);
    if (position >= 0) return doc.archive_usable() && doc.can_goto(position);
    return false;
}

}  // namespace mw::ui
