// One index entry of an open archive (shown as File i+1): its resource ID,
// lengths, data offset, the sub-item directory of a compound entry, its
// extraction name and its type handler.
//
// Format notes: an entry is compressed exactly when its stored length differs
// from its uncompressed length. A compressed entry whose first two bytes are
// a DCL stream header (0x0400, 0x0500, 0x0600) is one plain stream; any other
// compressed entry is compound: a directory of n items (u16 n, then n+1 u32
// offsets O[0..n] from the start of the uncompressed content, O[0] being the
// directory's own size) followed by one stream holding the rest.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive/byte_io.h"
#include "types/file_type.h"

namespace mw {

namespace fs = std::filesystem;

class InputFile;

// Reports that new data exceeds the 24-bit length of an entry; returns -1.
int entry_too_large_error();

// The DCL option of a stream header value: " -1 ", " -2 ", " -4 " or "".
std::string dcl_option_of_header(std::uint16_t header);

// What the reader makes of an entry from its two lengths and its first bytes.
struct EntryLayout {
    bool damaged = false;          // the directory does not fit or is not well formed
    std::string dcl_option;
    Bytes directory_block;         // a compound entry's directory (O[0] bytes)
    std::uint16_t item_count = 0;
    std::vector<std::uint32_t> item_offsets;
};

// Reads an entry's layout through `read` (count bytes at an offset from the
// entry's start; false when they are not there). The stored data must
// already be known to lie inside the file.
using EntryBytesReader = std::function<bool(std::uint64_t offset, std::uint8_t* out, std::size_t count)>;
EntryLayout read_entry_layout(std::uint32_t uncompressed_length, std::uint32_t stored_length,
                              const EntryBytesReader& read);

// One entry's new content for a rewrite: written in place of the entry's
// data, then padded to a multiple of 4.
struct EntryReplacement {
    int entry = 0;                          // 0-based
    Bytes directory;                        // written first: the entry's own directory block, or a header file's bytes
    fs::path data_file;                     // the new stored data S, removed once the archive is replaced
    std::uint32_t uncompressed_length = 0;  // U, the new data part's length; the index gets U + directory size
    std::uint32_t stored_length = 0;        // |S|; the index gets |S| + directory size
    // Written over the entry's own bytes (same length): the old padding bytes stay.
    bool in_place = false;
    // The directory is a header file's content (its write failure has its own message).
    bool from_header_file = false;
    // S is the user's own file: read, never removed.
    bool data_file_is_users = false;
};

class ResEntry {
public:
    ResEntry() = default;
    // A copy gets its own clone of the type handler and no converted path.
    ResEntry(const ResEntry& other);
    ResEntry& operator=(const ResEntry& other);
    ResEntry(ResEntry&&) noexcept = default;
    ResEntry& operator=(ResEntry&&) noexcept = default;
    ~ResEntry() = default;

    // Fields read from the index (see ResArchive::open).
    std::string archive_title;
    std::string extraction_name;      // "%s_%03d_%d": title, entry number (1-based), resource ID
    InputFile* archive_file = nullptr;  // the archive's open file (not owned)
    int entry_index = 0;
    std::uint16_t resource_id = 0;
    std::uint32_t uncompressed_length = 0;
    std::uint32_t stored_length = 0;
    std::uint64_t data_offset = 0;
    std::string dcl_option;
    std::uint32_t new_uncompressed_length = 0;  // set by prepare_import
    std::uint32_t new_stored_length = 0;
    Bytes directory_block;                      // a compound entry's O[0] raw directory bytes
    std::uint16_t item_count = 0;
    std::vector<std::uint32_t> item_offsets;    // O[0] ... O[n]
    fs::path converted_path;
    // The raw file holds the entry's data part: extractions cut items from it
    // and read nothing from the archive. An import run may put data there
    // that the archive receives later (see set_pending_data_part).
    bool raw_file_current = false;
    std::unique_ptr<FileType> type_handler;


    // The entry's data or directory does not fit the file: it is listed
    // without items and cannot be extracted.
    bool damaged = false;

    bool is_compressed() const { return stored_length != uncompressed_length; }
    bool is_compound() const { return !item_offsets.empty(); }
    std::uint32_t directory_size() const { return static_cast<std::uint32_t>(directory_block.size()); }
    // The size shown for the file: uncompressed length minus the directory.
    std::uint32_t shown_size() const { return uncompressed_length - directory_size(); }
    // Size of item k (1-based): O[k] - O[k-1].
    std::uint32_t item_size(int k) const { return item_offsets[k] - item_offsets[k - 1]; }

    // Extraction modes.
    enum ExtractMode { to_temp = 0, to_file = 1, to_folder = 2 };

    // Writes the whole entry (item 0) or item `item` (1-based) to the temp
    // folder, converted when `convert` is set, and in mode 1 / 2 on to the
    // file / into the folder `destination`. 0 or -1.
    [[nodiscard]] int extract(int item, const fs::path& destination, int mode, bool convert);

    // Whether the whole entry can be replaced without its extraction: an
    // entry without items, raw, or compressed while the built-in codec does
    // the work.
    bool replaceable_in_memory() const;
    // Creates the type handler, when there is none, from the first bytes of
    // the entry's data (decoded in memory when compressed): what extracting
    // the whole entry would detect, without writing a file. 0 or -1.
    [[nodiscard]] int detect_type_in_archive();
    // The replacement of the whole entry by the bytes of `source` as they
    // are: a raw entry reads `source` itself when the archive is written; a
    // compressed one gets them compressed, in memory, into a file beside its
    // raw file. Only where replaceable_in_memory().
    [[nodiscard]] std::optional<EntryReplacement> replacement_by_file(const fs::path& source) const;

    // Leaves the new stored data for `source` (converted when `convert`) in
    // `import_file` (temp + "import.bin" when empty) and sets the new
    // lengths. An item keeps its size. The entry's extracted files are left
    // as the archive holds them. The two halves below, in turn.
    [[nodiscard]] int prepare_import(int item, const fs::path& source, bool convert, fs::path import_file = {});
    // Writes the new data part to `import_file`: the converted source, or
    // the raw file with item `item` replaced by it.
    [[nodiscard]] int build_import_data(int item, const fs::path& source, bool convert, const fs::path& import_file);
    // The length of the new data part in `data_part` when the index can
    // hold it with the entry's directory; nullopt after its message.
    [[nodiscard]] std::optional<std::uint32_t> storable_length(const fs::path& data_part) const;
    // 0 when the entry's items, under its kept directory, all lie within a
    // new data part of `length` bytes; else -1 after its message.
    [[nodiscard]] int check_items_fit(std::uint32_t length) const;
    // Turns the data part in `import_file` into the stored form (compressed
    // for a compressed entry) and sets the new lengths.
    [[nodiscard]] int finish_import(const fs::path& import_file);

    // Moves `data_part` (a file in the temp folder) to the entry's raw file:
    // later extractions and item imports see it, though the archive does not
    // hold it yet.
    [[nodiscard]] int set_pending_data_part(const fs::path& data_part);

    // Deletes the extracted files and forgets the converted path, so the next
    // extraction reads the archive again.
    void forget_extraction();

    // Temp-folder file names of the entry's extraction.
    fs::path raw_file_path() const;             // temp + "mw3792_" + X + "."
    fs::path item_file_path(int item) const;    // temp + "mw3792_" + X + "_item" + K + "."
};

}  // namespace mw
