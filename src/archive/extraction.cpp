// Extraction of an entry or item, and preparation of imported data.
//
// Every file is written through checked writes and closes; a copy that fails
// leaves no short file behind. The entry's extracted files always hold what
// the archive holds: an import builds its data in "import.bin" and never
// touches them.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <span>

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

// The index marks an entry compressed by its two lengths differing: a
// stream exactly as long as its data gets one byte after its end code,
// which no decoder reads, so the entry stays compressed.
void keep_lengths_apart(Bytes& stream, std::size_t data_length)
{
    if (stream.size() == data_length) stream.push_back(0);
}

// Closes `out` after `outcome`; on any failure removes the file and shows
// `message` with the failing file and the reason.
int finish_copy(CopyOutcome outcome, OutputFile& out, const std::string& message)
{
    if (outcome && !out.close()) outcome = {CopyOutcome::Failure::write, out.path(), out.reason()};
    if (outcome) return 0;
    if (out.is_open()) (void)out.close();
    (void)remove_file(out.path());
    return report_error(message + outcome.line());
}

// A compressed entry's data part, decoded in memory from its stored
// `stream`; nothing when the stream is damaged or not as long as the index says.
std::optional<Bytes> decoded_data_part(const ResEntry& entry, ByteSpan stream)
{
    const std::uint32_t expected = entry.uncompressed_length - entry.directory_size();
    auto data = decompress_in_process(stream, expected);
    if (data && data->size() != expected) {
        (void)report_error(1776, "Error decompressing item - the data has not the length the index gives");
        return std::nullopt;
    }
    return data;
}

// Writes a stored stream over `file`; 0 or -1.
int write_stream(const fs::path& file, const Bytes& stream)
{
    std::string reason;
    if (!write_file(file, stream, &reason))
        return report_error(error_text(1726, "Failed to open file ") + display(file) + " for output" +
                            reason_line(file, reason));
    return 0;
}

// The compressed stream of `file`: from the built-in codec in memory, or cut
// out of the "import.zip" the external compressor writes.
std::optional<Bytes> compressed_stream(const fs::path& file, const std::string& dcl_option)
{
    if (compresses_in_process()) {
        InputFile in;
        Bytes data;
        if (!in.open(file) || !in.read_at(0, data, static_cast<std::size_t>(in.size()))) {
            (void)report_error(error_text(1761, "Error compressing item") + reason_line(file, in.reason()));
            return std::nullopt;
        }
        return compress_in_process(data, dcl_option);
    }
    if (compress(file, dcl_option) != 0) return std::nullopt;
    const fs::path import_zip = Workspace::instance().temp_file("import.zip");
    const auto zip = read_file(import_zip);
    if (!zip) {
        (void)report_error(error_text(1717, "Failed to open zip ") + display(import_zip));
        return std::nullopt;
    }
    const auto member = first_zip_member(*zip);
    if (!member) {
        (void)report_error(error_text(1718, "Damaged zip ") + display(import_zip));
        return std::nullopt;
    }
    Bytes stream(member->data.begin(), member->data.end());
    if (!remove_file(import_zip)) {
        (void)report_error(1747, "Error deleting zip file");
        return std::nullopt;
    }
    return stream;
}

