// Known answers for every record layout, written from the layout tables of
// the game's records, not from the catalogue: each row lists a record's fields
// in stored order with their types, so the offsets follow from the widths.
// A fixture gives every field a value of its own; loading it must show each
// value under its field's name, and setting a field must change exactly that
// field's bytes to the hand-encoded value.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "aircraft/catalogue.h"
#include "aircraft/field_text.h"
#include "aircraft/record.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

// Field types: u8 i16 i32 f32, p (two i16), k (f32 shown in thousands),
// m (f32 shown in millionths), s (segment type, kept as read), pp (plane
// part), c8 / c32 (control surface list, u8 / i32), z (always written 0),
// r16 r32 rp (shown only), h32 (not shown, kept as read).
#define HEADER "s Segment type:|pp Plane Part:|f32 Mass (Kg):|f32 Position X (m):|f32 Position Y (m):|f32 Position Z (m):"
#define BODY "|f32 Size X (m):|f32 Size Y (m):|f32 Size Z (m):|f32 Orientation X:|f32 Orientation Y:|f32 Orientation Z:"
#define DRAG "|f32 Pos. Drag: X|f32 Pos. Drag: Y|f32 Pos. Drag: Z|f32 Neg. Drag: X|f32 Neg. Drag: Y|f32 Neg. Drag: Z"
#define TONE(t) "|i32 " t " dummy|i16 " t " sound resource|u8 " t " value 1|u8 " t " value 2"
#define PILOT(g, k) "|f32 Group " g " value " k
#define PHASE(g) "|f32 " g " speed|f32 " g " elev.Trim|f32 " g " prop. speed|f32 " g " throttle|f32 " g " mixture|f32 " g \
    " flaps|f32 " g " pitch|f32 " g " rate of climb|i32 " g " dummy"
#define AXLE(k) "|u8 " k " number of pieces of this type:|u8 " k " starting at model axle:"
#define VOICES(g) "|r32 Group " g " value 1|r32 Group " g " value 2|r32 Group " g " value 3|r16 Group " g \
    " value 4|r16 Group " g " value 5|r32 Group " g " value 6|r16 Group " g " value 7|r16 Group " g \
    " value 8|r32 Group " g " value 9"
#define SOUND_OPENING "f32 In-cockpit sound modifier: non-pa|f32 In-cockpit sound modifier: pa|i32 Wind Base volume:" \
    "|f32 Wind Velocity threshold:"
#define OVERLAP "|f32 seconds of overlap with the \"starting\" sound|f32 seconds of overlap with the \"stopping\" sound"
#define SOUND_CLOSING "|i32 Motorized Flaps: Do Motorized Flaps:|p Motorized Flaps: sounds|p Motorized Flaps: stop sounds" \
    "|i32 Motorized Flaps: Volume:|i16 Stall Warning:|i32 Rumble stats reversers: 1|i32 Rumble stats reversers: 2" \
    "|i32 Rumble stats gears: 1|i32 Rumble stats gears: 2|i32 Rumble stats flaps: 1|i32 Rumble stats flaps: 2" \
    "|i32 Rumble stats spoilers: 1|i32 Rumble stats spoilers: 2"

struct Layout {
    const char* name;
    int resource_id;
    int type_byte;  // of a 2138 segment; -1: none chosen (7 is stored)
    const char* fields;
    int length;
};

