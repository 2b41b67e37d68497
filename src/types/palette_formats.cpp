#include "types/palette_formats.h"

#include <array>
#include <istream>
#include <vector>

#include "types/palette_file.h"

namespace mw {

namespace {

const std::string corel_palette_name = "Cloudmere Palette";
const std::string corel_colour_name = "unnamed color";
const std::size_t corel_palette_size =
    2 + 1 + corel_palette_name.size() + 2 + palette_colour_count * (12 + 1 + corel_colour_name.size());

}  // namespace

std::string jasc_palette_from_entry(ByteSpan entry)
{
    std::vector<PaletteTriple> colours;
    for (std::size_t i = 0; i < palette_colour_count; ++i)
        colours.push_back({entry[3 * i], entry[3 * i + 1], entry[3 * i + 2]});
    return jasc_palette_text(colours);
}

Bytes corel_palette_from_entry(ByteSpan entry)
{
    ByteWriter out;
    out.data().reserve(corel_palette_size);
    out.u16(corel_palette_magic);
    out.u8(static_cast<std::uint32_t>(corel_palette_name.size()));
    out.text(corel_palette_name);
    out.u16(palette_colour_count);
    for (std::size_t i = 0; i < palette_colour_count; ++i) {
        out.u16(5);
        out.u16(5);
        out.u32(0);
        out.u8(entry[3 * i + 2]);  // blue
        out.u8(entry[3 * i + 1]);  // green
        out.u8(entry[3 * i]);      // red
        out.u8(0);
        out.u8(static_cast<std::uint32_t>(corel_colour_name.size()));
        out.text(corel_colour_name);
    }
    return out.take();
}

PaletteReadResult entry_from_jasc_palette(std::istream& text)
{
    WordReader words(text);
    if (words.word() != "JASC-PAL") return {PaletteReadStatus::invalid_format, {}};
    const auto version = words.integer();
    const auto count = words.integer();
    if (!version || count != static_cast<int>(palette_colour_count)) return {PaletteReadStatus::invalid_format, {}};
    Bytes entry;
    entry.reserve(palette_entry_size);
    while (entry.size() < palette_entry_size) {
        const auto value = words.integer();
        if (!value) return {PaletteReadStatus::invalid_format, {}};
        entry.push_back(static_cast<std::uint8_t>(*value));
    }
    return {PaletteReadStatus::ok, entry};
}

PaletteReadResult entry_from_corel_palette(ByteSpan file)
{
    ByteReader in(file);
    if (in.u16() != corel_palette_magic || !in.ok()) return {PaletteReadStatus::invalid_format, {}};
    in.skip(in.u8());
    const std::uint16_t count = in.u16();
    if (!in.ok()) return {PaletteReadStatus::invalid_format, {}};
    if (count != palette_colour_count) return {PaletteReadStatus::wrong_count, {}};
    Bytes entry;
    entry.reserve(palette_entry_size);
    for (std::size_t i = 0; i < palette_colour_count; ++i) {
        in.skip(8);
        const std::uint8_t blue = in.u8();
        const std::uint8_t green = in.u8();
        const std::uint8_t red = in.u8();
        in.skip(1);
        in.skip(in.u8());
        entry.insert(entry.end(), {red, green, blue});
    }
    if (!in.ok()) return {PaletteReadStatus::invalid_format, {}};
    return {PaletteReadStatus::ok, entry};
}

}  // namespace mw