// Writes the entry's data part to the raw file: stored bytes of a raw entry,
// the decompressed stream of a compressed one.
int write_raw_file(ResEntry& entry, const fs::path& raw)
{
    if (!entry.archive_file || !entry.archive_file->is_open()) return report_error(1560, "The .res file is not open");
    InputFile& archive = *entry.archive_file;
    if (!entry.is_compressed()) {
        OutputFile out;
        if (!out.open(raw)) return report_error(error_text(1568, "Error writing output file") + reason_line(raw, out.reason()));
        return finish_copy(copy_range(archive, entry.data_offset, entry.stored_length, out), out,
                           error_text(1001, "Error copying file"));
    }

    Bytes stream;
    if (!archive.read_at(entry.data_offset + entry.directory_size(), stream,
                         entry.stored_length - entry.directory_size()))
        return report_error(error_text(1001, "Error copying file") + reason_line(archive.path(), archive.reason()));
    const std::uint32_t expected = entry.uncompressed_length - entry.directory_size();
    if (decompresses_in_process()) {
        const auto data = decoded_data_part(entry, stream);
        if (!data) return -1;
        std::string reason;
        if (!write_file(raw, *data, &reason))
            return report_error(error_text(1580, "Error writing output file") + reason_line(raw, reason));
        return 0;
    }

    // Wrap the stored stream for the external decompressor.
    const fs::path raw_zip = fs::path(raw.string() + "zip");
    const std::string member = raw.filename().string();
    std::string reason;
    if (!write_file(raw_zip, one_member_zip(member, stream, entry.uncompressed_length), &reason))
        return report_error(error_text(1633, "Error writing ZIP file ") + display(raw_zip) + reason_line(raw_zip, reason));

    if (decompress(raw, expected) != 0) return -1;
    if (!remove_file(raw_zip)) return report_error(1303, "Error deleting zip file");

    // What came out must be the whole data part, or it is not passed on.
    if (file_size_of(raw).value_or(UINT64_MAX) != expected) {
        (void)remove_file(raw);
        return report_error(1776, "Error decompressing item - the data has not the length the index gives");
    }
    return 0;
}

// Cuts item `item` out of the raw file into its item file.
int write_item_file(const ResEntry& entry, int item, const fs::path& raw, const fs::path& item_file)
{
    OutputFile out;
    if (!out.open(item_file))
        return report_error(error_text(1521, "Error writing output file") + reason_line(item_file, out.reason()));
    InputFile in;
    if (!in.open(raw))
        return report_error(error_text(1329, "Failed to open file for input - item has not been extracted") +
                            reason_line(raw, in.reason()));
    return finish_copy(copy_range(in, entry.item_offsets[item - 1] - entry.item_offsets[0], entry.item_size(item), out),
                       out, error_text(1339, "Error copying file - item has not been extracted"));
}

// Copies an exported file to where the user asked for it.
int save_copy(const fs::path& from, const fs::path& to, int error_number)
{
    const CopyOutcome outcome = copy_file_over(from, to);
    if (outcome) return 0;
    return report_error(error_text(error_number, "Error saving file ") + display(to) + outcome.line());
}

}  // namespace

int ResEntry::extract(int item, const fs::path& destination, int mode, bool convert)
{
    if (damaged) return damaged_entry_error();
    if (item < 0 || item > item_count) return report_error(1097, "Invalid Item Number");
    const fs::path raw = raw_file_path();
    const auto exported_name = [](const fs::path& file) {
        return file.filename().string().substr(std::string("mw3792_").size());
    };

    // The stored form into a folder goes straight to the destination: the
    // data part from the archive, or the item from the raw file.
    if (mode == to_folder && !convert) {
        if (item == 0 && !raw_file_current && (!is_compressed() || decompresses_in_process()))
            return write_raw_file(*this, destination / exported_name(raw));
        if (item != 0) {
            if (!raw_file_current) {
                if (write_raw_file(*this, raw) != 0) return -1;
                raw_file_current = true;
            }
            return write_item_file(*this, item, raw, destination / exported_name(item_file_path(item)));
        }
    }

    if (!raw_file_current) {
        if (write_raw_file(*this, raw) != 0) return -1;
        raw_file_current = true;
    }

    fs::path stored = raw;
    if (item != 0) {
        stored = item_file_path(item);
        if (write_item_file(*this, item, raw, stored) != 0) return -1;
    }

    if (!type_handler) {
        const int type = type_from_content(stored);
        if (type < 0) return -1;  // the stored file could not be examined; reported already
        type_handler = create_file_type(type);
    }

    fs::path file = stored;
    if (convert) {
        if (!type_handler) return -1;
        if (type_handler->export_convert(stored) != 0) return -1;
        converted_path = type_handler->converted_path(stored);
        file = converted_path;
    }

    if (mode == to_file) {
        const std::string target = destination.string();
        if (!target.empty() && target.back() == 'e') return export_model_source(file, destination);
        if (!target.empty() && target.back() == 'b') return export_cob(file, destination);
        return save_copy(file, destination, 1226);
    }
    if (mode == to_folder) return save_copy(file, destination / exported_name(file), 1241);
    return 0;
}

