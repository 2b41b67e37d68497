// marrowick-cli list ARCHIVE [--json]
#include <algorithm>
#include <iostream>

#include "app/workspace/workspace.h"
#include "archive/res_archive.h"
#include "archive/tree_text.h"
#include "cli/commands.h"
#include "archive/windows1252.h"

namespace mw::cli {

namespace {

// Where the resource ID starts beside a file's tree line.
constexpr std::size_t id_column = 28;

// The file's tree line, then its resource ID and the ID's name, and a mark
// when the entry's data does not fit the archive.
std::string file_line(const ResEntry& entry, const ResIdTable& names)
{
    std::string line = "  " + file_node_text(entry);
    line.resize(std::max(line.size() + 2, id_column), ' ');
    line += "ID " + std::to_string(entry.resource_id);
    const std::string name = names.name_of(entry.resource_id);
    if (!name.empty()) {
        line.resize(std::max(line.size() + 1, id_column + 9), ' ');
        line += utf8_from_windows1252(name);
    }
    if (entry.damaged) line += "  [damaged]";
    return line;
}

void print_tree(const ResArchive& archive)
{
    const ResIdTable& names = Workspace::instance().resid_names();
    std::cout << utf8_from_path(archive.title()) << '\n';
    for (const ResEntry& entry : archive.entries()) {
        std::cout << file_line(entry, names) << '\n';
        for (int k = 1; k <= entry.item_count; ++k) std::cout << "    " << item_node_text(entry, k) << '\n';
    }
}

void print_json(const ResArchive& archive)
{
    const ResIdTable& names = Workspace::instance().resid_names();
    std::cout << "{\"path\":" << json_path(archive.path()) << ",\"title\":" << json_path(archive.title())
              << ",\"index_offset\":" << archive.index_offset() << ",\"first_data_offset\":" << archive.first_data_offset()
              << ",\"entries\":[";
    bool first = true;
    for (const ResEntry& entry : archive.entries()) {
        std::cout << (first ? "" : ",") << "\n {\"file\":" << entry.entry_index + 1 << ",\"id\":" << entry.resource_id
                  << ",\"name\":" << json_string(names.name_of(entry.resource_id))
                  << ",\"uncompressed_length\":" << entry.uncompressed_length
                  << ",\"stored_length\":" << entry.stored_length << ",\"data_offset\":" << entry.data_offset
                  << ",\"compressed\":" << (entry.is_compressed() ? "true" : "false")
                  << ",\"dcl_option\":" << json_string(entry.dcl_option)
                  << ",\"directory_size\":" << entry.directory_size() << ",\"size\":" << entry.shown_size()
                  << ",\"damaged\":" << (entry.damaged ? "true" : "false") << ",\"items\":[";
        for (int k = 1; k <= entry.item_count; ++k) std::cout << (k > 1 ? "," : "") << entry.item_size(k);
        std::cout << "]}";
        first = false;
    }
    std::cout << "\n]}\n";
}

}  // namespace

int run_list(Args& args)
{
    const bool json = args.flag("--json");
    if (!args.expect({"ARCHIVE"}, 1)) return usage(args, "list");
    ResArchive archive;
    if (archive.open(args[0]) != 0) return exit_failed;
    if (json)
        print_json(archive);
    else
        print_tree(archive);
    return exit_ok;
}

}  // namespace mw::cli
