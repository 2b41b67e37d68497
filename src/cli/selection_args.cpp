#include "cli/selection_args.h"

#include "app/workspace/messages.h"
#include "app/workspace/workspace.h"

namespace mw::cli {

std::optional<Selection> parse_selection(Args& args, const std::vector<const char*>& trailing)
{
    // ITEM is optional in the middle: the count of words decides whether it is there.
    const bool with_item = args.count() >= 3 + trailing.size();
    std::vector<const char*> names = {"ARCHIVE", "FILE"};
    if (with_item) names.push_back("ITEM");
    names.insert(names.end(), trailing.begin(), trailing.end());
    if (!args.expect(names, names.size())) return std::nullopt;
    const auto file = args.number(1, "FILE", 1, 65535);
    const auto item = with_item ? args.number(2, "ITEM", 0, 65535) : std::optional<long long>(0);
    if (!file || !item) return std::nullopt;
    Selection selection;
    selection.archive = args[0];
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

bool apply_format_options(Args& args, const std::optional<std::string>& palette_format,
                          const std::optional<std::string>& e_mode)
{
    Workspace& workspace = Workspace::instance();
    if (palette_format) {
        if (*palette_format != "jasc" && *palette_format != "corel")
            return args.problem("--palette-format must be jasc or corel: '" + *palette_format + "'");
        workspace.set_palette_format(*palette_format == "corel" ? 1 : 0);
    }
    if (e_mode) {
        if (*e_mode != "root" && *e_mode != "parts")
            return args.problem("--e-mode must be root or parts: '" + *e_mode + "'");
        workspace.set_model_source_export_option(*e_mode == "parts" ? 1 : 0);
    }
    return true;
}

}  // namespace mw::cli
