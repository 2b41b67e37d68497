// Writing an archive anew with entries' data replaced.
//
// The new archive is built complete in a temporary file in the archive's own
// folder ("temp.res", unless that name is the archive itself or a file still
// needed): the old bytes up to each replaced entry's data, the entry's
// directory (its own, or a header file's bytes), the new stored data, zero
// padding to a multiple of 4, and everything after the entry's old padded
// data. Each replaced entry's two lengths are patched in the index, and every
// stored offset that lies past a replaced entry (only the index offset at 124
// can) moves by that entry's change in size. The file is synced, its size
// checked, and it then replaces the archive by a rename, so at any moment the
// archive on disk is either the old one or the complete new one. Where the
// rename is refused, the new archive is copied over the old with every write
// checked; should that fail, the message names the complete copy kept.
#include <algorithm>
#include <system_error>

#include "app/workspace/messages.h"
#include "app/workspace/workspace.h"
#include "archive/compression.h"
#include "archive/file_io.h"
#include "archive/res_archive.h"

namespace mw {

namespace {

constexpr std::uint64_t max_archive_size = 0xFFFFFFFFull;

// A file marked read-only is not replaced, whoever runs the program.
bool is_marked_read_only(const fs::path& path)
{
    std::error_code ec;
    const auto perms = fs::status(path, ec).permissions();
    return !ec && (perms & fs::perms::owner_write) == fs::perms::none;
}

// Creates the new archive's file beside the archive: "temp.res", or
// "temp2.res", "temp3.res" ... where that name is taken. A file that exists is
// never written over, whoever's it is: the archive itself, an input still
// needed, a new archive kept after a failed save, or the temporary archive
// of another program saving beside it at the same time.
std::optional<fs::path> create_temp_archive(const fs::path& folder, OutputFile& out)
{
    for (int n = 1; n <= 1000; ++n) {
        const fs::path candidate = folder / (n == 1 ? std::string("temp.res") : "temp" + std::to_string(n) + ".res");
        if (out.open(candidate, OutputFile::Mode::create_new)) return candidate;
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidate, ec))) {
            report_error(error_text(1128, "Failed to open new .res file for output") + reason_line(candidate, out.reason()));
            return std::nullopt;
        }
    }
    report_error(error_text(1128, "Failed to open new .res file for output") +
                 reason_line(folder / "temp.res", "temp.res to temp1000.res are all taken"));
    return std::nullopt;
}

// Where one replaced entry lies in the old file and what it becomes.
struct Region {
    const EntryReplacement* replacement = nullptr;
    std::uint64_t start = 0;      // the entry's data offset
    std::uint64_t old_end = 0;    // end of its old data and padding
    std::uint64_t new_size = 0;   // directory + new data
    std::uint64_t new_end = 0;    // bytes written for it, padding included (relative to start)
    std::int64_t change() const { return std::int64_t(new_end) - std::int64_t(old_end - start); }
};

// Whether the reader takes an entry whose directory is a header file's bytes
// with exactly those bytes as its directory, so its data reads back.
bool header_makes_readable_entry(const EntryReplacement& r)
{
    const auto header_size = static_cast<std::uint32_t>(r.directory.size());
    InputFile data(r.data_file);
    Bytes start;
    // The reader looks at the directory its first word declares and the 2 bytes after it.
    const std::size_t declared = header_size >= 2 ? 2 + 4 * (std::size_t(get_u16(r.directory.data())) + 1) + 2
                                                  : 2 + 4 * (0xFFFF + 1) + 2;
    const std::size_t wanted = std::min<std::size_t>(r.stored_length, declared > header_size ? declared - header_size : 0);
    if (!data.read_at(0, start, wanted)) return false;
    const EntryLayout layout = read_entry_layout(
        r.uncompressed_length + header_size, r.stored_length + header_size,
        [&](std::uint64_t offset, std::uint8_t* out, std::size_t count) {
            for (std::size_t k = 0; k < count; ++k, ++offset) {
                if (offset < header_size)
                    out[k] = r.directory[offset];
                else if (offset - header_size < start.size())
                    out[k] = start[offset - header_size];
                else
                    return false;
            }
            return true;
        });
    const bool raw = r.uncompressed_length == r.stored_length;
    return raw || (!layout.damaged && layout.directory_block.size() == header_size);
}

// Where entry `target`'s old data and padding end. The padding rounds the
// entry's own length up to a multiple of 4 (the next entry starts there,
// wherever the first one started); it ends early at the index when that
// directly follows the data, or at the end of the file.
std::uint64_t old_data_end(const ResEntry& target, std::uint32_t index_offset, std::uint64_t file_size)
{
    const std::uint64_t stored_end = target.data_offset + target.stored_length;
    std::uint64_t end = std::min<std::uint64_t>(target.data_offset + round4(target.stored_length), file_size);
    if (index_offset >= stored_end && index_offset < end) end = index_offset;
    return end;
}

