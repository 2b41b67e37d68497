#include "document/info_text.h"

#include <cstdio>
#include <map>

namespace mw {

std::string information_text(const std::string& type_text, const std::string& handler_lines, int resource_id,
                             const std::string& id_name, std::uint32_t stored_length, std::uint32_t uncompressed_length)
{
    return "Type                          : " + type_text + "\r\n" + handler_lines +
           "Resource ID              : " + std::to_string(resource_id) + "    " + id_name + "\r\n" +
           "Compressed Size     : " + std::to_string(static_cast<int>(stored_length)) + "\r\n" +
           "Uncompressed Size : " + std::to_string(static_cast<int>(uncompressed_length));
}

std::string aerotype_text(std::uint32_t size, int item)
{
    static const std::map<std::uint32_t, std::string> texts = {
        {1, "AEROTYPE_ANTIICE"},
        {109, "AEROTYPE_AIRFOIL"},
        {122, "AEROTYPE_AIRFOIL2"},
        {101, "AEROTYPE_GEAR"},
        {61, "AEROTYPE_AUTOPILOT"},
        {71, "AEROTYPE_PONTOON"},
        {90, "AEROTYPE_TURBOFAN JET ENGINE"},
        {96, "AEROTYPE_PROPENGINE"},
        {73, "AEROTYPE_CONFIGINFO"},
        {42, "AEROTYPE_MASS"},
        {45, "AEROTYPE_AVIONICSOUND"},
        {47, "AEROTYPE_FUEL"},
        {21, "AEROTYPE_RUMBLE_INFO or AEROTYPE_RADIO"},
        {66, "AEROTYPE_DRAG"},
        {14, "AEROTYPE_WHEELOFFSET"},
        {10, "AEROTYPE_WHEELINFO"},
        {9, "AEROTYPE_YAWDAMPER"},
        {13, "AEROTYPE_WARNINGS"},
        {27, "AEROTYPE_REVTHRUST"},
        {25, "AEROTYPE_CAUTIONS"},
        {12, "AEROTYPE_MODELOFFSET"},
        {17, "AEROTYPE_TRIMINFO"},
        {18, "AEROTYPE_CONTACT"},
        {19, "AEROTYPE_POWERINFO"},
        {6, "AEROTYPE_SHOCKABSORBER/_5WAYSTARTER"},
        {7, "AEROTYPE_GEARDOOR"},
        {5, "AEROTYPE_OVERRIDE_DEFAULT"},
    };
    if (size == 2) return item > 1 ? "AEROTYPE_FUELSYSTEM" : "";
    const auto found = texts.find(size);
    return found == texts.end() ? "" : found->second;
}

SelectionView classify_selection(const ResEntry& entry, int item, bool aircraft_archive)
{
    SelectionView view;
    view.item = item;
    view.type_text = entry.type_handler ? entry.type_handler->type_name() : "";
    const int type_code = entry.type_handler ? entry.type_handler->type_code() : 0;
    view.display_kind = type_code;
    const int id = entry.resource_id;

    if (view.item == 0 && entry.item_count > 0 && !(aircraft_archive && id == 2052)) {
        view.item = 1;
        view.end = entry.item_size(1);
    }

    if (!aircraft_archive) {
        if (id >= 1389 && id <= 1468) view.display_kind = display_kind_1389_1468;
        return view;
    }

    auto special = [&](const char* text, int kind) {
        view.type_text = text;
        view.display_kind = kind;
    };
    switch (id) {
    case 11004: special("Aircraft Call Voices", 11004); break;
    case 11405: special("ATC / Pilots Voices", 11405); break;
    case 11500: special("Aircraft Call Editor", 11500); break;
    case 2052:
        if (view.item < 1) {
            special("Aircraft name and description", 2052);
            // With one item only, item 1's whole range is shown.
            if (entry.item_count >= 2)
                view.end = entry.item_offsets[2] - entry.item_offsets[1];
            else if (entry.item_count == 1)
                view.end = entry.item_size(1);
        }
        break;
    case 2054: special("Aircraft Axles Editor", 2054); break;
    case 2055: special("Cockpit Axles Editor", 2055); break;
    case 2056: special("Prop Editor", 2056); break;
    case 2130:
    case 2131:
    case 2132:
    case 2133:
    case 2136: special("Air Physic Trim", id); break;
    case 2134: special("Air Physic Break Force", 2134); break;
    case 2135: special("Air Physic Flap Steps/Positions", 2135); break;
    case 2137: special("Air Physic Damper", 2137); break;
    case 2138:
        if (entry.item_count > 0 && view.item >= 1 && view.item <= entry.item_count) {
            const std::string text = aerotype_text(entry.item_size(view.item), view.item);
            if (!text.empty()) {
                view.type_text = text;
                view.display_kind = 2138;
            }
        }
        break;
    case 26991: special("PLAYER_SOUND_DEFINITION", 26991); break;
    default: break;
    }
    return view;
}

}  // namespace mw
