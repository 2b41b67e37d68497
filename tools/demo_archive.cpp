#include "demo_archive.h"

#include <cmath>
#include <string>

#include "archive/byte_io.h"
#include "archive/dcl/dcl.h"
#include "model/model_builder.h"

namespace mw::demo {

namespace {

Bytes text_bytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// A sky of blues (0 ... 127), a land of greens and browns (128 ... 239) and
// greys (240 ... 255, one of them a paint red).
Bytes palette_bytes(bool dusk)
{
    Bytes out;
    for (int k = 0; k < 256; ++k) {
        std::array<std::uint8_t, 3> c = demo_palette_colour(k);
        if (dusk) c = {std::uint8_t(std::min(255, c[0] + 90)), std::uint8_t(c[1] * 2 / 3), std::uint8_t(c[2] / 2)};
        out.insert(out.end(), c.begin(), c.end());
    }
    return out;
}

Bytes image_item_8bit()
{
    ByteWriter w;
    w.u32(0);
    w.u16(2);  // 8-bit
    w.u16(0);
    w.u16(demo_texture_width);
    w.u16(demo_texture_height);
    w.u16(demo_texture_width);
    w.u8(7);  // floor(log2 128)
    w.u8(6);  // floor(log2 96)
    for (int y = 0; y < demo_texture_height; ++y)
        for (int x = 0; x < demo_texture_width; ++x) w.u8(demo_texture_index(x, y));
    return w.take();
}

// 800 x 600, 16-bit 5-6-5: an instrument panel of grey with six round dials.
Bytes cockpit_item()
{
    constexpr int width = 800, height = 600;
    ByteWriter w;
    w.u32(0);
    w.u16(3);   // 16-bit
    w.u16(32);  // no extra words
    w.u16(width);
    w.u16(height);
    w.u16(2 * width);
    w.u16(0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int r = 10, g = 22, b = 12;  // panel grey
            if (y < 180) {
                r = 14, g = 40, b = 28;  // windscreen sky
            }
            for (int dial = 0; dial < 6; ++dial) {
                const int cx = 140 + (dial % 3) * 260, cy = 300 + (dial / 3) * 160;
                const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                if (d2 < 70 * 70) r = 2, g = 4, b = 2;
                if (d2 < 66 * 66 && (x - cx) * (x - cx) < 9 && y < cy) r = 31, g = 63, b = 31;  // needle
                if (d2 >= 66 * 66 && d2 < 70 * 70) r = 25, g = 50, b = 25;  // rim
            }
            w.u16(std::uint32_t((r << 11) | (g << 5) | b));
        }
    }
    w.zeros(960038 - w.size());  // the cockpit entry's length
    return w.take();
}

// 8-bit mono PCM at 11025 Hz: `seconds` of a tone gliding from `from` to `to` Hz.
Bytes wav_tone(double from, double to, double seconds)
{
    const int rate = 11025;
    const int samples = int(rate * seconds);
    ByteWriter w;
    w.text("RIFF");
    w.u32(std::uint32_t(36 + samples));
    w.text("WAVEfmt ");
    w.u32(16);
    w.u16(1);  // PCM
    w.u16(1);  // mono
    w.u32(rate);
    w.u32(rate);
    w.u16(1);
    w.u16(8);
    w.text("data");
    w.u32(std::uint32_t(samples));
    double phase = 0;
    for (int i = 0; i < samples; ++i) {
        const double t = double(i) / samples;
        phase += 2 * M_PI * (from + (to - from) * t) / rate;
        const double fade = std::min(1.0, std::min(t, 1 - t) * 20);
        w.u8(std::uint32_t(128 + 90 * fade * std::sin(phase)));
    }
    return w.take();
}

Bytes floats(std::initializer_list<float> values)
{
    ByteWriter w;
    for (float v : values) w.f32(v);
    return w.take();
}

// Turned 30 degrees about z, then -60 degrees about x, so that the model
// view's first picture (all rotations 0) shows the top, front and left side.
std::array<float, 3> tilted(std::array<float, 3> p)
{
    const double z_turn = 30.0 * 3.14159265358979 / 180.0, x_turn = -60.0 * 3.14159265358979 / 180.0;
    const double x = p[0] * std::cos(z_turn) - p[1] * std::sin(z_turn);
    const double y = p[0] * std::sin(z_turn) + p[1] * std::cos(z_turn);
    return {float(x), float(y * std::cos(x_turn) - p[2] * std::sin(x_turn)),
            float(y * std::sin(x_turn) + p[2] * std::cos(x_turn))};
}

// A box 4 long, 2 wide, 1 high, tilted towards the viewer: the top textured
// with texture 0 (its sky away from the front), the rest coloured.
Bytes box_model()
{
    test::ModelBuilder b;
    b.name = "DEMOBOX";
    b.root_name = "body";
    b.materials = {
        {.name = "t_body", .kind = 0, .code = 1, .texture_or_blue = 0},
        {.name = "paint", .kind = 1, .code = 2, .texture_or_blue = 40, .green = 90, .red = 200},
    };
    // Texel row 0 is the picture's top row and lies at v = 0: here the far edge.
    b.texture_coordinates = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
    b.vertices = {{-2, -1, 0}, {2, -1, 0}, {2, 1, 0}, {-2, 1, 0}, {-2, -1, 1}, {2, -1, 1}, {2, 1, 1}, {-2, 1, 1}};
    b.face_normals = {{0, 0, 1}, {0, 0, -1}, {0, -1, 0}, {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}};
    for (auto& v : b.vertices) v = tilted(v);
    for (auto& n : b.face_normals) n = tilted(n);
    b.polygons = {
        {.material_code = 1, .face_normal = 0, .vertices = {4, 5, 6, 7}, .texture_coordinates = {0, 1, 2, 3}},
        {.material_code = 2, .flags = 0x40, .face_normal = 1, .vertices = {3, 2, 1, 0}},
        {.material_code = 2, .flags = 0x40, .face_normal = 2, .vertices = {0, 1, 5, 4}},
        {.material_code = 2, .flags = 0x40, .face_normal = 3, .vertices = {2, 3, 7, 6}},
        {.material_code = 2, .flags = 0x40, .face_normal = 4, .vertices = {3, 0, 4, 7}},
        {.material_code = 2, .flags = 0x40, .face_normal = 5, .vertices = {1, 2, 6, 5}},
    };
    return b.build();
}

Bytes name_record()
{
    Bytes b = {0x02, 0x00, 0x05, 0x00, 0x00};
    const std::string text = std::string("Demo Flyer") + '\0' + "A made-up aircraft for trying Marrowick.\nNo game files inside." + '\0';
    b.insert(b.end(), text.begin(), text.end());
    return b;
}

Bytes contact_point()
{
    Bytes b(18, 0);
    b[0] = 7;
    b[1] = 2;  // right wing
    put_f32(&b[2], 2.0f);
    put_f32(&b[6], 1.0f);
    put_f32(&b[10], -0.5f);
    put_f32(&b[14], 0.25f);
    return b;
}

Bytes gear()
{
    Bytes b(101, 0);
    b[0] = 4;  // segment type
    b[1] = 1;  // left wing
    put_f32(&b[2], 40.0f);
    put_f32(&b[18], 0.5f);
    b[66] = 2;
    b[67] = 6;
    put_f32(&b[80], 900.0f);
    b[100] = 1;
    return b;
}

Bytes prop()
{
    // A grey three-blade prop with a red and a yellow tip stripe, in its own shape (base shape 5).
    Bytes b(180, 0);
    const float colours[9] = {170, 170, 180, 200, 30, 30, 250, 220, 40};
    for (int i = 0; i < 9; ++i) put_f32(&b[std::size_t(4 * i)], colours[i]);
    put_u32(&b[36], 3);  // blades
    put_f32(&b[40], 1.1f);
    put_u32(&b[44], 3);  // stripes: colour 1 from the hub, colour 2 from 0.8, colour 3 from 0.9
    const float positions[3] = {0, 0.8f, 0.9f};
    for (int k = 0; k < 3; ++k) {
        put_u32(&b[std::size_t(48 + 4 * k)], std::uint32_t(k));
        put_f32(&b[std::size_t(80 + 4 * k)], positions[k]);
    }
    put_f32(&b[92], 1.0f);  // the slot after the last stripe ends the bands, as in the game's props
    put_u32(&b[112], 5);
    const float widths[8] = {0.03f, 0.05f, 0.08f, 0.085f, 0.08f, 0.07f, 0.05f, 0.02f};
    const float lengths[8] = {0, 0.1f, 0.25f, 0.45f, 0.65f, 0.8f, 0.95f, 1.0f};
    for (int k = 0; k < 8; ++k) {
        put_f32(&b[std::size_t(116 + 4 * k)], widths[k]);
        put_f32(&b[std::size_t(148 + 4 * k)], lengths[k]);
    }
    return b;
}

Bytes player_sound()
{
    Bytes b(174, 0);
    put_f32(&b[0], 0.8f);
    put_u32(&b[28], std::uint32_t(-1));
    return b;
}

Bytes unknown_blob()
{
    Bytes b;
    std::uint32_t x = 12345;
    const std::string head = "MWDEMO blob: not a known type, shown as hex\r\n";
    b.insert(b.end(), head.begin(), head.end());
    for (int i = 0; i < 4000; ++i) {
        x = x * 1103515245u + 12345u;
        b.push_back(std::uint8_t(x >> 16));
    }
    return b;
}

}  // namespace

