// Layouts of the axle tables: one byte pair (number of pieces, first model
// axle) per kind of moving part, for the model call-backs @s, @z and @v.
#include "aircraft/catalogue.h"
#include "aircraft/catalogue_parts.h"
#include "aircraft/spec_builder.h"

#include <initializer_list>

namespace mw {

namespace {

RecordSpec axle_table(const char* form, const char* title, const char* info, int resource_id,
                      std::initializer_list<const char*> kinds)
{
    SpecBuilder b(form, title);
    b.info(info)
        .matches(resource_id)
        .notice(3, resource_id)
        .errors("Error#61: Error loading axle file", "Error opening axle file", "Error locating axle resource")
        .columns("old", "new")
        .confirm("Change Values")
        .table("ending at model axle:");
    for (const char* kind : kinds) b.group(kind).u8("number of pieces of this type:").u8("starting at model axle:");
    return b.build();
}

}  // namespace

void add_axle_records(std::vector<RecordSpec>& out)
{
    out.push_back(axle_table("CAxleDlg", "Aircraft Axles Table - used by call back functions @s, @z and @v",
                             "Aircraft Axles Editor", res_aircraft_axles,
                             {"elevators:", "rudder:", "aileron:", "flaps:", "landing gear:", "propeller:", "strings:",
                              "smoke:", "reverse thrusters:", "dome:", "spoilers:"}));
    out.push_back(axle_table("CCockpit", "Cockpit Axles Table - used by call back functions @s, @z and @v",
                             "Cockpit Axles Editor", res_cockpit_axles,
                             {"rotating shafts:", "shifting shafts:", "rudder pedals:"}));
}

}  // namespace mw
