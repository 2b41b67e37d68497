// What a selection shows: the information text and the display request.
#pragma once

#include <string>

#include "archive/res_entry.h"
#include "document/document_views.h"

namespace mw {

// Display kind of IDs 1389 ... 1468 outside aircraft archives.
inline constexpr int display_kind_1389_1468 = 13891468;

// The four-line information text with `type_text` and the handler's lines.
std::string information_text(const std::string& type_text, const std::string& handler_lines, int resource_id,
                             const std::string& id_name, std::uint32_t stored_length, std::uint32_t uncompressed_length);

// The type text of a 2138 segment of `size` bytes; "" for sizes not in the
// table (2 bytes counts only for items after the first).
std::string aerotype_text(std::uint32_t size, int item);

struct SelectionView {
    int item = 0;           // the selected item after the first-item default
    std::string type_text;
    int display_kind = 0;
    std::uint32_t start = 0;
    std::uint32_t end = display_to_end;
};

// Classifies the selection of `item` of `entry` (whose handler exists).
SelectionView classify_selection(const ResEntry& entry, int item, bool aircraft_archive);

}  // namespace mw