std::uint8_t demo_texture_index(int x, int y)
{
    const int cx = 96, cy = 24;
    if ((x - cx) * (x - cx) + (y - cy) * (y - cy) < 100) return 127;  // the sun: the brightest sky colour
    if (y < 56) return std::uint8_t(20 + y * 2);                      // sky, darker at the top
    const bool runway = std::abs(x - 64) < 4 + (y - 56) / 2;
    if (runway) return ((y / 4) % 2 == 0 && std::abs(x - 64) < 1 + (y - 56) / 16) ? 250 : 240;
    return std::uint8_t(128 + ((x / 8 + y / 8) % 2) * 40 + (y - 56));  // checkered fields
}

std::array<std::uint8_t, 3> demo_palette_colour(int k)
{
    if (k < 128) {  // sky: deep blue to pale, the last one a sun yellow
        if (k == 127) return {255, 230, 90};
        return {std::uint8_t(30 + k), std::uint8_t(60 + k), std::uint8_t(120 + k)};
    }
    if (k == 254) return {200, 35, 35};  // a paint red, as the demo prop's stripe
    if (k >= 240) return {std::uint8_t(60 + (k - 240) * 12), std::uint8_t(60 + (k - 240) * 12), std::uint8_t(60 + (k - 240) * 12)};
    const int j = k - 128;
    return {std::uint8_t(40 + j), std::uint8_t(90 + j), std::uint8_t(30 + j / 3)};
}

