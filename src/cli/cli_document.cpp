// Document commands: export, import, import-header, info, analyse,
// import-flight-model. Each runs open -> select -> command on the document.
#include <iostream>

#include "app/workspace/messages.h"
#include "app/workspace/workspace.h"
#include "archive/entry_bytes.h"
#include "archive/file_io.h"
#include "archive/system_file.h"
#include "cli/commands.h"
#include "cli/selection_args.h"
#include "archive/windows1252.h"
#include "document/info_text.h"

namespace mw::cli {

namespace {

// The information text as lines for a terminal.
std::string terminal_text(std::string text)
{
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

// export --whole: the entry's bytes as the archive stores them.
int export_whole(CMarrowickDoc& doc, const Selection& selection, const std::string& destination)
{
    if (doc.open_archive(selection.archive) != 0) return exit_failed;
    const ResEntry* entry = doc.archive().entry(selection.file - 1);
    if (!entry) {
        report_error("Error: the archive has no file " + std::to_string(selection.file));
        return exit_failed;
    }
    const StoredBytes stored = read_stored_bytes(doc.archive().path(), *entry);
    if (stored.damaged) {
        report_error("Error: file " + std::to_string(selection.file) + " is damaged: its data lies outside the archive");
        return exit_failed;
    }
    if (!stored.ok()) {
        report_error("Error: cannot read the archive" + reason_line(doc.archive().path(), stored.reason));
        return exit_failed;
    }
    std::string reason;
    if (!write_file(destination, stored.data, &reason)) {
        report_error("Error: cannot write the file" + reason_line(destination, reason));
        return exit_failed;
    }
    return exit_ok;
}

// The selected item's own place: its offset in the uncompressed file and its length.
struct ItemPlace {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

std::optional<ItemPlace> item_place(const ResEntry& entry, int item)
{
    if (item < 1 || item > entry.item_count || !entry.is_compound()) return std::nullopt;
    return ItemPlace{entry.item_offsets[std::size_t(item) - 1], entry.item_size(item)};
}

}  // namespace

int run_export(Args& args)
{
    const bool original = args.flag("--original");
    const bool whole = args.flag("--whole");
    const auto palette = args.option("--palette");
    const auto palette_format = args.option("--palette-format");
    const auto e_mode = args.option("--e-mode");
    const auto selection = parse_selection(args, {"DEST"});
    if (!selection || !apply_format_options(args, palette_format, e_mode)) return usage(args, "export");
    if (whole && (original || palette || palette_format || e_mode))
        return usage_problem("export", "--whole writes the bytes as stored: no --original, --palette or formats");
    if (whole && selection->item != 0) return usage_problem("export", "--whole writes the whole file: no ITEM");
    const std::string destination = args[args.count() - 1];
    HeadlessDocument session;
    if (whole) return export_whole(session.doc, *selection, destination);
    if (!open_and_select(session.doc, *selection) || !apply_palette_option(session.doc, palette)) return exit_failed;
    const int result = original ? session.doc.export_original(destination) : session.doc.export_converted(destination);
    return result == 0 ? exit_ok : exit_failed;
}

int run_import(Args& args)
{
    const bool original = args.flag("--original");
    const auto palette_format = args.option("--palette-format");
    const auto selection = parse_selection(args, {"SOURCE"});
    if (!selection || !apply_format_options(args, palette_format, std::nullopt)) return usage(args, "import");
    HeadlessDocument session;
    if (!open_and_select(session.doc, *selection)) return exit_failed;
    return session.doc.import_single(args[args.count() - 1], !original) == 0 ? exit_ok : exit_failed;
}

int run_import_header(Args& args)
{
    if (!args.expect({"ARCHIVE", "FILE", "SOURCE"}, 3)) return usage(args, "import-header");
    const auto selection = parse_selection(args, {"SOURCE"});
    if (!selection) return usage(args, "import-header");
    HeadlessDocument session;
    if (!open_and_select(session.doc, *selection)) return exit_failed;
    return session.doc.import_with_header(args[2]) == 0 ? exit_ok : exit_failed;
}

int run_info(Args& args)
{
    const bool json = args.flag("--json");
    const auto palette = args.option("--palette");
    const auto selection = parse_selection(args);
    if (!selection) return usage(args, "info");
    HeadlessDocument session;
    CMarrowickDoc& doc = session.doc;
    if (!open_and_select(doc, *selection) || !apply_palette_option(doc, palette)) return exit_failed;
    const DisplayRequest& display = doc.display_request();
    const ResEntry& entry = *doc.selected_entry();
    const auto place = item_place(entry, doc.selected_item());
    if (!json) {
        std::cout << utf8_from_windows1252(terminal_text(doc.info_text())) << "\nDisplay kind      : " << display.kind << '\n';
        if (place) {
            std::cout << "Item              : " << doc.selected_item() << '\n'
                      << "Item offset       : " << place->offset << " (in the uncompressed file)\n"
                      << "Item length       : " << place->length << '\n';
        }
        return exit_ok;
    }
    const SelectionView view = classify_selection(entry, doc.selected_item(), doc.analysis().aircraft_archive);
    std::cout << "{\"file\":" << doc.selected_file() << ",\"item\":" << doc.selected_item()
              << ",\"type\":" << json_string(view.type_text) << ",\"id\":" << entry.resource_id
              << ",\"name\":" << json_string(Workspace::instance().resid_names().name_of(entry.resource_id))
              << ",\"stored_length\":" << entry.stored_length << ",\"uncompressed_length\":" << entry.uncompressed_length;
    if (place) std::cout << ",\"item_offset\":" << place->offset << ",\"item_length\":" << place->length;
    std::cout << ",\"display_kind\":" << display.kind << ",\"display_file\":" << json_path(display.file.string())
              << ",\"start\":" << display.start << ",\"end\":" << display.end
              << ",\"text\":" << json_string(doc.info_text()) << "}\n";
    return exit_ok;
}

int run_analyse(Args& args)
{
    const bool json = args.flag("--json");
    if (!args.expect({"ARCHIVE"}, 1)) return usage(args, "analyse");
    HeadlessDocument session;
    if (session.doc.open_archive(args[0]) != 0) return exit_failed;
    const ArchiveAnalysis& a = session.doc.analysis();
    auto files = [](const std::vector<int>& entries, const char* separator) {
        std::string text;
        for (std::size_t i = 0; i < entries.size(); ++i) text += (i ? separator : "") + std::to_string(entries[i] + 1);
        return text;
    };
    auto file = [](int entry) { return entry >= 0 ? entry + 1 : 0; };
    if (json) {
        std::cout << "{\"variant\":" << (a.variant ? "true" : "false")
                  << ",\"aircraft_archive\":" << (a.aircraft_archive ? "true" : "false") << ",\"key_files\":["
                  << files(a.key_entries, ",") << "],\"palette_files\":[" << files(a.palettes, ",")
                  << "],\"texture_base_file\":" << file(a.texture_base_entry)
                  << ",\"default_model_distance\":" << a.default_model_distance
                  << ",\"trim_file\":" << file(a.trim_entry) << ",\"model_id\":" << a.model_id
                  << ",\"model_file\":" << file(a.model_entry) << "}\n";
        return exit_ok;
    }
    std::cout << "Variant archive   : " << (a.variant ? "yes" : "no") << '\n'
              << "Aircraft archive  : " << (a.aircraft_archive ? "yes" : "no") << '\n'
              << "Key files         : " << files(a.key_entries, " ") << '\n'
              << "Palette files     : " << files(a.palettes, " ") << '\n'
              << "Texture base file : " << file(a.texture_base_entry) << '\n'
              << "Model distance    : " << a.default_model_distance << '\n'
              << "Trim file         : " << file(a.trim_entry) << '\n'
              << "Model ID          : " << a.model_id << '\n'
              << "Model file        : " << file(a.model_entry) << '\n';
    return exit_ok;
}

int run_import_flight_model(Args& args)
{
    if (!args.expect({"ARCHIVE", "PHYSICS"}, 2)) return usage(args, "import-flight-model");
    HeadlessDocument session;
    if (session.doc.open_archive(args[0]) != 0) return exit_failed;
    return session.doc.import_flight_model(args[1]) == 0 ? exit_ok : exit_failed;
}

}  // namespace mw::cli
