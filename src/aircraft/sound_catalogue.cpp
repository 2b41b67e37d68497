// Layouts of the sound and voice definitions: the player sound definition
// (twin-engine, single-engine with field 32, single-engine without it) and
// the three records that are only shown.
#include "aircraft/catalogue.h"
#include "aircraft/catalogue_parts.h"
#include "aircraft/spec_builder.h"

#include <string>

namespace mw {

namespace {

const char* const shown_only = "This record is shown only and cannot be saved";

// Field 8 below -1 marks a single-engine record that carries field 32.
bool has_field_32(ByteSpan item) { return item.size() >= 32 && get_i32(&item[28]) < -1; }

SpecBuilder player_sound(const char* form, const char* title)
{
    SpecBuilder b(form, title);
    b.info("PLAYER_SOUND_DEFINITION")
        .notice(3, 269918)
        .errors("Error#61: Error loading Player snd def file", "Error#61: Error saving Player snd def file",
                "Error locating current resource");
    return b;
}

// Fields 1 to 8, alike in both layouts but for the labels of 5 and 6 (the
// single-engine form labels both "Freq. multiplier:").
void opening_fields(SpecBuilder& b, const char* fifth, const char* sixth, const char* sixth_name = "")
{
    b.group("In-cockpit sound modifier:").f32("non-pa").f32(" pa");
    b.group("Wind").i32("Base volume:").f32("Velocity threshold:").f32(fifth).f32(sixth).named(sixth_name);
    b.group("Stall Warning:").f32("Stress threshold:");
    b.group("").i32("field 8").hidden();
}

void overlap_fields(SpecBuilder& b)
{
    b.f32("seconds of overlap with the \"starting\" sound").f32("seconds of overlap with the \"stopping\" sound");
}

// Fields 33 to 45, alike in both layouts; field 37 is the only 2-byte field.
void closing_fields(SpecBuilder& b)
{
    b.group("Motorized Flaps:")
        .i32("Do Motorized Flaps:")
        .pair("sounds", "Up:", "Down:").plays_sound()
        .pair("stop sounds", "Up stop:", "Down stop:").plays_sound()
        .i32("Volume:");
    b.group("").i16("Stall Warning:").plays_sound();
    b.group("Rumble stats");
    for (const char* part : {"reversers:", "gears:", "flaps:", "spoilers:"})
        b.i32(std::string(part) + " 1").i32(std::string(part) + " 2");
}

void twin_engine_fields(SpecBuilder& b)
{
    opening_fields(b, "Frequency multiplier:", "Volume multiplier:");
    b.f32("RPMs where normal\n sounds start");
    overlap_fields(b);
    b.f32("Engine 1 Min, Running RPMs:").f32("Engine 2 Min, Running RPMs:").f32("Squash:");
    b.pair("Good cruise sound eng. 1:", "ext", "int").plays_sound();
    b.pair("Bad cruise sound eng. 1:", "ext", "int").plays_sound();
    b.pair("Good cruise sound eng. 2:", "ext", "int").plays_sound();
    b.pair("Bad cruise sound eng. 2:", "ext", "int").plays_sound();
    b.f32("RPMs Min:").f32("RPMs Max:").f32("RPMs Sample:").i32(" Volume Min:").i32(" Volume Max:");
    for (const char* phase : {"Starting 1:", "Starting 2:", "Stopping 1:", "Stopping 2:"})
        b.group(phase).pair("sound", "ext", "int").plays_sound().i32("volume");
    closing_fields(b);
}

void single_engine_fields(SpecBuilder& b)
{
    opening_fields(b, "Freq. multiplier:", "Freq. multiplier:", "Freq. multiplier: (2)");
    b.f32("RPMs where normal sounds start:");
    overlap_fields(b);
    b.f32("Min Running RPMs:");
    b.group("Idle").f32("Squash:");
    b.group("Cruise").f32("Squash:");
    b.pair("Good cruise snd", "ext:", "int:").plays_sound();
    b.pair("Bad cruise snd", "ext:", "int:").plays_sound();
    // The RPM and volume rows label their second column "Max:" alike; the
    // names say which row.
    b.f32("RPMs Min:").f32("Max:").named("RPMs Max:").f32("RPMs Sample:");
    b.i32(" Volume Min:").i32("Max:").named("Volume Max:");
    b.group("Idle");
    b.pair("good sound", "ext:", "int:").plays_sound();
    b.pair("bad sound", "ext:", "int:").plays_sound();
    b.f32("Min:").named("RPMs Min:").f32("Max:").named("RPMs Max:").f32("Sample:");
    b.i32("Min:").named("Volume Min:").i32("Max:").named("Volume Max:");
    b.group("Starting:").pair("sound", "ext. sound", "int. sound").plays_sound().i32("Volume:");
    b.group("Stopping:").pair("sound", "ext. sound", "int. sound").plays_sound().i32("Volume:");
    closing_fields(b);
}

void add_player_sounds(std::vector<RecordSpec>& out)
{
    SpecBuilder twin = player_sound("CPlayerSndDlg2", "Player Sound Definitions for twin engine aircrafts");
    twin.matches(res_player_sound, 174)
        .note("This change cannot be undone: export the record before changing it.");
    twin_engine_fields(twin);
    out.push_back(twin.build());

    SpecBuilder single = player_sound("CPlayerSndDlg", "Player Sound Definitions for single engine aircrafts");
    single.matches(res_player_sound, -1, -1, has_field_32);
    single_engine_fields(single);
    out.push_back(single.build());

    // A single-engine item without field 32 is laid out like the twin-engine
    // record; it is shown so, and never rewritten in another layout.
    SpecBuilder plain = player_sound("CPlayerSndDlg", "Player Sound Definitions for single engine aircrafts");
    plain.matches(res_player_sound)
        .refuse_save("This sound definition has no field 32 (its field 8 is -1 or more) and cannot be saved "
                     "in the single-engine layout");
    twin_engine_fields(plain);
    out.push_back(plain.build());
}

void add_call_sign_voices(std::vector<RecordSpec>& out)
{
    // Fourteen values in eight fields; the form's twelve rows name the first
    // twelve in order.
    SpecBuilder b("CCallSndDlg", "Aircraft call sign voice sounds");
    b.info("Aircraft Call Voices")
        .matches(res_call_voices)
        .load_error("Error#61: Error loading call sign voices file")
        .refuse_save(shown_only);
    b.i32("Aircraft:");
    b.pair("Null: / Call resource as text:", "Null:", "Call resource as text:");
    b.pair("Level: / Flag:", "Level:", "Flag:");
    b.pair("Aircraft resource: / Count:", "Aircraft resource:", "Count:");
    b.pair("Call resource as text: / Pos. 1:", "Call resource as text:", "Pos. 1:");
    b.pair("Pos. 2: / Neg.1:", "Pos. 2:", "Neg.1:");
    b.i16("Neg.2:");
    b.pair("field 8", "1", "2");
    out.push_back(b.build());
}

void add_pilot_voices(std::vector<RecordSpec>& out)
{
    SpecBuilder b("CVoicesDlg", "ATC / Pilots call sign voices sounds");
    b.info("ATC / Pilots Voices")
        .matches(res_pilot_voices)
        .load_error("Error#61: Error loading voices file")
        .refuse_save(shown_only);
    for (int g = 1; g <= 3; ++g) {
        b.group("Group " + std::to_string(g));
        for (int v = 1; v <= 9; ++v) {
            const std::string label = "value " + std::to_string(v);
            if (v == 4 || v == 5 || v == 7 || v == 8)
                b.i16(label, SaveRule::as_read);
            else
                b.i32(label, SaveRule::as_read);
        }
    }
    out.push_back(b.build());
}

void add_aircraft_call(std::vector<RecordSpec>& out)
{
    // The header is not shown; the two call texts follow it (aircraft_call.h).
    SpecBuilder b("CCallDlg", "Aircraft Call");
    b.info("Aircraft Call Editor")
        .matches(res_aircraft_call)
        .special(RecordSpecial::aircraft_call)
        .load_error("Error#61: Error loading aircraft call file")
        .refuse_save(shown_only);
    b.i16("header").hidden();
    b.i32("header 1").hidden().i32("header 2").hidden().i32("header 3").hidden();
    out.push_back(b.build());
}

}  // namespace

void add_sound_records(std::vector<RecordSpec>& out)
{
    add_player_sounds(out);
    add_call_sign_voices(out);
    add_pilot_voices(out);
    add_aircraft_call(out);
}

}  // namespace mw
