// An open ".res" archive: the header check, the index read into ResEntry
// records, and the archive stream, which stays open while the archive is.
//
// Layout: a 128-byte header (magic "VM Res File v2" at 0, the u32 index
// offset at 124), the entries' data (each padded to a multiple of 4), and the
// index: u16 entry count, u32 offset of the first entry's data, then 10 bytes
// per entry (u16 ID, u24 uncompressed length, attribute byte, u24 stored
// length, attribute byte). Data offsets are not stored: they are the running
// sum of the padded stored lengths from the first-data offset.
//
// A hostile archive never makes `open` read outside the file or allocate
// beyond it: an index that does not fit fails the open; an entry whose data
// or directory does not fit, or whose data lies over the header or the index,
// is listed as damaged, so nothing is ever written over either.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/res_entry.h"
#include "archive/system_file.h"

namespace mw {

namespace fs = std::filesystem;

inline constexpr char res_magic[] = "VM Res File v2";
inline constexpr std::uint32_t res_header_size = 128;
inline constexpr std::uint32_t res_index_offset_field = 124;
inline constexpr std::uint32_t res_index_entry_size = 10;

// The title of an archive path: the name between the last "\" or "/" and the last ".".
std::string archive_title_of(const std::string& path);

// Rounds up to a multiple of 4.
inline std::uint64_t round4(std::uint64_t n) { return (n + 3) & ~std::uint64_t(3); }

class ResArchive {
public:
    ResArchive() = default;
    ResArchive(const ResArchive&) = delete;
    ResArchive& operator=(const ResArchive&) = delete;

    // Reads the header and index of `path`. 0, or -1 after its message, with
    // nothing left open or listed.
    [[nodiscard]] int open(const fs::path& path);
    // Closes the archive file and forgets every entry.
    void clear();
    // Open, with entries that describe the file on disk.
    bool is_open() const { return file_.is_open(); }

    // Entry i (0-based), or nullptr when i is out of range.
    ResEntry* entry(int i);
    const ResEntry* entry(int i) const;
    // 0-based index of the first entry with `id`, or -1.
    int find(std::uint32_t id) const;

    // Extraction of entry i (see ResEntry::extract); "Error#1096: Invalid Item Index" when out of range.
    [[nodiscard]] int extract(int i, int item, const fs::path& destination, int mode, bool convert);

    // Replaces the data of entry i (item 0) or of item `item`, from `source`
    // (converted when `convert`), optionally with `header_file`'s bytes as the
    // new directory block, and writes the whole archive anew (archive_rewrite.h).
    // On 0 the archive file has been replaced and is closed: the caller
    // reopens it. On -1 the archive file is as it was, and still open unless
    // the replacement itself failed.
    [[nodiscard]] int rewrite(int i, int item, const fs::path& source, bool convert, const fs::path& header_file);
    // Whether entry i's data may be replaced at all, whatever the new data:
    // the entry exists and is whole, and the index does not lie inside its
    // data. 0, or -1 after its message (rewrite_entries makes this check too).
    [[nodiscard]] int check_replaceable(int i) const;
    // Replaces several entries at once, from data already in their stored
    // form: one new archive, one replacement (archive_rewrite.h).
    [[nodiscard]] int rewrite_entries(std::vector<EntryReplacement> replacements);

    const std::string& path() const { return path_; }
    const std::string& title() const { return title_; }
    int entry_count() const { return entry_count_; }
    std::uint32_t index_offset() const { return index_offset_; }
    std::uint32_t first_data_offset() const { return first_data_offset_; }
    const std::vector<ResEntry>& entries() const { return entries_; }
    std::vector<ResEntry>& entries() { return entries_; }

    // The open archive file (entries read their data through it).
    InputFile& file() { return file_; }
    // Closes the file but keeps the (now stale) entries: nothing reads through them.
    void close_file() { file_.close(); }

private:
    void read_entry(ResEntry& entry, const std::uint8_t* record);

    InputFile file_;
    std::string path_;
    std::string title_;
    int entry_count_ = 0;
    std::uint32_t index_offset_ = 0;
    std::uint32_t first_data_offset_ = 0;
    std::vector<ResEntry> entries_;
};

}  // namespace mw