const Layout layouts[] = {
    {"HorizontalTrim", 2130, -1, "f32 Horizontal Trim Scale:", 4},
    {"ElevatorTakeoffTrim", 2131, -1, "f32 Elevator Takeoff Trim:", 4},
    {"RudderTrim", 2132, -1, "f32 Rudder Trim Scale:", 4},
    {"MaximumFlapSpeed", 2133, -1, "f32 Maximum flap speed (knots):", 4},
    {"CoordinatedRudder", 2136, -1, "f32 Auto coordinated rudder constant:", 4},
    {"BreakForce", 2134, -1, "f32 fuselage|f32 left wing|f32 right wing|f32 tail", 16},
    {"Damping", 2137, -1, "f32 constant 1|f32 constant 2|f32 constant 3", 12},
    {"FuelSystem", 2138, -1, "s Segment type:|u8 fuel system type", 2},
    {"FlapSpeed", 2138, 28, "s Segment type:|f32 Flap speed degrees per second", 5},
    {"ToeBrake", 2138, 29, "s Segment type:|f32 Toe brake scale", 5},
    {"OverrideOther", 2138, -1, "s Segment type:|f32 value", 5},
    {"FiveWayStarter", 2138, 25, "s Segment type:|u8 Engine number:|f32 value", 6},
    {"ShockAbsorber", 2138, 30, "s Segment type:|u8 landing gear number:|f32 value", 6},
    {"SixByteOther", 2138, -1, "s Segment type:|u8 Number:|f32 value", 6},
    {"GearDoor", 2138, -1, "s Segment type:|u8 landing gear number|f32 door offset|u8 Dummy:", 7},
    {"YawDamper", 2138, -1, "s Segment type:|f32 is available|f32 value", 9},
    {"WheelInfo", 2138, -1, "s Segment type:|u8 Number|f32 Wheel Speed Scale|f32 Wheel Hack", 10},
    {"ModelOffset", 2138, -1, "f32 X:|f32 Y:|f32 Z:", 12},
    {"Warnings", 2138, -1,
     "s Segment type:|f32 min. FullFlaps NoGear Speed|f32 min. Fuel Level|f32 max. Engine Thrust Deviation", 13},
    {"WheelOffset", 2138, -1,
     "s Segment type:|u8 landing gear number:|f32 wheel offset X|f32 wheel offset Y|f32 wheel offset Z", 14},
    {"TrimInfo", 2138, 11, "s Segment type:|f32 val.1|f32 val.2|f32 val.3|f32 val.4", 17},
    {"Spoiler", 2138, 15, "s Segment type:|f32 val.1|f32 val.2|f32 val.3|f32 val.4", 17},
    {"Contact", 2138, -1, HEADER, 18},
    {"PowerInfo", 2138, -1, HEADER "|u8 Power info:", 19},
    {"Rumble", 2138, 21, "s Segment type:|f32 gear|f32 reverser|f32 flap|f32 spoiler|f32 spoileron", 21},
    {"Radio", 2138, 10,
     "s Segment type:|z Plane Part:|f32 mass (kg)|f32 position x|f32 position y|f32 position x,y,z|u8 number"
     "|u8 ILS OK|u8 Nav OK", 21},
    {"Cautions", 2138, -1,
     "s Segment type:|f32 max. Gear Speed|f32 flaps 0|f32 flaps 0 Speed|f32 flaps 1|f32 flaps 1 Speed"
     "|f32 min. Fuel Level", 25},
    {"ReverseThrust", 2138, -1, HEADER "|u8 Number:|f32 max. Angle:|f32 Angle per second:", 27},
    {"Mass", 2138, -1, HEADER BODY, 42},
    {"AvionicSound", 2138, -1,
     "s Segment type:|i32 number:" TONE("Single long tone:") TONE("Double pulse tone:") TONE("Single short tone:")
         TONE("Alert sound:") TONE("Panic sound:"), 45},
    {"FuelTank", 2138, -1, HEADER BODY "|u8 Tank Number:|f32 Capacity (Ltr):", 47},
    {"Autopilot", 2138, -1,
     "s Segment type:" PILOT("A", "1") PILOT("A", "2") PILOT("A", "3") PILOT("A", "4") PILOT("A", "5") PILOT("B", "1")
         PILOT("B", "2") PILOT("C", "1") PILOT("C", "2") PILOT("D", "1") PILOT("D", "2") PILOT("D", "3") PILOT("D", "4")
             PILOT("D", "5") PILOT("D", "6"), 61},
    {"DragBody", 2138, -1, HEADER BODY DRAG, 66},
    {"Pontoon", 2138, -1, HEADER BODY DRAG "|c8 Control:|f32 control value", 71},
    {"ConfigInfo", 2138, -1, "s Segment type:" PHASE("for cruise") PHASE("for approach"), 73},
    {"TurbofanEngine", 2138, -1,
     HEADER BODY "|i32 Eng. Number:|f32 Diameter:|f32 Max. Power Rate:|f32 Thrust Rating:|k Max. Power (K):"
                 "|f32 Fuel Rate:|f32 Max. Reverse Power:|f32 Reverse Efficiency:|f32 Min. RPM:|f32 Max. RPM::"
                 "|f32 Boost:|f32 Flame Out:", 90},
    {"PropEngine", 2138, -1,
     HEADER BODY "|u8 Eng. Number:|u8 has Carb:|f32 Max. Power:|f32 Boost:|f32 Prop.Mass:|f32 Prop.Radius:"
                 "|f32 Min.Prop.Pitch:|f32 Max.Prop.Pitch:|f32 MaxProp.Speed:|m Thrust Coef. [µ]:"
                 "|f32 Wind Torque Coef.:|f32 Frict.Const.Coef.:|i32 Numb. of Prop. Pitch Positions:"
                 "|m Fuel Use Const. [µ]:|f32 Manifold Exp.:", 96},
    {"Gear", 2138, -1,
     HEADER BODY DRAG "|u8 Number:|c8 Control:|f32 Max.Control Value:|f32 Lateral Drag Coef.:"
                      "|f32 Rolling Drag Coef.:|f32 Max. Force:|f32 Retract Time:|f32 Retract Delta Pos X:"
                      "|f32 Retract Delta Pos Y:|f32 Retract Delta Pos Z:|u8 Has WOW Safety:", 101},
    {"Airfoil", 2138, -1,
     HEADER BODY DRAG "|c8 Control:|f32 Control Ratio:|f32 max.Deflection:|f32 Drag Factor:|f32 Wing Aspect:"
                      "|f32 Alpha Min.:|f32 Alpha Zero:|f32 Alpha Max.:|f32 Prop.EffectOffset:|f32 Critical Mach:"
                      "|u8 has StallHorn:|u8 Wash Eng.Num:|f32 Wash Fraction:", 109},
    {"Airfoil2", 2138, -1,
     HEADER BODY DRAG "|f32 Wing Aspect:|f32 Alpha Min.:|f32 Alpha Zero:|f32 Alpha Max.:|f32 Critical Mach:"
                      "|i32 has StallHorn:|i32 Wash Eng.Num:|f32 Wash Fraction:|c32 Control:|f32 Control Ratio:"
                      "|f32 max.Deflection:|f32 Drag Factor:|f32 Prop.EffectOffset:|f32 Control Position:", 122},
    {"AircraftAxles", 2054, -1,
     "|" AXLE("elevators:") AXLE("rudder:") AXLE("aileron:") AXLE("flaps:") AXLE("landing gear:") AXLE("propeller:")
         AXLE("strings:") AXLE("smoke:") AXLE("reverse thrusters:") AXLE("dome:") AXLE("spoilers:"), 22},
    {"CockpitAxles", 2055, -1, "|" AXLE("rotating shafts:") AXLE("shifting shafts:") AXLE("rudder pedals:"), 6},
    {"TwinEngineSound", 26991, -1,
     SOUND_OPENING "|f32 Wind Frequency multiplier:|f32 Wind Volume multiplier:|f32 Stall Warning: Stress threshold:"
                   "|h32 field 8|f32 RPMs where normal sounds start" OVERLAP "|f32 Engine 1 Min, Running RPMs:"
                   "|f32 Engine 2 Min, Running RPMs:|f32 Squash:|p Good cruise sound eng. 1:|p Bad cruise sound eng. 1:"
                   "|p Good cruise sound eng. 2:|p Bad cruise sound eng. 2:|f32 RPMs Min:|f32 RPMs Max:"
                   "|f32 RPMs Sample:|i32 Volume Min:|i32 Volume Max:|p Starting 1: sound|i32 Starting 1: volume"
                   "|p Starting 2: sound|i32 Starting 2: volume|p Stopping 1: sound|i32 Stopping 1: volume"
                   "|p Stopping 2: sound|i32 Stopping 2: volume" SOUND_CLOSING, 174},
    {"SingleEngineSound", 26991, -1,
     SOUND_OPENING "|f32 Wind Freq. multiplier:|f32 Wind Freq. multiplier: (2)|f32 Stall Warning: Stress threshold:"
                   "|h32 field 8|f32 RPMs where normal sounds start:" OVERLAP "|f32 Min Running RPMs:"
                   "|f32 Idle Squash:|f32 Cruise Squash:|p Cruise Good cruise snd|p Cruise Bad cruise snd"
                   "|f32 Cruise RPMs Min:|f32 Cruise RPMs Max:|f32 Cruise RPMs Sample:|i32 Cruise Volume Min:"
                   "|i32 Cruise Volume Max:|p Idle good sound|p Idle bad sound|f32 Idle RPMs Min:|f32 Idle RPMs Max:"
                   "|f32 Idle Sample:|i32 Idle Volume Min:|i32 Idle Volume Max:|p Starting: sound|i32 Starting: Volume:"
                   "|p Stopping: sound|i32 Stopping: Volume:" SOUND_CLOSING, 178},
    {"CallSignVoices", 11004, -1,
     "r32 Aircraft:|rp Null: / Call resource as text:|rp Level: / Flag:|rp Aircraft resource: / Count:"
     "|rp Call resource as text: / Pos. 1:|rp Pos. 2: / Neg.1:|r16 Neg.2:|rp field 8", 30},
    {"PilotVoices", 11405, -1, VOICES("1") VOICES("2") VOICES("3"), 84},
};

