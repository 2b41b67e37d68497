#include "cli/selection_args.h"

#include "app/workspace/messages.h"
#include "app/workspace/workspace.h"

namespace mw::cli {

std::optional<Selection> parse_selection(const Args& args, std::size_t trailing)
{
    if (args.usage_error() || args.has_unknown_option()) return std::nullopt;
    const std::size_t count = args.count();
    if (count != 2 + trailing && count != 3 + trailing) return std::nullopt;
    Selection selection;
    selection.archive = args[0];
    const auto file = parse_integer(args[1]);
    const auto item = count == 3 + trailing ? parse_integer(args[2]) : std::optional<long long>(0);
    if (!file || !item || *file < 1 || *file > 65535 || *item < 0 || *item > 65535) return std::nullopt;
    selection.file = static_cast<int>(*file);
    selection.item = static_cast<int>(*item);
    return selection;
}

bool open_and_select(CMarrowickDoc& doc, const Selection& selection)
{
    if (doc.open_archive(selection.archive) != 0) return false;
    const ResEntry* entry = doc.archive().entry(selection.file - 1);
    if (!entry) {
        report_error("Error: the archive has no file " + std::to_string(selection.file));
        return false;
    }
    if (selection.item > entry->item_count) {
        report_error("Error: file " + std::to_string(selection.file) + " has no item " + std::to_string(selection.item));
        return false;
    }
    doc.select(selection.file, selection.item);
    return doc.selected_entry() && !doc.display_request().file.empty();
}

bool apply_palette_option(CMarrowickDoc& doc, const std::optional<std::string>& palette)
{
    if (!palette) return true;
    const auto n = parse_integer(*palette);
    if (!n || *n < 1 || *n > static_cast<long long>(doc.analysis().palettes.size())) {
        report_error("Error: the archive has no palette " + *palette);
        return false;
    }
    doc.select_palette(static_cast<int>(*n));
    return true;
}

bool apply_format_options(const std::optional<std::string>& palette_format, const std::optional<std::string>& e_mode)
{
    Workspace& workspace = Workspace::instance();
    if (palette_format) {
        if (*palette_format != "jasc" && *palette_format != "corel") return false;
        workspace.set_palette_format(*palette_format == "corel" ? 1 : 0);
    }
    if (e_mode) {
        if (*e_mode != "root" && *e_mode != "parts") return false;
        workspace.set_model_source_export_option(*e_mode == "parts" ? 1 : 0);
    }
    return true;
}

}  // namespace mw::cli
