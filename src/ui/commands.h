// The menu commands: their numbers, menus, labels ("&" marks the mnemonic),
// shortcuts and status-bar texts, and the rules that enable them.
#pragma once

#include <string>
#include <vector>

namespace mw {
class CMarrowickDoc;
}

namespace mw::ui {

enum CommandId : int {
    cmd_new = 57600,
    cmd_open = 57601,
    cmd_exit = 57665,
    cmd_about = 57664,
    cmd_export_convert = 32771,
    cmd_export_original = 32772,
    cmd_import_single = 32773,
    cmd_import_script = 32774,
    cmd_export_multiple = 32775,
    cmd_as_file_type = 32777,
    cmd_as_hex = 32778,
    cmd_export_options = 32785,
    cmd_goto_voices = 32786,
    cmd_goto_sounds = 32787,
    cmd_goto_textures = 32788,
    cmd_goto_models = 32789,
    cmd_goto_cockpit = 32790,
    cmd_goto_palette = 32791,
    cmd_import_flight_model = 32792,
    cmd_import_with_header = 32793,
    cmd_import_add_file = 32794,
};

struct CommandSpec {
    int id;
    const char* menu;      // "&File" ...
    const char* label;     // "&Open..."
    const char* shortcut;  // "Ctrl+O" or ""
    const char* status;    // the status bar's text, "" for none
    bool separator_before = false;
};

// In menu order.
const std::vector<CommandSpec>& command_table();
const CommandSpec* find_command(int id);

// What the display can do right now, for the View commands.
struct DisplayState {
    bool showing = false;   // a request is displayed (any kind)
    bool has_bytes = false; // the request holds bytes
};

// The enabling rule of a command.
bool command_enabled(int id, const CMarrowickDoc& doc, const DisplayState& display);

// Goto commands: the key-entry position of a command (0 ... 5), or -1.
int goto_position(int id);

}  // namespace mw::ui