std::string kept_text(const fs::path& temp) { return ". The complete new archive is kept in " + display(temp); }

}  // namespace

int ResArchive::extract(int i, int item, const fs::path& destination, int mode, bool convert)
{
    ResEntry* target = entry(i);
    if (!target) return report_error(1096, "Invalid Item Index");
    // Entries of a closed archive may no longer describe the file: not even
    // a file extracted earlier is handed out.
    if (!is_open()) return report_error(1560, "The .res file is not open");
    return target->extract(item, destination, mode, convert);
}

int ResArchive::rewrite(int i, int item, const fs::path& source, bool convert, const fs::path& header_file)
{
    ResEntry* target = entry(i);
    if (!target) return report_error(1110, "Invalid Item Index");
    if (!is_open()) return report_error(1560, "The .res file is not open");
    if (target->prepare_import(item, source, convert) != 0) return -1;

    EntryReplacement replacement;
    replacement.entry = i;
    replacement.data_file = Workspace::instance().temp_file("import.bin");
    replacement.uncompressed_length = target->new_uncompressed_length;
    replacement.stored_length = target->new_stored_length;
    replacement.directory = target->directory_block;
    if (header_file.string().size() >= 2) {
        const auto size = file_size_of(header_file);
        if (size && *size > max_entry_length)
            return entry_too_large_error();
        const auto header = read_file(header_file, max_entry_length);
        if (!header) {
            InputFile probe(header_file);
            return report_error(error_text(1165, "Failed to open header file") + reason_line(header_file, probe.reason()));
        }
        replacement.directory = *header;
        replacement.from_header_file = true;
    }
    return rewrite_entries({std::move(replacement)});
}

int ResArchive::check_replaceable(int i) const
{
    const ResEntry* target = entry(i);
    if (!target) return report_error(1110, "Invalid Item Index");
    if (!is_open()) return report_error(1560, "The .res file is not open");
    if (target->damaged)
        return report_error(1098, "File is damaged - its data or item directory does not fit the .res file");
    const std::uint64_t index_end = std::uint64_t(index_offset_) + 6 + std::uint64_t(res_index_entry_size) * entry_count_;
    if (index_offset_ < old_data_end(*target, index_offset_, file_.size()) && target->data_offset < index_end)
        return report_error(1114, "The .res file's index lies inside the data of File " + std::to_string(i + 1) +
                                      "; the file cannot be rewritten");
    return 0;
}

