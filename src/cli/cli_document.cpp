// Document commands: export, import, import-header, info, analyse,
// import-flight-model. Each runs open -> select -> command on the document.
#include <iostream>

#include "app/workspace/workspace.h"
#include "cli/commands.h"
#include "cli/selection_args.h"
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

}  // namespace

int run_export(Args& args)
{
    const bool original = args.flag("--original");
    const auto palette = args.option("--palette");
    const auto palette_format = args.option("--palette-format");
    const auto e_mode = args.option("--e-mode");
    const auto selection = parse_selection(args, 1);
    if (!selection || !apply_format_options(palette_format, e_mode)) return usage("export");
    HeadlessDocument session;
    if (!open_and_select(session.doc, *selection) || !apply_palette_option(session.doc, palette)) return exit_failed;
    const std::string destination = args[args.count() - 1];
    const int result = original ? session.doc.export_original(destination) : session.doc.export_converted(destination);
    return result == 0 ? exit_ok : exit_failed;
}

int run_import(Args& args)
{
    const bool original = args.flag("--original");
    const auto palette_format = args.option("--palette-format");
    const auto selection = parse_selection(args, 1);
    if (!selection || !apply_format_options(palette_format, std::nullopt)) return usage("import");
    HeadlessDocument session;
    if (!open_and_select(session.doc, *selection)) return exit_failed;
    return session.doc.import_single(args[args.count() - 1], !original) == 0 ? exit_ok : exit_failed;
}

int run_import_header(Args& args)
{
    if (args.count() != 3 || args.has_unknown_option() || args.usage_error()) return usage("import-header");
    const auto selection = parse_selection(args, 1);
    if (!selection) return usage("import-header");
    HeadlessDocument session;
    if (!open_and_select(session.doc, *selection)) return exit_failed;
    return session.doc.import_with_header(args[2]) == 0 ? exit_ok : exit_failed;
}

int run_info(Args& args)
{
    const bool json = args.flag("--json");
    const auto palette = args.option("--palette");
    const auto selection = parse_selection(args, 0);
    if (!selection) return usage("info");
    HeadlessDocument session;
    CMarrowickDoc& doc = session.doc;
    if (!open_and_select(doc, *selection) || !apply_palette_option(doc, palette)) return exit_failed;
    const DisplayRequest& display = doc.display_request();
    if (!json) {
        std::cout << terminal_text(doc.info_text()) << "\nDisplay kind      : " << display.kind << '\n';
        return exit_ok;
    }
    const ResEntry& entry = *doc.selected_entry();
    const SelectionView view = classify_selection(entry, doc.selected_item(), doc.analysis().aircraft_archive);
    std::cout << "{\"file\":" << doc.selected_file() << ",\"item\":" << doc.selected_item()
              << ",\"type\":" << json_string(view.type_text) << ",\"id\":" << entry.resource_id
              << ",\"name\":" << json_string(Workspace::instance().resid_names().name_of(entry.resource_id))
              << ",\"stored_length\":" << entry.stored_length << ",\"uncompressed_length\":" << entry.uncompressed_length
              << ",\"display_kind\":" << display.kind << ",\"display_file\":" << json_string(display.file.string())
              << ",\"start\":" << display.start << ",\"end\":" << display.end
              << ",\"text\":" << json_string(doc.info_text()) << "}\n";
    return exit_ok;
}

int run_analyse(Args& args)
{
    const bool json = args.flag("--json");
    if (args.count() != 1 || args.has_unknown_option() || args.usage_error()) return usage("analyse");
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
    if (args.count() != 2 || args.has_unknown_option() || args.usage_error()) return usage("import-flight-model");
    HeadlessDocument session;
    if (session.doc.open_archive(args[0]) != 0) return exit_failed;
    return session.doc.import_flight_model(args[1]) == 0 ? exit_ok : exit_failed;
}

}  // namespace mw::cli
