// Layouts of the flight-model records: the single trim values, break force,
// flap steps, damping constants and the air-physics segments of entry 2138.
#include "aircraft/catalogue.h"
#include "aircraft/catalogue_parts.h"
#include "aircraft/spec_builder.h"

namespace mw {

namespace {

const char* const load_failed = "Error#61: Error loading airphysik file";
const char* const open_failed = "Error opening airphysik file";
const char* const locate_failed = "Error locating airphysik resource";

SpecBuilder physics_record(std::string form, std::string title, int resource_id, int notice_code)
{
    SpecBuilder b(std::move(form), std::move(title));
    b.matches(resource_id).notice(3, notice_code).errors(load_failed, open_failed, locate_failed);
    return b;
}

// A segment of entry 2138; `type_byte` picks a variant of a length with two meanings.
SpecBuilder segment(std::string form, std::string title, std::string info, int length, int type_byte = -1)
{
    SpecBuilder b(std::move(form), std::move(title));
    b.info(std::move(info))
        .matches(res_physics_segments, length, type_byte)
        .notice(3, segment_notice_code(length))
        .errors(load_failed, open_failed, locate_failed);
    return b;
}

void add_trims(std::vector<RecordSpec>& out)
{
    const struct {
        int resource_id;
        const char* label;
    } trims[] = {
        {2130, "Horizontal Trim Scale:"},
        {2131, "Elevator Takeoff Trim:"},
        {2132, "Rudder Trim Scale:"},
        {2133, "Maximum flap speed (knots):"},
        {2136, "Auto coordinated rudder constant:"},
    };
    for (const auto& trim : trims) {
        // All five confirm with the first trim's notice code.
        out.push_back(physics_record("CAPhy4FloatDlg", "Air Physic Trim", trim.resource_id, 2130)
                          .info("Air Physic Trim")
                          .columns("Current Value:", "New Value:")
                          .confirm("Change Value")
                          .f32(trim.label)
                          .build());
    }
}

void add_override_default(std::vector<RecordSpec>& out)
{
    const char* const title = "This entry will override the default value";
    const char* const info = "AEROTYPE_OVERRIDE_DEFAULT";
    out.push_back(segment("CAPhy5FloatDlg", title, info, 5, 28).segment_type().f32("Flap speed degrees per second").build());
    out.push_back(segment("CAPhy5FloatDlg", title, info, 5, 29).segment_type().f32("Toe brake scale").build());
    out.push_back(segment("CAPhy5FloatDlg", title, info, 5).segment_type().f32("value").build());
}

void add_six_byte(std::vector<RecordSpec>& out)
{
    const char* const info = "AEROTYPE_SHOCKABSORBER/_5WAYSTARTER";
    const struct {
        int type_byte;
        const char* title;
        const char* number;
    } variants[] = {
        {25, "Engine has a wacky 5-way starter switch", "Engine number:"},
        {30, "absorber info for a specific landing gear number", "landing gear number:"},
        {-1, info, "Number:"},
    };
    for (const auto& v : variants) {
        out.push_back(segment("CAPhy6FloatDlg", v.title, info, 6, v.type_byte)
                          .columns("Current Value:", "New Value:")
                          .segment_type()
                          .u8(v.number, SaveRule::edited_in_place)
                          .f32("value")
                          .build());
    }
}

void add_trim_info(std::vector<RecordSpec>& out)
{
    const struct {
        int type_byte;
        const char* title;
    } variants[] = {
        {11, "Trim Information (unknow values)"},
        {15, "Spoiler (unknow values)"},
        {-1, "Segment unknow (unknow values)"},
    };
    for (const auto& v : variants) {
        out.push_back(segment("CTrimInfoDlg", v.title, "AEROTYPE_TRIMINFO", 17, v.type_byte)
                          .segment_type()
                          .f32("val.1")
                          .f32("val.2")
                          .f32("val.3")
                          .f32("val.4")
                          .build());
    }
}

// The radio layout. Only the radio (type 10) has its plane part written as 0;
// a segment of an unknown type shows the radio labels and keeps that byte.
RecordSpec radio_layout(const char* info, int type_byte, SaveRule plane_part)
{
    // The form's single position row shows Z; X and Y get rows of their own
    // so that saving keeps them.
    return segment("CRumbleDlg", "Radio information:", info, 21, type_byte)
        .note("Plane Part: Fuselage")
        .segment_type()
        .u8("Plane Part:", plane_part)
        .f32("mass (kg)")
        .f32("position x")
        .f32("position y")
        .f32("position x,y,z")
        .u8("number").shown_as(Display::byte_number)
        .u8("ILS OK").shown_as(Display::byte_number)
        .u8("Nav OK").shown_as(Display::byte_number)
        .build();
}

// 21 bytes: rumble for segment type 21, radio for type 10, and the radio
// labels for any other type.
void add_rumble_and_radio(std::vector<RecordSpec>& out)
{
    const char* const info = "AEROTYPE_RUMBLE_INFO or AEROTYPE_RADIO";
    out.push_back(segment("CRumbleDlg", "rumble sound play by:", info, 21, 21)
                      .segment_type()
                      .f32("gear")
                      .f32("reverser")
                      .f32("flap")
                      .f32("spoiler")
                      .f32("spoileron")
                      .build());
    out.push_back(radio_layout(info, 10, SaveRule::always_zero));
    out.push_back(radio_layout(info, -1, SaveRule::as_read));
}

void add_small_segments(std::vector<RecordSpec>& out)
{
    out.push_back(segment("CAntiIceDlg", "Plane has an anti ice system", "AEROTYPE_ANTIICE", 1)
                      .segment_type()
                      .refuse_save("The anti-ice segment has nothing to change")
                      .build());
    out.push_back(segment("CFuelSystemDlg", "Type of fuelsystem  i.e., can we draw from multiple tanks?",
                          "AEROTYPE_FUELSYSTEM", 2)
                      .columns("Current Value:", "New Value:")
                      .segment_type()
                      .u8("fuel system type")
                      .build());
    add_override_default(out);
    add_six_byte(out);
    out.push_back(segment("CAPhy7FloatDlg", "Gear Door", "AEROTYPE_GEARDOOR", 7)
                      .columns("Current Offset:", "New Offset:")
                      .segment_type()
                      .u8("landing gear number", SaveRule::edited_in_place)
                      .f32("door offset")
                      .u8("Dummy:", SaveRule::edited_in_place)
                      .build());
    out.push_back(segment("CYawDamperDlg", "Plane has a yaw damper", "AEROTYPE_YAWDAMPER", 9)
                      .segment_type()
                      .f32("is available")
                      .f32("value")
                      .build());
    out.push_back(segment("CWheelInfoDlg", "Override default steering info for a specific landing gear",
                          "AEROTYPE_WHEELINFO", 10)
                      .segment_type()
                      .u8("Number").shown_as(Display::byte_number)
                      .f32("Wheel Speed Scale")
                      .f32("Wheel Hack")
                      .build());
    out.push_back(segment("CModelOffsetDlg",
                          "Overall model offset, to make the aero model line up with the renderer model",
                          "AEROTYPE_MODELOFFSET", 12)
                      .f32("X:")
                      .f32("Y:")
                      .f32("Z:")
                      .build());
    out.push_back(segment("CWarningsDlg", "Plane has a warning system for:", "AEROTYPE_WARNINGS", 13)
                      .segment_type()
                      .f32("min. FullFlaps NoGear Speed")
                      .f32("min. Fuel Level")
                      .f32("max. Engine Thrust Deviation")
                      .build());
    out.push_back(segment("CTailDraggerDlg", "Wheeloffset, hack for taildraggers", "AEROTYPE_WHEELOFFSET", 14)
                      .segment_type()
                      .u8("landing gear number:", SaveRule::edited_in_place)
                      .f32("wheel offset X")
                      .f32("wheel offset Y")
                      .f32("wheel offset Z")
                      .build());
    add_trim_info(out);
    out.push_back(segment("CAPhyContactPoint", "Contact point", "AEROTYPE_CONTACT", 18)
                      .located_header()
                      .model(ModelSolid::octahedron, "cp_", "ff02")
                      .build());
    out.push_back(segment("CPowerInfoDlg", "Power switch info", "AEROTYPE_POWERINFO", 19)
                      .note("Marks which switches need explicit turning on.")
                      .located_header()
                      .u8("Power info:")
                      .build());
    add_rumble_and_radio(out);
    out.push_back(segment("CCautionsDlg", "Plane has a caution system for:", "AEROTYPE_CAUTIONS", 25)
                      .segment_type()
                      .f32("max. Gear Speed")
                      .f32("flaps 0")
                      .f32("flaps 0 Speed")
                      .f32("flaps 1")
                      .f32("flaps 1 Speed")
                      .f32("min. Fuel Level")
                      .build());
    out.push_back(segment("CReverseDlg", "Reverse thrust thing", "AEROTYPE_REVTHRUST", 27)
                      .note("Reverse thrust thing: for tracking animation")
                      .located_header()
                      .u8("Number:")
                      .f32("max. Angle:")
                      .f32("Angle per second:")
                      .build());
}

void add_avionic_sound(std::vector<RecordSpec>& out)
{
    SpecBuilder b = segment("CAvionicSoundDlg", "Avionic Sound Data", "AEROTYPE_AVIONICSOUND", 45);
    b.segment_type().i32("number:");
    for (const char* tone : {"Single long tone:", "Double pulse tone:", "Single short tone:", "Alert sound:", "Panic sound:"})
        b.group(tone).i32("dummy").i16("sound resource").u8("value 1").u8("value 2");
    out.push_back(b.build());
}

void add_autopilot(std::vector<RecordSpec>& out)
{
    SpecBuilder b = segment("CAutoPilotDlg", "autopilot information (unknow)", "AEROTYPE_AUTOPILOT", 61);
    b.segment_type();
    const struct {
        const char* name;
        int count;
    } groups[] = {{"Group A", 5}, {"Group B", 2}, {"Group C", 2}, {"Group D", 6}};
    for (const auto& g : groups) {
        b.group(g.name);
        for (int k = 1; k <= g.count; ++k) b.f32("value " + std::to_string(k));
    }
    out.push_back(b.build());
}

void add_config_info(std::vector<RecordSpec>& out)
{
    SpecBuilder b = segment("CAPhyConfigDlg", "config info for plane initialization", "AEROTYPE_CONFIGINFO", 73);
    b.note("Plane configuration:").segment_type();
    for (const char* phase : {"for cruise", "for approach"}) {
        b.group(phase)
            .f32("speed")
            .f32("elev.Trim")
            .f32("prop. speed")
            .f32("throttle")
            .f32("mixture")
            .f32("flaps")
            .f32("pitch")
            .f32("rate of climb")
            .i32("dummy");
    }
    out.push_back(b.build());
}

void add_engines(std::vector<RecordSpec>& out)
{
    out.push_back(segment("CTurboFanDlg", "AEROTYPE_TURBOFAN JET ENGINE", "AEROTYPE_TURBOFAN JET ENGINE", 90)
                      .mass_body()
                      .i32("Eng. Number:")
                      .f32("Diameter:")
                      .f32("Max. Power Rate:")
                      .f32("Thrust Rating:")
                      .f32("Max. Power (K):").shown_as(Display::thousandths)
                      .f32("Fuel Rate:")
                      .f32("Max. Reverse Power:")
                      .f32("Reverse Efficiency:")
                      .f32("Min. RPM:")
                      .f32("Max. RPM::")
                      .f32("Boost:")
                      .f32("Flame Out:")
                      .model(ModelSolid::box, "turbo_", "ff0b")
                      .build());
    out.push_back(segment("CPropEngDlg", "An internal combustion engine attached to a propeller",
                          "AEROTYPE_PROPENGINE", 96)
                      .mass_body()
                      .u8("Eng. Number:")
                      .u8("has Carb:")
                      .f32("Max. Power:")
                      .f32("Boost:")
                      .f32("Prop.Mass:")
                      .f32("Prop.Radius:")
                      .f32("Min.Prop.Pitch:")
                      .f32("Max.Prop.Pitch:")
                      .f32("MaxProp.Speed:")
                      .f32("Thrust Coef. [µ]:").shown_as(Display::millionths)
                      .f32("Wind Torque Coef.:")
                      .f32("Frict.Const.Coef.:")
                      .i32("Numb. of Prop. Pitch Positions:")
                      .f32("Fuel Use Const. [µ]:").shown_as(Display::millionths)
                      .f32("Manifold Exp.:")
                      .model(ModelSolid::box, "peng_", "ff0b")
                      .build());
}

void add_gear_and_foils(std::vector<RecordSpec>& out)
{
    out.push_back(segment("CLandGearDlg", "Landing Gear", "AEROTYPE_GEAR", 101)
                      .body_floats()
                      .u8("Number:")
                      .u8("Control:").choose_from(ChoiceList::control_surface)
                      .f32("Max.Control Value:")
                      .f32("Lateral Drag Coef.:")
                      .f32("Rolling Drag Coef.:")
                      .f32("Max. Force:")
                      .f32("Retract Time:")
                      .f32("Retract Delta Pos X:")
                      .f32("Retract Delta Pos Y:")
                      .f32("Retract Delta Pos Z:")
                      .u8("Has WOW Safety:")
                      .model(ModelSolid::box, "gear_", "ff0a")
                      .build());
    out.push_back(segment("CAirFoilDlg", "Lifting Air Foil", "AEROTYPE_AIRFOIL", 109)
                      .body_floats()
                      .u8("Control:").choose_from(ChoiceList::control_surface)
                      .f32("Control Ratio:")
                      .f32("max.Deflection:")
                      .f32("Drag Factor:")
                      .f32("Wing Aspect:")
                      .f32("Alpha Min.:")
                      .f32("Alpha Zero:")
                      .f32("Alpha Max.:")
                      .f32("Prop.EffectOffset:")
                      .f32("Critical Mach:")
                      .u8("has StallHorn:")
                      .u8("Wash Eng.Num:")
                      .f32("Wash Fraction:")
                      .model(ModelSolid::box, "foil_", "ff07")
                      .build());
    // The same quantities as AIRFOIL, widened and in another order.
    out.push_back(segment("CAirFoil2Dlg", "Air Foil with two control surfaces", "AEROTYPE_AIRFOIL2", 122)
                      .body_floats()
                      .f32("Wing Aspect:")
                      .f32("Alpha Min.:")
                      .f32("Alpha Zero:")
                      .f32("Alpha Max.:")
                      .f32("Critical Mach:")
                      .i32("has StallHorn:")
                      .i32("Wash Eng.Num:")
                      .f32("Wash Fraction:")
                      .i32("Control:").choose_from(ChoiceList::control_surface)
                      .f32("Control Ratio:")
                      .f32("max.Deflection:")
                      .f32("Drag Factor:")
                      .f32("Prop.EffectOffset:")
                      .f32("Control Position:")
                      .model(ModelSolid::box, "foil2_", "ff07")
                      .build());
}

void add_bodies(std::vector<RecordSpec>& out)
{
    out.push_back(segment("CInternalMassDlg", "Internal Mass", "AEROTYPE_MASS", 42)
                      .mass_body()
                      .model(ModelSolid::box, "mass_", "ff06")
                      .build());
    out.push_back(segment("CFuelTankDlg", "A fuel tank", "AEROTYPE_FUEL", 47)
                      .mass_body()
                      .u8("Tank Number:")
                      .f32("Capacity (Ltr):")
                      .model(ModelSolid::box, "fuel_", "ff09")
                      .build());
    out.push_back(segment("CDragBodyDlg", "An arbitrary drag-only body", "AEROTYPE_DRAG", 66)
                      .body_floats()
                      .model(ModelSolid::box, "drag_", "ff08")
                      .build());
    out.push_back(segment("CPontoonDlg", "Pontoon", "AEROTYPE_PONTOON", 71)
                      .load_error("Error#61: Error loading airphysik pontoon file")
                      .body_floats()
                      .u8("Control:").choose_from(ChoiceList::control_surface)
                      .f32("").named("control value")  // shown beside "Control:"
                      .model(ModelSolid::box, "pont_", "ff0c")
                      .build());
}

}  // namespace

void add_physics_records(std::vector<RecordSpec>& out)
{
    add_trims(out);
    out.push_back(physics_record("CAPhyBkForceDlg", "Breakup force data", 2134, 2134)
                      .info("Air Physic Break Force")
                      .f32("fuselage")
                      .f32("left wing")
                      .f32("right wing")
                      .f32("tail")
                      .build());

    // The count is a whole number stored as a float; twelve position rows
    // cover the longest record the form edits.
    SpecBuilder flaps = physics_record("CAPhyFlapsDlg", "Flap Steps and Positions:", res_flaps, 2135);
    flaps.info("Air Physic Flap Steps/Positions").special(RecordSpecial::flap_steps);
    flaps.f32("Flap Steps:").choose_from(ChoiceList::flap_steps).group("Flap Positions:");
    for (int k = 1; k <= 12; ++k) flaps.f32(std::to_string(k));
    out.push_back(flaps.build());

    out.push_back(physics_record("CAPhyDampDlg", "Damping constants", 2137, 2137)
                      .info("Air Physic Damper")
                      .columns("Old Values:", "New Values:")
                      .f32("").named("constant 1")  // three unlabelled columns
                      .f32("").named("constant 2")
                      .f32("").named("constant 3")
                      .build());
}

void add_physics_segments(std::vector<RecordSpec>& out)
{
    add_small_segments(out);
    add_bodies(out);
    add_avionic_sound(out);
    add_autopilot(out);
    add_config_info(out);
    add_engines(out);
    add_gear_and_foils(out);
}

}  // namespace mw