bool ResEntry::replaceable_in_memory() const
{
    if (damaged || is_compound()) return false;
    return !is_compressed() || (decompresses_in_process() && compresses_in_process());
}

int ResEntry::detect_type_in_archive()
{
    if (type_handler) return 0;
    if (!replaceable_in_memory()) return report_error(1097, "Invalid Item Number");
    if (!archive_file || !archive_file->is_open()) return report_error(1560, "The .res file is not open");
    // A raw entry's first bytes, or a compressed one's whole stream.
    Bytes stored;
    const std::size_t wanted = is_compressed() ? stored_length : std::min<std::size_t>(stored_length, 8);
    if (!archive_file->read_at(data_offset, stored, wanted))
        return report_error(error_text(1067, "Open file for reading failed") +
                            reason_line(archive_file->path(), archive_file->reason()));
    std::optional<Bytes> decoded;
    if (is_compressed() && !(decoded = decoded_data_part(*this, stored))) return -1;
    const Bytes& data = decoded ? *decoded : stored;
    const std::uint64_t size = decoded ? decoded->size() : stored_length;
    const std::size_t head = std::min<std::size_t>(data.size(), 8);
    type_handler = create_file_type(type_from_head(std::span<const std::uint8_t>(data.data(), head), size));
    return type_handler ? 0 : -1;
}

std::optional<EntryReplacement> ResEntry::replacement_by_file(const fs::path& source) const
{
    if (!replaceable_in_memory()) {
        (void)report_error(1097, "Invalid Item Number");
        return std::nullopt;
    }
    InputFile in;
    if (!in.open(source)) {
        (void)report_error(error_text(1370, "Failed to open file ") + display(source) + reason_line(source, in.reason()));
        return std::nullopt;
    }
    if (in.size() > max_entry_length) {
        (void)entry_too_large_error();
        return std::nullopt;
    }
    EntryReplacement replacement;
    replacement.entry = entry_index;
    replacement.uncompressed_length = replacement.stored_length = static_cast<std::uint32_t>(in.size());
    if (!is_compressed()) {
        replacement.data_file = source;
        replacement.data_file_is_users = true;
        return replacement;
    }
    std::optional<Bytes> stream = compressed_stream(source, dcl_option);
    if (!stream) return std::nullopt;
    keep_lengths_apart(*stream, replacement.uncompressed_length);
    if (stream->size() > max_entry_length) {
        (void)entry_too_large_error();
        return std::nullopt;
    }
    replacement.data_file = fs::path(raw_file_path().string() + "stored");
    replacement.stored_length = static_cast<std::uint32_t>(stream->size());
    if (write_stream(replacement.data_file, *stream) != 0) return std::nullopt;
    return replacement;
}

