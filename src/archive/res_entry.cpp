#include "archive/res_entry.h"

#include "app/workspace/workspace.h"
#include "archive/system_file.h"

namespace mw {

std::string dcl_option_of_header(std::uint16_t header)
{
    switch (header) {
    case 0x0400: return " -1 ";
    case 0x0500: return " -2 ";
    case 0x0600: return " -4 ";
    default: return "";
    }
}

EntryLayout read_entry_layout(std::uint32_t uncompressed_length, std::uint32_t stored_length,
                              const EntryBytesReader& read)
{
    EntryLayout layout;
    if (stored_length == uncompressed_length) return layout;  // raw: one file, never compound
    std::uint8_t head[2];
    if (stored_length < 2 || !read(0, head, 2)) {
        layout.damaged = true;
        return layout;
    }
    const std::uint16_t header = get_u16(head);
    layout.dcl_option = dcl_option_of_header(header);
    if (!layout.dcl_option.empty()) return layout;  // a plain compressed stream

    // A compound entry: its directory must fit the entry and be well formed.
    const std::uint32_t n = header;
    const std::uint64_t directory_size = 2 + 4 * (std::uint64_t(n) + 1);
    Bytes directory(directory_size);
    if (directory_size + 2 > stored_length || !read(0, directory.data(), directory.size())) {
        layout.damaged = true;
        return layout;
    }
    std::vector<std::uint32_t> offsets(n + 1);
    for (std::uint32_t k = 0; k <= n; ++k) offsets[k] = get_u32(&directory[2 + 4 * k]);
    bool well_formed = offsets[0] == directory_size && offsets[0] <= uncompressed_length;
    for (std::uint32_t k = 1; well_formed && k <= n; ++k)
        well_formed = offsets[k] >= offsets[k - 1] && offsets[k] <= uncompressed_length;
    std::uint8_t stream_header[2];
    if (!well_formed || !read(directory_size, stream_header, 2)) {
        layout.damaged = true;
        return layout;
    }
    layout.directory_block = std::move(directory);
    layout.item_count = static_cast<std::uint16_t>(n);
    layout.item_offsets = std::move(offsets);
    layout.dcl_option = dcl_option_of_header(get_u16(stream_header));
    return layout;
}

ResEntry::ResEntry(const ResEntry& other)
    : archive_title(other.archive_title),
      extraction_name(other.extraction_name),
      archive_file(other.archive_file),
      entry_index(other.entry_index),
      resource_id(other.resource_id),
      uncompressed_length(other.uncompressed_length),
      stored_length(other.stored_length),
      data_offset(other.data_offset),
      dcl_option(other.dcl_option),
      new_uncompressed_length(other.new_uncompressed_length),
      new_stored_length(other.new_stored_length),
      directory_block(other.directory_block),
      item_count(other.item_count),
      item_offsets(other.item_offsets),
      type_handler(other.type_handler ? other.type_handler->clone() : nullptr),
      damaged(other.damaged)
{
}

ResEntry& ResEntry::operator=(const ResEntry& other)
{
    if (this != &other) {
        ResEntry copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void ResEntry::forget_extraction()
{
    // Item files need no removal: every extraction of an item writes its file anew.
    (void)remove_file(raw_file_path());
    if (!converted_path.empty()) (void)remove_file(converted_path);
    converted_path.clear();
    raw_file_current = false;
}

fs::path ResEntry::raw_file_path() const
{
    return Workspace::instance().temp_file("mw3792_" + extraction_name + ".");
}

fs::path ResEntry::item_file_path(int item) const
{
    return Workspace::instance().temp_file("mw3792_" + extraction_name + "_item" + std::to_string(item) + ".");
}

}  // namespace mw
