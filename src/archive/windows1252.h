// Text of the game (archive names, record texts, resource-ID names) is
// Windows-1252; what this system prints and shows is UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mw {

// Every byte read as Windows-1252 (the five unassigned bytes as the C1
// controls of the same number), written as UTF-8.
std::string utf8_from_windows1252(std::string_view text);

// Well-formed UTF-8 sequences kept, every other byte read as Windows-1252:
// for file paths, which are UTF-8 on this system unless they came from the game.
std::string utf8_from_path(std::string_view path);

// Text typed on this system (UTF-8) as the game stores it: each character as
// its Windows-1252 byte; bytes that are no UTF-8 are kept as they are.
// Nothing when a character has no Windows-1252 byte; `unwritable` then holds it.
std::optional<std::string> windows1252_from_utf8(std::string_view text, std::string* unwritable = nullptr);

// The same for a text the user typed for the game: a character without a
// Windows-1252 byte is reported ("Error: 'C' cannot be written in the game's
// texts (Windows-1252)") and gives nothing.
std::optional<std::string> game_text_from_typed(std::string_view text);

}  // namespace mw