test::ResBuilder demo_archive()
{
    Bytes definition(16, 0);
    put_u16(&definition[12], 3000);
    std::string story;
    for (int i = 0; i < 40; ++i) story += "Marrowick demo archive, line " + std::to_string(i) + "\r\n";
    Bytes axles(22, 0);
    axles[0] = 2;
    axles[1] = 5;

    test::ResBuilder b;
    b.raw(11005, wav_tone(660, 880, 0.4))
        .compound_items(26001, {wav_tone(220, 180, 0.6), wav_tone(1200, 1200, 0.15)}, 2048)
        .raw(1971, image_item_8bit())
        .raw(2053, definition)
        .raw(3000, box_model())
        .raw(2059, palette_bytes(false))
        .compressed(2900, cockpit_item(), 4096)
        .compound_items(2052, {name_record(), text_bytes("Demo Flyer, second item")})
        .raw(2054, axles)
        .raw(2056, prop())
        .raw(2130, floats({1.5f}))
        .raw(2131, floats({0.25f}))
        .raw(2132, floats({1.0f}))
        .raw(2133, floats({110.0f}))
        .raw(2134, floats({5000, 3000, 3000, 2000}))
        .raw(2135, floats({2, 10, 20}))
        .raw(2136, floats({0.5f}))
        .raw(2137, floats({0.1f, 0.2f, 0.3f}))
        .compound_items(2138, {contact_point(), gear(), Bytes{9, 1}, Bytes{3}})
        .raw(26991, player_sound())
        .raw(2060, palette_bytes(true))
        .compressed(500, unknown_blob(), 1024)
        .compound_items(300, {text_bytes("first item\r\n"), text_bytes("the second item\r\n"), text_bytes(story)});
    return b;
}

}  // namespace mw::demo