int ResArchive::rewrite_entries(std::vector<EntryReplacement> replacements)
{
    if (!is_open()) return report_error(1560, "The .res file is not open");
    std::sort(replacements.begin(), replacements.end(),
              [](const EntryReplacement& a, const EntryReplacement& b) { return a.entry < b.entry; });

    // Everything is checked before the first byte is written.
    const std::uint64_t old_size = file_.size();
    const std::uint64_t index_end = std::uint64_t(index_offset_) + 6 + std::uint64_t(res_index_entry_size) * entry_count_;
    std::vector<Region> regions;
    std::int64_t total_change = 0;
    std::int64_t index_shift = 0;
    for (const EntryReplacement& r : replacements) {
        if (!regions.empty() && regions.back().replacement->entry == r.entry)
            return report_error(1110, "Invalid Item Index");
        if (check_replaceable(r.entry) != 0) return -1;
        const ResEntry* target = entry(r.entry);
        if (r.directory.size() + r.stored_length > max_entry_length ||
            r.directory.size() + r.uncompressed_length > max_entry_length)
            return entry_too_large_error();
        if (r.from_header_file && !header_makes_readable_entry(r))
            return report_error(1172, "The header and the data do not make an entry that can be read - File " +
                                          std::to_string(r.entry + 1) + " is left as it was");
        // The whole data part of a compound entry goes under its kept directory.
        if (!r.from_header_file && !r.directory.empty() && target->check_items_fit(r.uncompressed_length) != 0)
            return -1;
        if (r.in_place && (r.stored_length != target->stored_length || !r.directory.empty()))
            return report_error(1110, "Invalid Item Index");

        Region region;
        region.replacement = &r;
        region.start = target->data_offset;
        region.old_end = old_data_end(*target, index_offset_, old_size);
        region.new_size = r.directory.size() + r.stored_length;
        region.new_end = r.in_place ? region.old_end - region.start : round4(region.new_size);
        total_change += region.change();
        if (region.old_end <= index_offset_) index_shift += region.change();
        regions.push_back(region);
    }
    const std::uint64_t new_size = std::uint64_t(std::int64_t(old_size) + total_change);
    const std::uint64_t new_index_offset = std::uint64_t(std::int64_t(index_offset_) + index_shift);
    if (new_size > max_archive_size || new_index_offset > max_archive_size)
        return report_error(1113, "The new .res file would be larger than 4 GiB");

    std::error_code ec;
    fs::path archive = fs::canonical(path_, ec);  // a link is followed: its target is replaced
    if (ec) archive = path_;

    // Build the new archive; any failure removes it.
    OutputFile out;
    const std::optional<fs::path> created = create_temp_archive(archive.parent_path(), out);
    if (!created) return -1;
    const fs::path temp = *created;
    {
        out.write_behind();  // the sync before the rename then waits for less
        auto fail = [&](const std::string& text) {
            if (out.is_open()) (void)out.close();
            (void)remove_file(temp);
            return report_error(text);
        };
        const std::string copy_error = error_text(1001, "Error copying file");
        const std::string write_error = error_text(1130, "Error writing new .res file ") + display(temp);

        std::uint64_t position = 0;
        for (const Region& region : regions) {
            const EntryReplacement& r = *region.replacement;
            if (auto copied = copy_range(file_, position, region.start - position, out); !copied)
                return fail(copy_error + copied.line());
            if (!out.write(r.directory))
                return fail((r.from_header_file ? error_text(1171, "Error writing header to .res file") : copy_error) +
                            reason_line(temp, out.reason()));
            InputFile data;
            if (!data.open(r.data_file))
                return fail(error_text(1146, "Failed to open file for import") + reason_line(r.data_file, data.reason()));
            if (data.size() != r.stored_length)
                return fail(error_text(1152, "Error inserting item to .res file") +
                            reason_line(r.data_file, "The file changed size while it was imported"));
            if (auto copied = copy_range(data, 0, r.stored_length, out); !copied)
                return fail(error_text(1152, "Error inserting item to .res file") + copied.line());
            const std::uint64_t padding = region.new_end - region.new_size;
            if (r.in_place) {
                if (auto copied = copy_range(file_, region.start + region.new_size, padding, out); !copied)
                    return fail(copy_error + copied.line());
            } else if (!out.write_zeros(padding)) {
                return fail(copy_error + reason_line(temp, out.reason()));
            }
            position = region.old_end;
        }
        if (auto copied = copy_range(file_, position, old_size - position, out); !copied)
            return fail(copy_error + copied.line());

        // The index with the replaced entries' lengths, written over its copy in one piece.
        Bytes index;
        if (!file_.read_at(index_offset_, index, static_cast<std::size_t>(index_end - index_offset_)))
            return fail(copy_error + reason_line(file_.path(), file_.reason()));
        for (const Region& region : regions) {
            const EntryReplacement& r = *region.replacement;
            std::uint8_t* record = index.data() + 6 + std::size_t(res_index_entry_size) * std::size_t(r.entry);
            put_u24(record + 2, static_cast<std::uint32_t>(r.uncompressed_length + r.directory.size()));
            put_u24(record + 6, static_cast<std::uint32_t>(region.new_size));
        }
        if (!out.write_at(new_index_offset, index)) return fail(write_error + reason_line(temp, out.reason()));
        std::uint8_t field[4];
        put_u32(field, static_cast<std::uint32_t>(new_index_offset));
        if (!out.write_at(res_index_offset_field, ByteSpan(field, 4)))
            return fail(write_error + reason_line(temp, out.reason()));

        // The new archive keeps the old one's permissions.
        fs::permissions(temp, fs::status(archive, ec).permissions(), ec);
        if (!out.sync() || !out.close()) return fail(write_error + reason_line(temp, out.reason()));
        if (file_size_of(temp) != new_size)
            return fail(write_error + reason_line(temp, "The new file does not have the expected size"));
    }

    for (const EntryReplacement& r : replacements) {
        if (r.data_file_is_users) continue;
        if (!remove_file(r.data_file)) {
            (void)remove_file(temp);
            return report_error(error_text(1228, "Error deleting temporary file") + display(r.data_file));
        }
    }

    const std::string save_error = error_text(1253, "Error saving file ") + path_ + kept_text(temp);
    if (is_marked_read_only(archive)) return report_error(save_error);

    if (::rename(temp.c_str(), archive.c_str()) == 0) {
        sync_folder(archive.parent_path());
        close_file();
        return 0;
    }

    // The folder refuses the rename (say a shared folder whose sticky bit
    // keeps others' files): copy over the archive itself, every write checked.
    close_file();
    InputFile in;
    OutputFile over;
    if (!in.open(temp)) return report_error(save_error + reason_line(temp, in.reason()));
    if (!over.open(archive, OutputFile::Mode::truncate)) return report_error(save_error + reason_line(archive, over.reason()));
    over.write_behind();
    if (auto copied = copy_range(in, 0, in.size(), over); !copied) return report_error(save_error + copied.line());
    if (!over.sync() || !over.close()) return report_error(save_error + reason_line(archive, over.reason()));
    if (file_size_of(archive) != new_size)
        return report_error(save_error + reason_line(archive, "The file does not have the expected size"));
    std::string reason;
    if (!remove_file(temp, &reason))
        return report_error(error_text(1260, "Error deleting temporary file") + display(temp) + reason_line(temp, reason));
    return 0;
}

}  // namespace mw
