// ".mws" import script files (text):
//
//   MARROWICKSCRIPTv1.0
//   n                       the number of entry lines, decimal
//   F I name                n lines: file number, item number, a bare name
//
// Written with CR LF line ends. Read as whitespace-separated tokens, except
// that each name is the rest of its line (at most 255 characters) with the
// spaces and tabs around it removed, so inner spaces stay.
#pragma once

#include <filesystem>
#include <iosfwd>

#include "batch/dialog_message.h"
#include "batch/script_list.h"

namespace mw {

namespace fs = std::filesystem;

inline constexpr char script_magic[] = "MARROWICKSCRIPTv1.0";
inline constexpr char script_filter[] = "Marrowick Scripts (*.mws)|*.mws||";
inline constexpr char script_extension[] = "mws";
inline constexpr std::size_t script_name_limit = 255;

// Reads `path` into `list`. A file that cannot be opened, lacks the magic
// word or gives a count below 1 leaves the list as it was; otherwise the
// list is cleared and refilled. A read error, a file number below 1 or a
// negative item number stops the reading, keeping the entries read before;
// a duplicate or a line without a name is refused and the reading goes on.
// Every problem is shown. 0 when the whole script was taken, else -1.
[[nodiscard]] int read_script(const fs::path& path, ScriptList& list, DialogMessenger& messages = sink_messenger());
// The same over the script's text, once it is open.
[[nodiscard]] int read_script(std::istream& in, ScriptList& list, DialogMessenger& messages = sink_messenger());

// Writes `list` to `path` (truncating). An empty list is refused with
// "The script has no entries". 0, or -1 after its message.
[[nodiscard]] int write_script(const fs::path& path, const ScriptList& list,
                               DialogMessenger& messages = sink_messenger());

}  // namespace mw
