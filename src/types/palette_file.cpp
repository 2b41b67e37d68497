#include "types/palette_file.h"

#include <cctype>
#include <charconv>
#include <fstream>

#include "app/workspace/workspace.h"

namespace mw {

namespace {

constexpr std::size_t max_word_length = 64;
constexpr int jasc_header_words = 3;

}  // namespace

fs::path current_palette_path() { return Workspace::instance().temp_file("mw3792_current.pal"); }

std::optional<std::string> WordReader::word()
{
    int c = in_.get();
    while (c != std::char_traits<char>::eof() && std::isspace(c)) c = in_.get();
    if (c == std::char_traits<char>::eof()) return std::nullopt;
    std::string text;
    bool over_long = false;
    while (c != std::char_traits<char>::eof() && !std::isspace(c)) {
        if (text.size() < max_word_length)
            text.push_back(static_cast<char>(c));
        else
            over_long = true;
        c = in_.get();
    }
    if (over_long) text.assign(max_word_length + 1, 'x');
    return text;
}

std::optional<int> WordReader::integer()
{
    const auto text = word();
    if (!text) return std::nullopt;
    const char* first = text->data();
    const char* last = first + text->size();
    if (first != last && *first == '+') ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last) return std::nullopt;
    return value;
}

std::optional<std::vector<PaletteTriple>> read_palette_triples(const fs::path& path, std::size_t max_colours)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    WordReader words(in);
    for (int i = 0; i < jasc_header_words; ++i) words.word();
    std::vector<PaletteTriple> colours;
    while (colours.size() < max_colours) {
        PaletteTriple triple{};
        for (int& value : triple) {
            const auto read = words.integer();
            if (!read) return colours;
            value = *read;
        }
        colours.push_back(triple);
    }
    return colours;
}

}  // namespace mw