struct Field {
    std::string type;
    std::string key;
    std::size_t offset = 0;
};

bool is(const Field& f, std::initializer_list<const char*> types)
{
    for (const char* t : types)
        if (f.type == t) return true;
    return false;
}

int width(const Field& f) { return is(f, {"u8", "s", "pp", "c8", "z"}) ? 1 : is(f, {"i16", "r16"}) ? 2 : 4; }
bool settable(const Field& f) { return !is(f, {"s", "z", "r16", "r32", "rp", "h32"}); }

// The fields in stored order, each at the end of the one before.
std::vector<Field> fields_of(const Layout& layout)
{
    std::vector<Field> fields;
    std::size_t offset = 0;
    std::istringstream entries(layout.fields);
    for (std::string entry; std::getline(entries, entry, '|');) {
        if (entry.empty()) continue;
        fields.push_back({entry.substr(0, entry.find(' ')), entry.substr(entry.find(' ') + 1), offset});
        offset += std::size_t(width(fields.back()));
    }
    EXPECT_EQ(offset, std::size_t(layout.length)) << layout.name;
    return fields;
}

// A value as the form shows it (or a user types it) and its stored bytes.
struct Answer {
    std::string text;
    Bytes bytes;
};

Bytes le(int width, std::int64_t v)
{
    Bytes b;
    for (int k = 0; k < width; ++k) b.push_back(std::uint8_t(std::uint64_t(v) >> (8 * k)));
    return b;
}
Bytes f32(double v)
{
    const auto value = float(v);
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    return le(4, bits);
}
Bytes halves(std::int64_t first, std::int64_t second)
{
    Bytes b = le(2, first);
    for (std::uint8_t byte : le(2, second)) b.push_back(byte);
    return b;
}
std::string text(std::int64_t v) { return std::to_string(v); }

