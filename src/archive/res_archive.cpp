#include "archive/res_archive.h"

#include <cstdio>
#include <cstring>

#include "app/workspace/messages.h"

namespace mw {

namespace {

// Reads `count` bytes at `offset`; false when they are not all there.
bool read_at(std::istream& in, std::uint64_t offset, std::uint8_t* out, std::size_t count)
{
    in.clear();
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
    return in.gcount() == static_cast<std::streamsize>(count);
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
    close_stream();
    stream_.reset();
    path_.clear();
    title_.clear();
    entry_count_ = 0;
    index_offset_ = 0;
    first_data_offset_ = 0;
    entries_.clear();
}

void ResArchive::close_stream()
{
    if (stream_ && stream_->is_open()) stream_->close();
}

int ResArchive::open(const fs::path& path)
{
    stream_ = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*stream_) return report_error(1305, "Failed to open .res file");
    std::ifstream& in = *stream_;

    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    const std::uint64_t file_size = end > 0 ? static_cast<std::uint64_t>(end) : 0;

    char magic[15] = {};
    in.seekg(0);
    in.read(magic, 14);
    if (std::memcmp(magic, res_magic, sizeof magic) != 0) return report_error("This file is not a Cloudmere .res file");

    path_ = path.string();
    title_ = archive_title_of(path_);

    // The index, with its entry table, must lie inside the file.
    std::uint8_t field[6];
    if (!read_at(in, res_index_offset_field, field, 4)) return report_error(1058, "Error locating .res file index");
    index_offset_ = get_u32(field);
    if (!read_at(in, index_offset_, field, 6)) return report_error(1058, "Error locating .res file index");
    const std::uint16_t count = get_u16(field);
    first_data_offset_ = get_u32(field + 2);
    Bytes table(std::size_t(count) * res_index_entry_size);
    if (std::uint64_t(index_offset_) + 6 + table.size() > file_size ||
        (!table.empty() && !read_at(in, std::uint64_t(index_offset_) + 6, table.data(), table.size())))
        return report_error(1058, "Error locating .res file index");

    entry_count_ = count;
    entries_.assign(count, ResEntry{});
    std::uint64_t data_offset = first_data_offset_;
    for (int i = 0; i < count; ++i) {
        ResEntry& entry = entries_[i];
        entry.entry_index = i;
        entry.data_offset = data_offset;
        read_entry(entry, &table[std::size_t(i) * res_index_entry_size], file_size);
        data_offset += round4(entry.stored_length);
    }
    if (count > 0 && (entries_[0].resource_id == 15600 || entries_[0].resource_id == 1000))
        for (ResEntry& entry : entries_) entry.variant_archive = true;
    in.clear();
    return 0;
}

void ResArchive::read_entry(ResEntry& entry, const std::uint8_t* record, std::uint64_t file_size)
{
    char name[64];
    entry.archive_title = title_;
    entry.stream = stream_.get();
    entry.resource_id = get_u16(record);
    entry.uncompressed_length = get_u24(record + 2);
    entry.stored_length = get_u24(record + 6);
    std::snprintf(name, sizeof name, "_%03d_%d", entry.entry_index + 1, entry.resource_id);
    entry.extraction_name = title_ + name;

    if (entry.data_offset + entry.stored_length > file_size) {
        entry.damaged = true;
        return;
    }
    if (!entry.is_compressed()) return;

    std::istream& in = *stream_;
    std::uint8_t head[6];
    if (entry.stored_length < 2 || !read_at(in, entry.data_offset, head, 2)) {
        entry.damaged = true;
        return;
    }
    const std::uint16_t header = get_u16(head);
    entry.dcl_option = dcl_option_of_header(header);
    if (!entry.dcl_option.empty()) return;  // a plain compressed stream

    // A compound entry: its directory must fit the entry and be well formed,
    // else the entry is listed without items.
    const std::uint32_t n = header;
    const std::uint64_t directory_size = 2 + 4 * (std::uint64_t(n) + 1);
    if (directory_size + 2 > entry.stored_length) {
        entry.damaged = true;
        return;
    }
    Bytes directory(directory_size);
    if (!read_at(in, entry.data_offset, directory.data(), directory.size())) {
        entry.damaged = true;
        return;
    }
    std::vector<std::uint32_t> offsets(n + 1);
    for (std::uint32_t k = 0; k <= n; ++k) offsets[k] = get_u32(&directory[2 + 4 * k]);
    bool well_formed = offsets[0] == directory_size;
    for (std::uint32_t k = 1; well_formed && k <= n; ++k)
        well_formed = offsets[k] >= offsets[k - 1] && offsets[k] <= entry.uncompressed_length;
    if (!well_formed || offsets[0] > entry.uncompressed_length) {
        entry.damaged = true;
        return;
    }
    std::uint8_t stream_header[2];
    if (!read_at(in, entry.data_offset + directory_size, stream_header, 2)) {
        entry.damaged = true;
        return;
    }
    entry.directory_block = std::move(directory);
    entry.item_count = static_cast<std::uint16_t>(n);
    entry.item_offsets = std::move(offsets);
    entry.dcl_option = dcl_option_of_header(get_u16(stream_header));
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
