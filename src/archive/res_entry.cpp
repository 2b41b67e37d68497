#include "archive/res_entry.h"

#include "app/workspace/workspace.h"

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

ResEntry::ResEntry(const ResEntry& other)
    : archive_title(other.archive_title),
      extraction_name(other.extraction_name),
      stream(other.stream),
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
      variant_archive(other.variant_archive),
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

fs::path ResEntry::raw_file_path() const
{
    return Workspace::instance().temp_file("mw3792_" + extraction_name + ".");
}

fs::path ResEntry::item_file_path(int item) const
{
    return Workspace::instance().temp_file("mw3792_" + extraction_name + "_item" + std::to_string(item) + ".");
}

}  // namespace mw