// The fixture's value of field n: one of its own in every field.
Answer stored(const Field& f, std::int64_t n, int type_byte)
{
    if (is(f, {"s"})) return {text(type_byte), le(1, type_byte)};
    if (is(f, {"z"})) return {"0", le(1, 0)};
    if (is(f, {"pp"})) return {"2", le(1, 2)};                 // "Right Wing"
    if (is(f, {"c8", "c32"})) return {"3", le(width(f), 3)};   // "ELEVATOR"
    if (is(f, {"u8"})) return {text(30 + n), le(1, 30 + n)};
    if (is(f, {"i16", "r16"})) return {text(-1000 - n), le(2, -1000 - n)};
    if (is(f, {"i32", "r32", "h32"})) return {text(-100000 - n), le(4, -100000 - n)};
    if (is(f, {"p", "rp"})) return {text(300 + n) + ", " + text(-400 - n), halves(300 + n, -400 - n)};
    if (is(f, {"k"})) return {text(n + 1) + ".5", f32((double(n) + 1.5) * 1000)};
    if (is(f, {"m"})) return {text(n), f32(double(n) / 1000000)};
    return {text(n + 1) + ".5", f32(double(n) + 1.5)};
}

// A new value for field n as a user types it, and the bytes a save writes.
Answer changed(const Field& f, std::int64_t n)
{
    if (is(f, {"pp"})) return {"Left Wing", le(1, 1)};
    if (is(f, {"c8", "c32"})) return {"FLAP", le(width(f), 4)};
    if (is(f, {"u8"})) return {text(150 + n), le(1, 150 + n)};
    if (is(f, {"i16"})) return {text(-2000 - n), le(2, -2000 - n)};
    if (is(f, {"i32"})) return {text(2000000 + n), le(4, 2000000 + n)};
    if (is(f, {"p"})) return {text(500 + n) + ", " + text(-600 - n), halves(500 + n, -600 - n)};
    if (is(f, {"k"})) return {"-" + text(n) + ".75", f32(-(double(n) + 0.75) * 1000)};
    if (is(f, {"m"})) return {"7", f32(7.0 / 1000000)};
    return {"-" + text(n) + ".75", f32(-(double(n) + 0.75))};
}

