// The texts of the archive tree's nodes.
#pragma once

#include <string>

#include "archive/res_entry.h"

namespace mw {

// "File %d (%d bytes)": the 1-based number and the size shown for the file.
std::string file_node_text(const ResEntry& entry);
// "Item %d (%d bytes)": the 1-based item number and the item's size.
std::string item_node_text(const ResEntry& entry, int item);

}  // namespace mw