namespace {

// The raw file must hold the entry's whole data part before an item is
// replaced inside it; it is extracted when it does not.
int ensure_raw_file(ResEntry& entry)
{
    if (entry.raw_file_current) return 0;
    if (write_raw_file(entry, entry.raw_file_path()) != 0) return -1;
    entry.raw_file_current = true;
    return 0;
}

// Builds the import file for item `item`: the raw file with the item's bytes
// replaced. The raw file itself stays as the archive holds it.
int replace_item_in_import_file(ResEntry& entry, int item, const fs::path& import_file)
{
    const auto size = file_size_of(import_file);
    if (!size) return report_error(error_text(1425, "Failed to open file ") + display(import_file));
    if (*size != entry.item_size(item)) return report_error("Error: imported file size differs from original file size");
    const auto item_bytes = read_file(import_file, *size);
    if (!item_bytes) return report_error(error_text(1425, "Failed to open file ") + display(import_file));
    if (ensure_raw_file(entry) != 0) return -1;

    const CopyOutcome copied = copy_file_over(entry.raw_file_path(), import_file);
    if (!copied) return report_error(error_text(1671, "Failed to import item") + copied.line());
    OutputFile out;
    if (!out.open(import_file, OutputFile::Mode::update))
        return report_error(error_text(1647, "Failed to import item") + reason_line(import_file, out.reason()));
    if (!out.write_at(entry.item_offsets[item - 1] - entry.item_offsets[0], *item_bytes) || !out.close())
        return report_error(error_text(1661, "Failed to import item") + reason_line(import_file, out.reason()));
    return 0;
}

}  // namespace

int entry_too_large_error()
{
    return report_error(1112, "The new data is larger than a .res file entry can hold (16,777,215 bytes)");
}

int ResEntry::check_items_fit(std::uint32_t length) const
{
    if (item_offsets.empty() || item_offsets.back() <= std::uint64_t(directory_size()) + length) return 0;
    const std::string file = std::to_string(entry_index + 1);
    return report_error(1173, "The new data is shorter than the items of File " + file + " need - File " + file +
                                  " is left as it was");
}

int ResEntry::prepare_import(int item, const fs::path& source, bool convert, fs::path import_file)
{
    if (import_file.empty()) import_file = Workspace::instance().temp_file("import.bin");
    if (build_import_data(item, source, convert, import_file) != 0) return -1;
    return finish_import(import_file);
}

int ResEntry::build_import_data(int item, const fs::path& source, bool convert, const fs::path& import_file)
{
    if (damaged) return damaged_entry_error();
    if (item < 0 || item > item_count) return report_error(1097, "Invalid Item Number");
    if (!type_handler) type_handler = create_file_type(type_from_extension(source));

    if (convert && type_handler) {
        if (type_handler->import_convert(source, import_file) != 0) return -1;
    } else if (const CopyOutcome copied = copy_file_over(source, import_file); !copied) {
        return report_error(error_text(1340, "Failed to create import file") + copied.line());
    }
    if (item != 0 && replace_item_in_import_file(*this, item, import_file) != 0) return -1;
    return 0;
}

int ResEntry::set_pending_data_part(const fs::path& data_part)
{
    // Both lie in the temp folder: a rename moves the data without a copy.
    const fs::path raw = raw_file_path();
    if (::rename(data_part.c_str(), raw.c_str()) != 0) {
        raw_file_current = false;  // the raw file is extracted again when needed
        return report_error(error_text(1340, "Failed to create import file") + reason_line(raw, last_system_reason()));
    }
    raw_file_current = true;
    return 0;
}

std::optional<std::uint32_t> ResEntry::storable_length(const fs::path& data_part) const
{
    const auto size = file_size_of(data_part);
    if (!size) {
        (void)report_error(error_text(1370, "Failed to open file ") + display(data_part));
        return std::nullopt;
    }
    // The index holds 24-bit lengths; larger data cannot be stored.
    if (*size + directory_size() > max_entry_length) {
        (void)entry_too_large_error();
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*size);
}

int ResEntry::finish_import(const fs::path& import_file)
{
    const std::optional<std::uint32_t> length = storable_length(import_file);
    if (!length) return -1;
    new_uncompressed_length = new_stored_length = *length;
    if (!is_compressed()) return 0;

    std::optional<Bytes> compressed = compressed_stream(import_file, dcl_option);
    if (!compressed) return -1;
    Bytes stream = std::move(*compressed);
    keep_lengths_apart(stream, new_uncompressed_length);
    if (write_stream(import_file, stream) != 0) return -1;

    if (stream.size() + directory_size() > max_entry_length) return entry_too_large_error();
    new_stored_length = static_cast<std::uint32_t>(stream.size());
    return 0;
}

}  // namespace mw