void put(Bytes& item, const Field& f, const Bytes& bytes) { std::copy(bytes.begin(), bytes.end(), item.begin() + std::ptrdiff_t(f.offset)); }

class RecordLayout : public WorkspaceFixture, public ::testing::WithParamInterface<Layout> {
protected:
    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        fields = fields_of(GetParam());
        fixture = Bytes(std::size_t(GetParam().length), 0);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const Answer answer = stored(fields[i], std::int64_t(i), GetParam().type_byte >= 0 ? GetParam().type_byte : 7);
            put(fixture, fields[i], answer.bytes);
            shown.push_back(answer.text);
        }
        spec = find_record_spec(GetParam().resource_id, fixture);
        ASSERT_NE(spec, nullptr);
    }

    std::vector<Field> fields;
    Bytes fixture;
    std::vector<std::string> shown;
    const RecordSpec* spec = nullptr;
};

TEST_P(RecordLayout, ShowsEveryStoredValueUnderItsName)
{
    const auto record = load_record(*spec, fixture);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->field_count(), fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto index = find_field(*spec, fields[i].key);
        ASSERT_TRUE(index.has_value()) << fields[i].key;
        EXPECT_EQ(format_field_value(spec->fields[*index], record->current_values[*index]), shown[i]) << fields[i].key;
    }
}

TEST_P(RecordLayout, EachSetFieldChangesExactlyItsOwnBytes)
{
    Bytes longer = fixture;
    longer.push_back(0xEE);  // a byte past the record stays
    Bytes unchanged = longer;
    const auto loaded = load_record(*spec, fixture);
    ASSERT_TRUE(loaded.has_value());
    if (!spec->saves()) {
        EXPECT_EQ(encode_record(*loaded, unchanged), -1);
        return;
    }
    ASSERT_EQ(encode_record(*loaded, unchanged), 0);
    EXPECT_EQ(unchanged, longer);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        Record record = *loaded;
        if (!settable(fields[i])) {
            EXPECT_EQ(set_field_text(record, fields[i].key, "1"), -1) << fields[i].key;
            continue;
        }
        const Answer answer = changed(fields[i], std::int64_t(i));
        ASSERT_EQ(set_field_text(record, fields[i].key, answer.text), 0) << fields[i].key << "=" << answer.text;
        Bytes saved = fixture, expected = fixture;
        put(expected, fields[i], answer.bytes);
        ASSERT_EQ(encode_record(record, saved), 0);
        EXPECT_EQ(saved, expected) << fields[i].key << "=" << answer.text;
    }
    clear_messages();  // the refusals of fields that are shown only
}

INSTANTIATE_TEST_SUITE_P(Records, RecordLayout, ::testing::ValuesIn(layouts),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mw::test
