// The document's side of the aircraft record forms: which record the
// selected item is, loading it from the selected item's temporary file, and
// the saves that write a form's new values back into the archive.
//
// Every save follows one sequence: the wait window; the new record written
// over the temporary file in place (never created, never truncated); the
// entry to replace located by resource ID; the selected item of that entry
// replaced by the file; the archive opened again, the item selected again and
// "Import Completed" shown. The operations themselves are members of
// CMarrowickDoc (marrowick_doc.h); this header brings the record types with
// them.
#pragma once

#include <optional>

#include "aircraft/aircraft_name.h"
#include "aircraft/record.h"
#include "document/marrowick_doc.h"

namespace mw {

// The length the record forms are told for the selected item of `entry`:
// the item's size, or for the whole entry its data part after the directory.
std::size_t record_item_length(const ResEntry& entry, int item);

}  // namespace mw
