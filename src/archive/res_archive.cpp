#include "archive/res_archive.h"

#include <cstdio>
#include <cstring>

#include "app/workspace/messages.h"

namespace mw {

namespace {

bool overlaps(std::uint64_t a_start, std::uint64_t a_end, std::uint64_t b_start, std::uint64_t b_end)
{
    return a_start < b_end && b_start < a_end;
}

}  // namespace

std::string archive_title_of(const std::string& path)
{
    const auto slash = path.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

void ResArchive::clear()
{
    file_.close();
    path_.clear();
    title_.clear();
    entry_count_ = 0;
    index_offset_ = 0;
    first_data_offset_ = 0;
    entries_.clear();
}

int ResArchive::open(const fs::path& path)
{
    clear();
    // A failed open leaves nothing open or listed.
    auto fail = [&](const std::string& text) {
        clear();
        return report_error(text);
    };
    if (!file_.open(path)) return fail(error_text(1305, "Failed to open .res file") + reason_line(path, file_.reason()));

    char magic[15] = {};
    if (file_.size() < 14 || !file_.read_at(0, reinterpret_cast<std::uint8_t*>(magic), 14)) {
        if (file_.size() >= 14) return fail(error_text(1305, "Failed to open .res file") + reason_line(path, file_.reason()));
        return fail("This file is not a Cloudmere .res file");
    }
    if (std::memcmp(magic, res_magic, sizeof magic) != 0) return fail("This file is not a Cloudmere .res file");

    path_ = path.string();
    title_ = archive_title_of(path_);

    // The index, with its entry table, must lie inside the file and after the header.
    const std::uint64_t file_size = file_.size();
    const std::string locate_error = error_text(1058, "Error locating .res file index");
    std::uint8_t field[6];
    if (file_size < res_header_size || !file_.read_at(res_index_offset_field, field, 4)) return fail(locate_error);
    index_offset_ = get_u32(field);
    if (index_offset_ < res_header_size || std::uint64_t(index_offset_) + 6 > file_size ||
        !file_.read_at(index_offset_, field, 6))
        return fail(locate_error);
    const std::uint16_t count = get_u16(field);
    first_data_offset_ = get_u32(field + 2);
    Bytes table(std::size_t(count) * res_index_entry_size);
    if (std::uint64_t(index_offset_) + 6 + table.size() > file_size ||
        (!table.empty() && !file_.read_at(std::uint64_t(index_offset_) + 6, table.data(), table.size())))
        return fail(locate_error);

    entry_count_ = count;
    entries_.assign(count, ResEntry{});
    std::uint64_t data_offset = first_data_offset_;
    for (int i = 0; i < count; ++i) {
        ResEntry& entry = entries_[i];
        entry.entry_index = i;
        entry.data_offset = data_offset;
        read_entry(entry, &table[std::size_t(i) * res_index_entry_size]);
        data_offset += round4(entry.stored_length);
    }
    return 0;
}

void ResArchive::read_entry(ResEntry& entry, const std::uint8_t* record)
{
    char name[64];
    entry.archive_title = title_;
    entry.archive_file = &file_;
    entry.resource_id = get_u16(record);
    entry.uncompressed_length = get_u24(record + 2);
    entry.stored_length = get_u24(record + 6);
    std::snprintf(name, sizeof name, "_%03d_%d", entry.entry_index + 1, entry.resource_id);
    entry.extraction_name = title_ + name;

    // Data past the end of the file, over the header or over the index is
    // damaged: it is never read, and a rewrite never writes over either.
    const std::uint64_t start = entry.data_offset;
    const std::uint64_t end = start + entry.stored_length;
    const std::uint64_t index_end = std::uint64_t(index_offset_) + 6 + std::uint64_t(res_index_entry_size) * entry_count_;
    if (end > file_.size() || start < res_header_size ||
        (entry.stored_length > 0 && overlaps(start, end, index_offset_, index_end))) {
        entry.damaged = true;
        return;
    }
    EntryLayout layout = read_entry_layout(entry.uncompressed_length, entry.stored_length,
                                           [&](std::uint64_t offset, std::uint8_t* out, std::size_t count) {
                                               return file_.read_at(start + offset, out, count);
                                           });
    entry.damaged = layout.damaged;
    entry.dcl_option = std::move(layout.dcl_option);
    entry.directory_block = std::move(layout.directory_block);
    entry.item_count = layout.item_count;
    entry.item_offsets = std::move(layout.item_offsets);
}

ResEntry* ResArchive::entry(int i)
{
    return i >= 0 && i < entry_count_ ? &entries_[i] : nullptr;
}

const ResEntry* ResArchive::entry(int i) const
{
    return i >= 0 && i < entry_count_ ? &entries_[i] : nullptr;
}

int ResArchive::find(std::uint32_t id) const
{
    for (int i = 0; i < entry_count_; ++i)
        if (entries_[i].resource_id == id) return i;
    return -1;
}

}  // namespace mw
