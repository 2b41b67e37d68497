// Extraction of an entry or item, and preparation of imported data.
#include <fstream>
#include <system_error>

#include "app/workspace/messages.h"
#include "app/workspace/workspace.h"
#include "archive/compression.h"
#include "archive/file_io.h"
#include "archive/res_entry.h"
#include "archive/zip_member.h"
#include "model/model_export.h"
#include "types/type_detection.h"

namespace mw {

namespace {

int damaged_entry_error()
{
    return report_error(1098, "File is damaged - its data or item directory does not fit the .res file");
}

bool copy_file_over(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    return !ec;
}

// Writes the entry's data part to the raw file: stored bytes of a raw entry,
// the decompressed stream of a compressed one.
int write_raw_file(ResEntry& entry, const fs::path& raw)
{
    if (!entry.stream || !*entry.stream) return report_error(1560, "The .res file is not open");
    std::istream& archive = *entry.stream;
    archive.clear();
    if (!entry.is_compressed()) {
        std::ofstream out(raw, std::ios::binary | std::ios::trunc);
        if (!out) return report_error(1568, "Error writing output file");
        archive.seekg(static_cast<std::streamoff>(entry.data_offset));
        return copy_stream(archive, out, entry.stored_length);
    }

    {
        std::ofstream out(raw, std::ios::binary | std::ios::trunc);
        if (!out) return report_error(1580, "Error writing output file");
        archive.seekg(static_cast<std::streamoff>(entry.data_offset + entry.directory_size()));
        if (copy_stream(archive, out, entry.stored_length - entry.directory_size()) != 0) return -1;
    }

    // Wrap the stored stream for the decompressor.
    const auto stream = read_file(raw);
    if (!stream) return report_error(error_text(1822, "Failed to open file ") + display(raw));
    const fs::path raw_zip = fs::path(raw.string() + "zip");
    const std::string member = raw.filename().string();
    if (!write_file(raw_zip, one_member_zip(member, *stream, entry.uncompressed_length)))
        return report_error(error_text(1633, "Error writing ZIP file ") + display(raw_zip));

    const std::uint32_t expected = entry.uncompressed_length - entry.directory_size();
    if (decompress(raw, expected) != 0) return -1;
    std::error_code ec;
    if (!fs::remove(raw_zip, ec)) return report_error(1303, "Error deleting zip file");

    // What came out must be the whole data part, or it is not passed on.
    if (file_size_of(raw).value_or(UINT64_MAX) != expected) {
        fs::remove(raw, ec);
        return report_error(1776, "Error decompressing item - the data has not the length the index gives");
    }
    return 0;
}

// Cuts item `item` out of the raw file into its item file.
int write_item_file(const ResEntry& entry, int item, const fs::path& raw, const fs::path& item_file)
{
    std::ofstream out(item_file, std::ios::binary | std::ios::trunc);
    if (!out) return report_error(1521, "Error writing output file");
    std::ifstream in(raw, std::ios::binary);
    if (!in) return report_error(1329, "Failed to open file for input - item has not been extracted");
    in.seekg(entry.item_offsets[item - 1] - entry.item_offsets[0]);
    std::uint64_t copied = 0;
    if (copy_stream(in, out, entry.item_size(item), &copied) != 0 || copied != entry.item_size(item))
        return report_error(1339, "Error copying file - item has not been extracted");
    return 0;
}

}  // namespace

int ResEntry::extract(int item, const fs::path& destination, int mode, bool convert)
{
    if (damaged) return damaged_entry_error();
    if (item < 0 || item > item_count) return report_error(1097, "Invalid Item Number");
    const fs::path raw = raw_file_path();
    if (converted_path.empty() && write_raw_file(*this, raw) != 0) return -1;

    fs::path stored = raw;
    if (item != 0) {
        stored = item_file_path(item);
        if (write_item_file(*this, item, raw, stored) != 0) return -1;
    }

    if (!type_handler) type_handler = create_file_type(type_from_content(stored));

    fs::path file = stored;
    if (convert) {
        if (!type_handler) return -1;  // the stored file could not be examined; reported already
        if (type_handler->export_convert(stored) != 0) return -1;
        converted_path = type_handler->converted_path(stored);
        file = converted_path;
    }

    if (mode == to_file) {
        const std::string target = destination.string();
        if (!target.empty() && target.back() == 'e') return export_model_source(file, destination, variant_archive);
        if (!target.empty() && target.back() == 'b') return export_cob(file, destination, variant_archive);
        if (!copy_file_over(file, destination))
            return report_error(error_text(1226, "Error saving file ") + display(destination));
    } else if (mode == to_folder) {
        const std::string name = file.filename().string().substr(std::string("mw3792_").size());
        const fs::path target = destination / name;
        if (!copy_file_over(file, target)) return report_error(error_text(1241, "Error saving file ") + display(target));
    }
    return 0;
}

int ResEntry::prepare_import(int item, const fs::path& source, bool convert)
{
    if (damaged) return damaged_entry_error();
    if (item < 0 || item > item_count) return report_error(1097, "Invalid Item Number");
    if (!type_handler) type_handler = create_file_type(type_from_extension(source));

    const fs::path import_file = Workspace::instance().temp_file("import.bin");
    if (convert && type_handler) {
        if (type_handler->import_convert(source, import_file) != 0) return -1;
    } else if (!copy_file_over(source, import_file)) {
        return report_error(1340, "Failed to create import file");
    }

    if (item != 0) {
        // Replace the item inside the data part; the directory stays, so the size must too.
        const auto size = file_size_of(import_file);
        if (!size) return report_error(error_text(1425, "Failed to open file ") + display(import_file));
        if (*size != item_size(item)) return report_error("Error: imported file size differs from original file size");
        const fs::path raw = raw_file_path();
        {
            std::ifstream in(import_file, std::ios::binary);
            std::fstream out(raw, std::ios::binary | std::ios::in | std::ios::out);
            if (!in || !out) return report_error(1647, "Failed to import item");
            out.seekp(item_offsets[item - 1] - item_offsets[0]);
            if (!out) return report_error(1655, "Failed to import item");
            if (copy_stream(in, out, copy_to_end) != 0) return report_error(1661, "Failed to import item");
            out.close();
            if (!out) return report_error(1661, "Failed to import item");
        }
        if (!copy_file_over(raw, import_file)) return report_error(1671, "Failed to import item");
    }

    const auto size = file_size_of(import_file);
    if (!size) return report_error(error_text(1370, "Failed to open file ") + display(import_file));
    // The index holds 24-bit lengths; larger data cannot be stored.
    if (*size + directory_size() > max_entry_length)
        return report_error(1112, "The new data is larger than a .res file entry can hold (16,777,215 bytes)");
    new_uncompressed_length = new_stored_length = static_cast<std::uint32_t>(*size);
    if (!is_compressed()) return 0;

    if (compress(import_file, dcl_option) != 0) return -1;

    // Cut the compressed stream out of "import.zip".
    const fs::path import_zip = Workspace::instance().temp_file("import.zip");
    const auto zip = read_file(import_zip);
    if (!zip) return report_error(error_text(1717, "Failed to open zip ") + display(import_zip));
    const auto member = first_zip_member(*zip);
    if (!member) return report_error(error_text(1718, "Damaged zip ") + display(import_zip));
    if (!write_file(import_file, member->data))
        return report_error(error_text(1726, "Failed to open file ") + display(import_file) + " for output");
    std::error_code ec;
    if (!fs::remove(import_zip, ec)) return report_error(1747, "Error deleting zip file");

    const auto stored = file_size_of(import_file);
    if (!stored) return report_error(error_text(1494, "Failed to open file ") + display(import_file));
    if (*stored + directory_size() > max_entry_length)
        return report_error(1112, "The new data is larger than a .res file entry can hold (16,777,215 bytes)");
    new_stored_length = static_cast<std::uint32_t>(*stored);
    return 0;
}

}  // namespace mw
