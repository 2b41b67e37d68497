#include "archive/tree_text.h"

#include <cstdio>

namespace mw {

std::string file_node_text(const ResEntry& entry)
{
    char text[64];
    std::snprintf(text, sizeof text, "File %d (%d bytes)", entry.entry_index + 1, static_cast<int>(entry.shown_size()));
    return text;
}

std::string item_node_text(const ResEntry& entry, int item)
{
    char text[64];
    std::snprintf(text, sizeof text, "Item %d (%d bytes)", item, static_cast<int>(entry.item_size(item)));
    return text;
}

}  // namespace mw
