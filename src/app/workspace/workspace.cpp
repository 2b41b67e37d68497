#include "app/workspace/workspace.h"

#include "archive/file_io.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>
#include <system_error>

namespace mw {

namespace {

const char* const config_keys[5] = {"LastOpenDir ", "LastExportDir ", "LastImportDir ", "PaletteFormat ", "TexturesBGR "};

// A folder path that ends in the platform's separator.
fs::path with_separator(fs::path folder)
{
    if (!folder.empty() && !folder.has_filename()) return folder;
    return folder / "";
}

// The value of a "config.cfg" line: everything after the key word and the
// space that ends it, without the line end. The key word is not compared.
std::string config_value(std::string line)
{
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto key_end = line.find_first_of(" \t");
    if (key_end == std::string::npos) return {};
    return line.substr(key_end + 1);
}

// Integers are whitespace-separated tokens: "1 " and " 1" are 1.
int config_flag(const std::string& value)
{
    int number = 0;
    std::istringstream(value) >> number;
    return number == 1 ? 1 : 0;  // anything other than 0 or 1 is 0
}

// A folder keeps its inner spaces; the empty mark "-" is a token. A line
// break inside a value names no folder (none is ever saved).
std::string config_folder(const std::string& value)
{
    if (value.find_first_of("\r\n") != std::string::npos) return {};
    std::istringstream tokens(value);
    std::string first, more;
    tokens >> first;
    return first == "-" && !(tokens >> more) ? std::string() : value;
}

// This process's temp folders are named "mw3792_PID_XXXXXX".
constexpr std::string_view own_temp_prefix = "mw3792_";

// The process id in the name of a temp folder, or 0 when it is not one.
pid_t temp_folder_owner(const std::string& name)
{
    if (name.rfind(own_temp_prefix, 0) != 0) return 0;
    const char* const first = name.data() + own_temp_prefix.size();
    const char* const last = name.data() + name.size();
    long pid = 0;
    const auto [end, error] = std::from_chars(first, last, pid);
    // "_" and the six characters mkdtemp chose follow the id.
    if (error != std::errc() || pid <= 0 || pid > INT_MAX || last - end != 7 || *end != '_') return 0;
    return static_cast<pid_t>(pid);
}

// Temp folders of programs that ended without removing theirs (a crash, a kill).
void remove_abandoned_temp_folders(const fs::path& temp_root)
{
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(temp_root, ec)) {
        const pid_t owner = temp_folder_owner(item.path().filename().string());
        if (owner > 0 && item.is_directory(ec) && ::kill(owner, 0) != 0 && errno == ESRCH) fs::remove_all(item.path(), ec);
    }
}

std::optional<fs::path> make_own_temp_folder(const fs::path& temp_root)
{
    std::string name = (temp_root / (std::string(own_temp_prefix) + std::to_string(::getpid()) + "_XXXXXX")).string();
    if (!::mkdtemp(name.data())) return std::nullopt;
    return fs::path(name);
}

}  // namespace

WorkspaceLocation WorkspaceLocation::for_program(const fs::path& executable, std::optional<fs::path> home)
{
    WorkspaceLocation location;
    location.executable = executable;
    location.home = std::move(home);
    if (!location.home) {
        if (const char* env = std::getenv("MARROWICK_HOME"); env && *env) location.home = fs::path(env);
    }
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        location.user_data_folder = fs::path(xdg) / "marrowick";
    else if (const char* user_home = std::getenv("HOME"); user_home && *user_home)
        location.user_data_folder = fs::path(user_home) / ".local" / "share" / "marrowick";
#ifdef MARROWICK_DATA_DIR
    location.installed_resid_def = fs::path(MARROWICK_DATA_DIR) / "resid.def";
#endif
#ifdef MARROWICK_DATA_DIR_FROM_BIN
    // An installed tree that was moved, or installed with another prefix, still
    // holds its data beside bin/.
    std::error_code ec;
    const fs::path beside = executable.parent_path() / MARROWICK_DATA_DIR_FROM_BIN / "resid.def";
    if (fs::exists(beside, ec)) location.installed_resid_def = beside.lexically_normal();
#endif
    return location;
}

Workspace& Workspace::instance()
{
    static Workspace workspace;
    return workspace;
}

void Workspace::reset()
{
    remove_temp_folder();
    program_folder_.clear();
    last_open_dir_.clear();
    last_export_dir_.clear();
    last_import_dir_.clear();
    palette_format_ = 0;
    textures_bgr_ = 0;
    model_source_export_option_ = 0;
    resid_names_.clear();
}

fs::path WorkspaceLocation::program_folder() const
{
    std::error_code ec;
    if (home) return *home;
    // A portable install (or the build folder): everything beside the program.
    const fs::path own = executable.parent_path();
    if (fs::exists(own / "resid.def", ec)) return own;
    // An installed program keeps its settings in the user's folder, never beside itself.
    return user_data_folder;
}

