// Import > Flight Model: the nine entries of a physics archive replace the
// eight physics entries and the main flight model of the open aircraft
// archive. Should a step fail after others changed the archive, the user is
// told which entries were replaced.
#include <fstream>
#include <set>
#include <system_error>

#include "app/workspace/messages.h"
#include "app/workspace/workspace.h"
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

// Splits the main flight model into its item directory and the rest.
int split_main_flight_model(const fs::path& main, const fs::path& header, const fs::path& body)
{
    std::ifstream in(main, std::ios::binary);
    if (!in) return report_error("Error opening main flight model");
    std::uint8_t count_bytes[2] = {};
    in.read(reinterpret_cast<char*>(count_bytes), 2);
    const std::uint64_t directory_size = 2 + 4 * (std::uint64_t(get_u16(count_bytes)) + 1);
    if (file_size_of(main).value_or(0) < directory_size)
        return report_error("Error: the main flight model is shorter than its item directory");
    in.seekg(0);
    {
        std::ofstream out(header, std::ios::binary | std::ios::trunc);
        if (!out) return report_error("Error writing flight model header");
        if (copy_stream(in, out, directory_size) != 0) return -1;
    }
    std::ofstream out(body, std::ios::binary | std::ios::trunc);
    if (!out) return report_error("Error writing flight model body");
    return copy_stream(in, out, copy_to_end);
}

}  // namespace

int CMarrowickDoc::import_flight_model(const fs::path& physics_archive)
{
    if (!analysis_.aircraft_archive) return report_error("Error: Flight Model import needs an aircraft .res file");
    Workspace& workspace = Workspace::instance();
    const std::string path = archive_.path();
    std::set<int> replaced;  // 1-based file numbers already changed in the archive

    auto stop = [&]() {
        views_.end_wait();
        if (!replaced.empty()) {
            std::string files;
            for (int file : replaced) files += (files.empty() ? "" : ", ") + std::string("File ") + std::to_string(file);
            report_error("Flight model import stopped - already replaced: " + files +
                         "; the other flight model entries are unchanged");
        }
        return -1;
    };

    views_.begin_wait(true);
    workspace.set_last_import_dir(physics_archive.parent_path());

    ResArchive physics;
    if (physics.open(physics_archive) != 0) return stop();
    if (physics.entry_count() != physics_archive_entries)
        return report_error("Error: not a flight model .res file"), stop();
    const int trim = analysis_.trim_entry;
    if (trim < 0 || trim + physics_pieces >= archive_.entry_count())
        return report_error("Error: the open .res file has no flight model entries (ID 2130 and the eight entries after it)"),
               stop();

    // Pieces that cannot be written over their entry in place go through a rewrite:
    // piece 5 always, compressed targets, and raw targets of another length.
    std::set<int> in_place;
    for (int j = 0; j < physics_pieces; ++j) {
        if (physics.extract(j, 0, physics_piece_path(j), ResEntry::to_file, false) != 0) return stop();
        const ResEntry& target = *archive_.entry(trim + j);
        const auto piece_size = file_size_of(physics_piece_path(j)).value_or(0);
        if (j == 5 || target.is_compressed() || piece_size != target.stored_length) {
            if (archive_.rewrite(trim + j, 0, physics_piece_path(j), true, {}) != 0) return stop();
            replaced.insert(trim + j + 1);
            archive_.clear();
            if (archive_.open(path) != 0) return stop();
        } else {
            in_place.insert(j);
        }
    }

    if (!in_place.empty()) {
        std::vector<std::uint64_t> offsets(physics_pieces);
        for (int j : in_place) offsets[j] = archive_.entry(trim + j)->data_offset;
        archive_.clear();
        {
            std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
            if (!file) {
                report_error("Error writing to .res file");
                (void)archive_.open(path);
                return stop();
            }
            for (int j : in_place) {
                std::ifstream piece(physics_piece_path(j), std::ios::binary);
                if (!piece) {
                    report_error("Error opening flight model file");
                    file.close();
                    (void)archive_.open(path);
                    return stop();
                }
                file.seekp(static_cast<std::streamoff>(offsets[j]));
                if (copy_stream(piece, file, copy_to_end) != 0) {
                    file.close();
                    (void)archive_.open(path);
                    return stop();
                }
                replaced.insert(trim + j + 1);
            }
        }
        if (archive_.open(path) != 0) return stop();
    }

    const fs::path main = workspace.temp_file("mw3792_main.fm");
    const fs::path header = workspace.temp_file("mw3792_header.fm");
    const fs::path body = workspace.temp_file("mw3792_body.fm");
    if (physics.extract(physics_pieces, 0, main, ResEntry::to_file, false) != 0) return stop();
    if (split_main_flight_model(main, header, body) != 0) return stop();
    if (archive_.rewrite(trim + physics_pieces, 0, body, false, header) != 0) return stop();

    const int loaded = load_archive(path);
    if (loaded == 0)
        views_.fill_tree();
    else
        views_.clear_tree();
    views_.end_wait();
    if (loaded != 0) return -1;
    report_info("Import Completed");
    return 0;
}

}  // namespace mw
