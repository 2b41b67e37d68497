// Layouts of the aircraft name record and the prop record.
#include "aircraft/catalogue.h"
#include "aircraft/catalogue_parts.h"
#include "aircraft/spec_builder.h"

#include <string>

namespace mw {

namespace {

void eight(SpecBuilder& b, const char* group, bool integers)
{
    b.group(group);
    for (int k = 1; k <= 8; ++k) integers ? b.i32(std::to_string(k)) : b.f32(std::to_string(k));
}

}  // namespace

void add_shape_records(std::vector<RecordSpec>& out)
{
    // The texts have layouts of their own (aircraft_name.h); only the first
    // item of the entry is this record, which the classification decides.
    out.push_back(SpecBuilder("CAircraftNameDialog", "Aircraft name and description")
                      .info("Aircraft name and description")
                      .matches(res_aircraft_name)
                      .special(RecordSpecial::aircraft_name)
                      .notice(1, 0)
                      .note("The box mirrors the game's text window: Return starts a new line, Ctrl+I inserts a tab; "
                            "tabs are not at the game's scale.")
                      .errors("Error#61: Error loading aircraft name file", "Error opening aircraft name file",
                              "Error locating aircraft name resource")
                      .build());

    SpecBuilder prop("CPropEdDialog", "Prop Editor");
    prop.info("Prop Editor")
        .matches(res_prop)
        .special(RecordSpecial::prop)
        .notice(2, 0)
        .errors("Error#70: Error loading prop file", "Error#70: Error storing prop file", "Error locating prop resource");
    for (const char* colour : {"Color 1:", "Color 2:", "Color 3:"})
        prop.group(colour).f32("red").f32("green").f32("blue");
    prop.group("").i32("Blades:").f32("Length (m):").i32("Stripes:").within(1, 8);
    eight(prop, "Stripes Colors:", true);
    eight(prop, "Stripe positions:", false);
    prop.group("").i32("Base Shape:").choose_from(ChoiceList::base_shape);
    eight(prop, "Blade shape width for base shape 5 (same scale as the length):", false);
    eight(prop, "Blade shape length for base shape 5 (center 0 to max. radius 1):", false);
    out.push_back(prop.build());
}

}  // namespace mw