int Workspace::setup(const WorkspaceLocation& location)
{
    std::error_code ec;
    const fs::path own = location.executable.parent_path();
    const fs::path folder = location.program_folder();
    // A folder of the user's gets the names shipped beside the program or installed with it.
    if (folder != own) {
        fs::create_directories(folder, ec);
        if (!fs::exists(folder / "resid.def", ec)) {
            for (const fs::path& source : {own / "resid.def", location.installed_resid_def})
                if (!source.empty() && fs::exists(source, ec) && copy_file_over(source, folder / "resid.def")) break;
        }
    }
    return setup_in(folder);
}

int Workspace::setup_in(const fs::path& program_folder)
{
    std::error_code ec;
    fs::create_directory(program_folder / "temp", ec);
    if (ec && !fs::is_directory(program_folder / "temp")) return report_error("Error creating temporary directory");

    const fs::path folder = fs::absolute(program_folder, ec);
    if (ec) return report_error(1, "Error getting short path name - aborting");
    program_folder_ = with_separator(folder.lexically_normal());
    remove_temp_folder();  // a second set-up leaves no folder behind
    remove_abandoned_temp_folders(program_folder_ / "temp");
    const auto own = make_own_temp_folder(program_folder_ / "temp");
    if (!own) return report_error("Error creating temporary directory");
    temp_folder_ = with_separator(*own);

    load_config();
    (void)resid_names_.load(program_file("resid.def"));  // reported; the program goes on without names
    return 0;
}

void Workspace::load_config()
{
    std::ifstream in(program_file("config.cfg"), std::ios::binary);
    if (!in) {
        report_error(6, "Error loading config file");
        return;
    }
    load_config(in);
}

void Workspace::load_config(std::istream& in)
{
    // Values are taken by line position; a missing line keeps the value held.
    // Blank lines hold no value and do not count, as between tokens.
    std::string values[5];
    int count = 0;
    for (std::string line; count < 5 && std::getline(in, line);)
        if (line.find_first_not_of(" \t\r") != std::string::npos) values[count++] = config_value(line);

    if (count > 0) last_open_dir_ = config_folder(values[0]);
    if (count > 1) last_export_dir_ = config_folder(values[1]);
    if (count > 2) last_import_dir_ = config_folder(values[2]);
    if (count > 3) palette_format_ = config_flag(values[3]);
    if (count > 4) textures_bgr_ = config_flag(values[4]);
}

void Workspace::save_config()
{
    // A folder whose name holds a line break would split its line and move
    // every later value: it is not kept.
    auto folder = [](const std::string& value) {
        return value.empty() || value.find_first_of("\r\n") != std::string::npos ? std::string("-") : value;
    };
    const std::string values[5] = {folder(last_open_dir_), folder(last_export_dir_), folder(last_import_dir_),
                                   std::to_string(palette_format_), std::to_string(textures_bgr_)};
    std::string text;
    for (int i = 0; i < 5; ++i) text += config_keys[i] + values[i] + "\r\n";
    // Written to a new file that replaces the old one only when complete: a
    // full disk is reported and the settings saved before are kept.
    const fs::path file = program_file("config.cfg");
    std::string reason;
    if (!replace_text_file(file, text, &reason)) report_error(error_text(5, "Error writing config file") + reason_line(file, reason));
}

int Workspace::clear_temp()
{
    std::error_code ec;
    fs::directory_iterator it(temp_folder_, ec);
    if (ec) return 1;
    int failures = 0;
    for (const auto& item : it) {
        const std::string name = item.path().filename().string();
        if (name.rfind("mw3792_", 0) != 0 || !item.is_regular_file(ec)) continue;
        if (!fs::remove(item.path(), ec)) ++failures;
    }
    return failures == 0 ? 0 : 1;
}

void Workspace::remove_temp_folder()
{
    if (temp_folder_.empty()) return;
    std::error_code ec;
    fs::remove_all(temp_folder_, ec);
    temp_folder_.clear();
}

std::string Workspace::absolute_folder(const fs::path& folder, int error_number)
{
    std::error_code ec;
    // A path without a folder lies in the current one.
    const fs::path full = folder.empty() ? fs::current_path(ec) : fs::absolute(folder, ec);
    if (ec) {
        // The folder is kept as given when it cannot be made absolute.
        report_error(error_number, "Error getting short path name");
        return folder.string();
    }
    return full.lexically_normal().string();
}

void Workspace::set_last_open_dir(const fs::path& folder) { last_open_dir_ = absolute_folder(folder, 3); }
void Workspace::set_last_export_dir(const fs::path& folder) { last_export_dir_ = absolute_folder(folder, 4); }
void Workspace::set_last_import_dir(const fs::path& folder) { last_import_dir_ = absolute_folder(folder, 5); }

}  // namespace mw
