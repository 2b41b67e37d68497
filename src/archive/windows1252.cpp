#include "archive/windows1252.h"

#include <cstdint>

#include "app/workspace/messages.h"

namespace mw {

namespace {

// Code points of the bytes 0x80 ... 0x9F.
constexpr char32_t high_control_row[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void append_utf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

void append_windows1252(std::string& out, unsigned char byte)
{
    append_utf8(out, byte >= 0x80 && byte < 0xA0 ? high_control_row[byte - 0x80] : char32_t(byte));
}

// Length of the well-formed UTF-8 sequence at the start of `text`, 0 if
// none; `code_point` receives its value.
std::size_t utf8_sequence_length(std::string_view text, char32_t* code_point = nullptr)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t lowest = 0;
    char32_t c = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, lowest = 0x80, c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, lowest = 0x800, c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, lowest = 0x10000, c = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    if (c < lowest || c > 0x10FFFF || surrogate) return 0;
    if (code_point) *code_point = c;
    return length;
}

// The Windows-1252 byte of a code point, or nothing.
std::optional<char> windows1252_byte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return char(c);
    for (std::size_t i = 0; i < 32; ++i)
        if (high_control_row[i] == c) return char(0x80 + i);
    return std::nullopt;
}

}  // namespace

std::string utf8_from_windows1252(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) append_windows1252(out, static_cast<unsigned char>(c));
    return out;
}

std::string utf8_from_path(std::string_view path)
{
    std::string out;
    out.reserve(path.size());
    for (std::size_t i = 0; i < path.size();) {
        const auto byte = static_cast<unsigned char>(path[i]);
        const std::size_t length = byte < 0x80 ? 1 : utf8_sequence_length(path.substr(i));
        if (length == 0) {
            append_windows1252(out, byte);
            ++i;
        } else {
            out.append(path.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::optional<std::string> windows1252_from_utf8(std::string_view text, std::string* unwritable)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1 : utf8_sequence_length(text.substr(i), &c);
        if (length == 0) {
            out += text[i++];  // a byte typed as a byte
            continue;
        }
        const auto byte = windows1252_byte(c);
        if (!byte) {
            if (unwritable) *unwritable = std::string(text.substr(i, length));
            return std::nullopt;
        }
        out += *byte;
        i += length;
    }
    return out;
}

std::optional<std::string> game_text_from_typed(std::string_view text)
{
    std::string unwritable;
    auto game_text = windows1252_from_utf8(text, &unwritable);
    if (!game_text) report_error("Error: '" + unwritable + "' cannot be written in the game's texts (Windows-1252)");
    return game_text;
}

}  // namespace mw
