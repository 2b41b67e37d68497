#include "aircraft/aircraft_name.h"

#include "aircraft/record_file.h"
#include "app/workspace/messages.h"

namespace mw {

namespace {

const char* const read_failed = "Error#62: Error reading aircraft name file";

// The zero-terminated text at `at`; nothing when no zero byte follows.
std::optional<std::string> zero_terminated(ByteSpan item, std::size_t at)
{
    for (std::size_t i = at; i < item.size(); ++i)
        if (item[i] == 0) return std::string(item.begin() + std::ptrdiff_t(at), item.begin() + std::ptrdiff_t(i));
    return std::nullopt;
}

}  // namespace

std::optional<AircraftName> load_aircraft_name(ByteSpan item)
{
    AircraftName result;
    std::size_t offset = 0;
    if (!item.empty() && item[0] == 0x02) {
        if (item.size() < 3) {
            report_error(read_failed);
            return std::nullopt;
        }
        offset = item[2];
    }
    const auto name = zero_terminated(item, offset);
    const auto description = name ? zero_terminated(item, offset + name->size() + 1) : std::nullopt;
    if (!description) {
        report_error(read_failed);
        return std::nullopt;
    }
    result.layout = {offset, name->size(), description->size()};
    result.name = *name;
    for (char c : *description) {
        if (c == '\n') {
            result.description += '\r';
            ++result.line_breaks;
        }
        result.description += c;
    }
    return result;
}

std::optional<AircraftName> load_aircraft_name_file(const fs::path& path)
{
    const auto bytes = read_record_bytes(path);
    if (!bytes) {
        report_error("Error#61: Error loading aircraft name file");
        return std::nullopt;
    }
    return load_aircraft_name(*bytes);
}

int encode_aircraft_name(Bytes& item, const NameLayout& layout, std::string_view name, std::string_view description)
{
    if (name.empty()) return report_error("Enter the new aircraft name");
    if (name.size() > layout.name_length)
        return report_error("The name may hold at most " + std::to_string(layout.name_length) + " characters");
    // Line breaks go back to single line feeds. A carriage return without a
    // line feed after it came from the stored text and stays.
    std::string text;
    for (std::size_t i = 0; i < description.size(); ++i)
        if (description[i] != '\r' || i + 1 >= description.size() || description[i + 1] != '\n') text += description[i];
    if (text.size() > layout.description_length)
        return report_error("The description may hold at most " + std::to_string(layout.description_length) +
                            " characters (line breaks count as one)");
    const std::size_t end = layout.name_offset + layout.name_length + 1 + layout.description_length + 1;
    if (end > item.size()) return report_error("The item no longer holds the aircraft name and description");

    std::size_t at = layout.name_offset;
    for (std::size_t i = 0; i < layout.name_length; ++i) item[at++] = std::uint8_t(i < name.size() ? name[i] : ' ');
    item[at++] = 0;
    for (std::size_t i = 0; i < layout.description_length; ++i) item[at++] = std::uint8_t(i < text.size() ? text[i] : ' ');
    item[at] = 0;
    return 0;
}

int update_aircraft_name_file(const fs::path& path, std::string_view name, std::string_view description,
                              const NameLayout& layout)
{
    const char* const open_failed = "Error opening aircraft name file";
    auto bytes = read_record_bytes(path);
    if (!bytes) return report_error(open_failed);
    if (encode_aircraft_name(*bytes, layout, name, description) != 0) return -1;
    return write_over_file(path, *bytes, open_failed);
}

}  // namespace mw
