// Writing an archive anew with one entry's data replaced.
//
// The new file is built as "temp.res" in the archive's folder: the old bytes
// up to the entry's data (and, without a header file, its directory block),
// the header file's bytes when given, the new stored data, zero padding to a
// multiple of 4, then everything from the next entry's data (or the old index
// for the last entry) to the end. Entry i's two lengths in the moved index and
// the index offset at 124 are patched; everything else stays as it was.
// "temp.res" is then copied over the archive.
#include <fstream>
#include <system_error>

#include "app/workspace/messages.h"
#include "app/workspace/workspace.h"
#include "archive/compression.h"
#include "archive/file_io.h"
#include "archive/res_archive.h"

namespace mw {

namespace {

constexpr std::uint64_t max_archive_size = 0xFFFFFFFFull;

void patch(std::ostream& out, std::uint64_t position, const std::uint8_t* bytes, std::size_t count)
{
    out.seekp(static_cast<std::streamoff>(position));
    out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(count));
}

// A file marked read-only is not overwritten, whoever runs the program.
bool is_marked_read_only(const fs::path& path)
{
    std::error_code ec;
    const auto perms = fs::status(path, ec).permissions();
    return !ec && (perms & fs::perms::owner_write) == fs::perms::none;
}

}  // namespace

int ResArchive::extract(int i, int item, const fs::path& destination, int mode, bool convert)
{
    ResEntry* target = entry(i);
    if (!target) return report_error(1096, "Invalid Item Index");
    return target->extract(item, destination, mode, convert);
}

int ResArchive::rewrite(int i, int item, const fs::path& source, bool convert, const fs::path& header_file)
{
    ResEntry* target = entry(i);
    if (!target) return report_error(1110, "Invalid Item Index");
    if (target->prepare_import(item, source, convert) != 0) return -1;

    const fs::path import_file = Workspace::instance().temp_file("import.bin");
    const bool with_header = header_file.string().size() >= 2;
    std::uint64_t header_size = target->directory_size();
    if (with_header) {
        const auto size = file_size_of(header_file);
        if (!size) return report_error(1165, "Failed to open header file");
        header_size = *size;
    }
    const std::uint64_t new_stored = target->new_stored_length;
    const std::uint64_t new_uncompressed = target->new_uncompressed_length;

    // Refuse what the index or the 32-bit offsets cannot hold, before anything is written.
    if (new_stored + header_size > max_entry_length || new_uncompressed + header_size > max_entry_length)
        return report_error(1112, "The new data is larger than a .res file entry can hold (16,777,215 bytes)");
    const std::uint64_t old_file_size = file_size_of(path_).value_or(0);
    const std::uint64_t new_index_offset =
        std::uint64_t(index_offset_) + round4(header_size + new_stored) - round4(target->stored_length);
    if (new_index_offset + (old_file_size - std::min<std::uint64_t>(old_file_size, index_offset_)) > max_archive_size)
        return report_error(1113, "The new .res file would be larger than 4 GiB");

    const fs::path temp_res = fs::path(path_).parent_path() / "temp.res";
    {
        std::ofstream out(temp_res, std::ios::binary | std::ios::trunc);
        if (!out) return report_error(1128, "Failed to open new .res file for output");
        std::ifstream& archive = *stream_;
        archive.clear();
        archive.seekg(0);
        if (copy_stream(archive, out, target->data_offset + (with_header ? 0 : target->directory_size())) != 0)
            return -1;

        if (with_header) {
            std::ifstream header(header_file, std::ios::binary);
            if (!header) return report_error(1165, "Failed to open header file");
            if (copy_stream(header, out, copy_to_end) != 0) return report_error(1171, "Error writing header to .res file");
        }

        std::ifstream data(import_file, std::ios::binary);
        if (!data) return report_error(1146, "Failed to open file for import");
        if (copy_stream(data, out, copy_to_end) != 0) return report_error(1152, "Error inserting item to .res file");

        for (std::uint64_t n = header_size + new_stored; n % 4 != 0; ++n) out.put('\0');

        const ResEntry* next = entry(i + 1);
        archive.clear();
        archive.seekg(static_cast<std::streamoff>(next ? next->data_offset : index_offset_));
        if (copy_stream(archive, out, copy_to_end) != 0) return -1;
        archive.clear();

        std::uint8_t field[4];
        const std::uint64_t record = new_index_offset + 6 + std::uint64_t(res_index_entry_size) * i;
        put_u24(field, static_cast<std::uint32_t>(new_uncompressed + header_size));
        patch(out, record + 2, field, 3);
        put_u24(field, static_cast<std::uint32_t>(new_stored + header_size));
        patch(out, record + 6, field, 3);
        put_u32(field, static_cast<std::uint32_t>(new_index_offset));
        patch(out, res_index_offset_field, field, 4);
        out.close();
        if (!out) return report_error(1128, "Failed to open new .res file for output");
    }

    std::error_code ec;
    if (!fs::remove(import_file, ec))
        return report_error(error_text(1228, "Error deleting temporary file") + display(import_file));

    close_stream();

    // Should the copy fail, "temp.res" still holds the complete new archive.
    const std::string kept = ". The complete new archive is kept in " + display(temp_res);
    if (is_marked_read_only(path_)) return report_error(error_text(1253, "Error saving file ") + path_ + kept);
    {
        std::ifstream in(temp_res, std::ios::binary);
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        if (!in || !out) return report_error(error_text(1253, "Error saving file ") + path_ + kept);
        out << in.rdbuf();
        out.close();
        if (!out) return report_error(error_text(1253, "Error saving file ") + path_ + kept);
    }

    if (!fs::remove(temp_res, ec)) return report_error(error_text(1260, "Error deleting temporary file") + display(temp_res));
    return 0;
}

}  // namespace mw
