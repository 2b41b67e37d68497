// Import > Flight Model: the nine entries of a physics archive replace the
// eight physics entries and the main flight model of the open aircraft
// archive.
//
// Every piece is read and checked, and every replacement prepared, before
// the archive is touched; the nine replacements then go into one new archive
// that replaces the old one whole. A failure at any step leaves the archive
// as it was.
#include "app/workspace/messages.h"
#include "app/workspace/workspace.h"
#include "archive/compression.h"
#include "archive/file_io.h"
#include "document/marrowick_doc.h"

namespace mw {

namespace {

constexpr int physics_pieces = 8;
constexpr int physics_archive_entries = 9;

fs::path physics_piece_path(int j)
{
    return Workspace::instance().temp_file("mw3792_physics" + std::to_string(j) + ".fm");
}

fs::path prepared_piece_path(int j)
{
    return Workspace::instance().temp_file("mw3792_physics" + std::to_string(j) + ".new");
}

// Splits the main flight model into its item directory and the rest.
int split_main_flight_model(const fs::path& main, const fs::path& header, const fs::path& body)
{
    const auto bytes = read_file(main, max_entry_length);
    if (!bytes) return report_error("Error opening main flight model");
    const std::uint64_t directory_size = bytes->size() < 2 ? 2 : 2 + 4 * (std::uint64_t(get_u16(bytes->data())) + 1);
    if (bytes->size() < directory_size)
        return report_error("Error: the main flight model is shorter than its item directory");
    const ByteSpan all(*bytes);
    std::string reason;
    if (!write_file(header, all.first(directory_size), &reason))
        return report_error("Error writing flight model header" + reason_line(header, reason));
    if (!write_file(body, all.subspan(directory_size), &reason))
        return report_error("Error writing flight model body" + reason_line(body, reason));
    return 0;
}

}  // namespace

int CMarrowickDoc::import_flight_model(const fs::path& physics_archive)
{
    if (!analysis_.aircraft_archive) return report_error("Error: Flight Model import needs an aircraft .res file");
    Workspace& workspace = Workspace::instance();
    WaitScope wait(views_, true);
    workspace.set_last_import_dir(physics_archive.parent_path());

    const int trim = analysis_.trim_entry;
    {
        ResArchive physics;
        if (physics.open(physics_archive) != 0) return -1;
        if (physics.entry_count() != physics_archive_entries) return report_error("Error: not a flight model .res file");
        if (trim < 0 || trim + physics_pieces >= archive_.entry_count())
            return report_error(
                "Error: the open .res file has no flight model entries (ID 2130 and the eight entries after it)");
        for (int j = 0; j < physics_pieces; ++j)
            if (physics.extract(j, 0, physics_piece_path(j), ResEntry::to_file, false) != 0) return -1;
        if (physics.extract(physics_pieces, 0, workspace.temp_file("mw3792_main.fm"), ResEntry::to_file, false) != 0)
            return -1;
    }

    // Each piece in its stored form for its entry: raw pieces of the entry's
    // own length are written over its bytes; piece 5, compressed entries and
    // pieces of another length go through compression and a new placement.
    std::vector<EntryReplacement> replacements;
    for (int j = 0; j < physics_pieces; ++j) {
        ResEntry& target = *archive_.entry(trim + j);
        const fs::path piece = physics_piece_path(j);
        const auto piece_size = file_size_of(piece);
        if (!piece_size) return report_error("Error opening flight model file");
        EntryReplacement replacement;
        replacement.entry = trim + j;
        if (j == 5 || target.is_compressed() || *piece_size != target.stored_length) {
            if (target.prepare_import(0, piece, false, prepared_piece_path(j)) != 0) return -1;
            replacement.directory = target.directory_block;
            replacement.data_file = prepared_piece_path(j);
            replacement.uncompressed_length = target.new_uncompressed_length;
            replacement.stored_length = target.new_stored_length;
        } else {
            replacement.data_file = piece;
            replacement.uncompressed_length = replacement.stored_length = static_cast<std::uint32_t>(*piece_size);
            replacement.in_place = true;
        }
        replacements.push_back(std::move(replacement));
    }

    // The main flight model: its item directory becomes the entry's directory.
    const fs::path header = workspace.temp_file("mw3792_header.fm");
    const fs::path body = workspace.temp_file("mw3792_body.fm");
    if (split_main_flight_model(workspace.temp_file("mw3792_main.fm"), header, body) != 0) return -1;
    ResEntry& main_target = *archive_.entry(trim + physics_pieces);
    const fs::path prepared_main = prepared_piece_path(physics_pieces);
    if (main_target.prepare_import(0, body, false, prepared_main) != 0) return -1;
    const auto directory = read_file(header);
    if (!directory) return report_error("Error opening main flight model");
    EntryReplacement main_replacement;
    main_replacement.entry = trim + physics_pieces;
    main_replacement.directory = *directory;
    main_replacement.from_header_file = true;
    main_replacement.data_file = prepared_main;
    main_replacement.uncompressed_length = main_target.new_uncompressed_length;
    main_replacement.stored_length = main_target.new_stored_length;
    replacements.push_back(std::move(main_replacement));

    const std::string path = archive_.path();
    if (archive_.rewrite_entries(std::move(replacements)) != 0) {
        recover_after_failed_write(selected_file_, selected_item_);
        return -1;
    }
    const int loaded = load_archive(path);
    if (loaded == 0)
        views_.fill_tree();
    else
        views_.clear_tree();
    wait.end();
    if (loaded != 0) return -1;
    report_info("Import Completed");
    return 0;
}

}  // namespace mw
