#include <gtest/gtest.h>

#include "model/model_builder.h"
#include "model/model_camera.h"
#include "model/model_loader.h"
#include "model/texture_texels.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

using Colours = std::vector<std::array<std::uint8_t, 3>>;

// A 2 x 2 8-bit image, rows 4 bytes apart, decoded row 0 first.
const Bytes indexed_pixels = {0, 1, 9, 9, 2, 0, 9, 9};
const Colours table = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};

TextureImage indexed_image()
{
    return TextureImage{.width = 2, .height = 2, .bit_count = 8, .row_stride = 4, .pixels = indexed_pixels,
                        .colours = table};
}

TEST(TextureTexels, RowsAreReversedAndTableBytesTakenInOrder)
{
    const auto texels = texture_texels(indexed_image(), false, false);
    ASSERT_TRUE(texels);
    // Output row 0 is decoded row 1 (indices 2, 0); output row 1 is decoded row 0 (indices 0, 1).
    EXPECT_EQ(*texels, (Bytes{70, 80, 90, 255, 10, 20, 30, 255, 10, 20, 30, 255, 40, 50, 60, 255}));
}

TEST(TextureTexels, TexturesBgrReversesTheColourBytes)
{
    const auto texels = texture_texels(indexed_image(), false, true);
    ASSERT_TRUE(texels);
    EXPECT_EQ(*texels, (Bytes{90, 80, 70, 255, 30, 20, 10, 255, 30, 20, 10, 255, 60, 50, 40, 255}));
}

TEST(TextureTexels, ColourKeyMakesIndexZeroTransparent)
{
    const auto keyed = texture_texels(indexed_image(), true, false);
    ASSERT_TRUE(keyed);
    std::vector<int> alpha;
    for (std::size_t i = 3; i < keyed->size(); i += 4) alpha.push_back((*keyed)[i]);
    EXPECT_EQ(alpha, (std::vector<int>{255, 0, 0, 255}));
}

TEST(TextureTexels, DirectColourKeepsItsBytesAndIgnoresTheKey)
{
    const Bytes pixels = {1, 2, 3, 0, 0, 0, 4, 5, 6, 0, 0, 0};  // 1 x 2, rows 6 bytes apart
    const TextureImage image{.width = 1, .height = 2, .bit_count = 24, .row_stride = 6, .pixels = pixels};
    const auto texels = texture_texels(image, true, true);
    ASSERT_TRUE(texels);
    EXPECT_EQ(*texels, (Bytes{4, 5, 6, 255, 1, 2, 3, 255}));
}

TEST(TextureTexels, PackedIndicesAndMissingTableEntries)
{
    const Bytes pixels = {0x1F};  // 4 bits: indices 1 and 15; the table has 3 entries
    const TextureImage image{.width = 2, .height = 1, .bit_count = 4, .row_stride = 1, .pixels = pixels,
                             .colours = table};
    const auto texels = texture_texels(image, false, false);
    ASSERT_TRUE(texels);
    EXPECT_EQ(*texels, (Bytes{40, 50, 60, 255, 0, 0, 0, 255}));
}

TEST(TextureTexels, ImagesThatDoNotHoldTheirPixelsAreRefused)
{
    TextureImage too_short = indexed_image();
    too_short.pixels = ByteSpan(indexed_pixels.data(), 5);
    TextureImage narrow_rows = indexed_image();
    narrow_rows.row_stride = 1;
    TextureImage odd_bits = indexed_image();
    odd_bits.bit_count = 16;
    EXPECT_FALSE(texture_texels(too_short, false, false));
    EXPECT_FALSE(texture_texels(narrow_rows, false, false));
    EXPECT_FALSE(texture_texels(odd_bits, false, false));
    TextureImage last_row_unpadded = indexed_image();
    last_row_unpadded.pixels = ByteSpan(indexed_pixels.data(), 6);
    EXPECT_TRUE(texture_texels(last_row_unpadded, false, false));
}

class TextureSlots : public WorkspaceFixture {};

TEST_F(TextureSlots, FillUsesTheWorkspaceByteOrderAndTheSlotKey)
{
    TextureSlot slot;
    slot.colour_key = true;
    workspace().set_textures_bgr(1);
    ASSERT_TRUE(fill_texture_slot(slot, indexed_image()));
    EXPECT_EQ(slot.width, 2);
    EXPECT_EQ(slot.height, 2);
    EXPECT_EQ(Bytes(slot.rgba.begin(), slot.rgba.begin() + 8), (Bytes{90, 80, 70, 255, 30, 20, 10, 0}));

    TextureImage broken = indexed_image();
    broken.bit_count = 3;
    EXPECT_FALSE(fill_texture_slot(slot, broken));
    EXPECT_TRUE(slot.rgba.empty());
    EXPECT_EQ(texture_file_path(7), temp_folder() / "mw3792_texture7.bmp");
}

// A 1 x 1 24-bit BMP file whose one pixel is stored as bytes 1, 2, 3.
Bytes one_pixel_bmp()
{
    ByteWriter w;
    w.u8('B');
    w.u8('M');
    for (std::uint32_t v : {58u, 0u, 54u, 40u, 1u, 1u}) w.u32(v);
    w.u16(1);
    w.u16(24);
    for (int i = 0; i < 6; ++i) w.u32(0);
    for (std::uint8_t b : {1, 2, 3, 0}) w.u8(b);
    return w.take();
}

TEST_F(TextureSlots, FilesAreReadInSlotOrderUpToTheFirstMissingOne)
{
    ModelData model;
    model.texture_slots = {TextureSlot{.texture_number = 5}, TextureSlot{.texture_number = 6},
                           TextureSlot{.texture_number = 7}};
    write_bytes(texture_file_path(5), one_pixel_bmp());
    write_bytes(texture_file_path(7), one_pixel_bmp());  // after the missing 6: not read
    EXPECT_EQ(load_texture_files(model), 1u);
    EXPECT_EQ(model.texture_slots[0].rgba, (Bytes{1, 2, 3, 255}));
    EXPECT_TRUE(model.texture_slots[2].rgba.empty());
    EXPECT_TRUE(errors().empty());
}

struct KeyCase {
    CameraKey key;
    double rotation_x, rotation_y, rotation_z, distance;
};

TEST(ModelCamera, Keys)
{
    const KeyCase cases[] = {
        {CameraKey::page_up, -20, 0, 0, 10},   {CameraKey::page_down, 20, 0, 0, 10}, {CameraKey::up, 0, 20, 0, 10},
        {CameraKey::down, 0, -20, 0, 10},      {CameraKey::left, 0, 0, -10, 10},     {CameraKey::right, 0, 0, 10, 10},
        {CameraKey::home, 0, 0, 0, 10},        {CameraKey::keypad_plus, 0, 0, 0, 9}, {CameraKey::keypad_minus, 0, 0, 0, 11},
    };
    for (const KeyCase& c : cases) {
        ModelCamera camera;
        camera_key(camera, c.key);
        EXPECT_EQ(camera.rotation_x, c.rotation_x);
        EXPECT_EQ(camera.rotation_y, c.rotation_y);
        EXPECT_EQ(camera.rotation_z, c.rotation_z);
        EXPECT_EQ(camera.distance, c.distance);
    }
}

TEST(ModelCamera, DistanceLimits)
{
    ModelCamera camera;
    camera.distance = 0.5;
    camera_key(camera, CameraKey::keypad_plus);
    EXPECT_EQ(camera.distance, 0.1);
    camera.distance = 299.5;
    camera_key(camera, CameraKey::keypad_minus);
    EXPECT_EQ(camera.distance, 300.5);  // no upper bound on the keypad
    camera_right_button(camera, true, 10, 10);
    EXPECT_TRUE(camera_mouse_move(camera, 10, 10, false));
    EXPECT_EQ(camera.distance, 300.0);  // the next right drag clamps
    EXPECT_TRUE(camera_mouse_move(camera, 10, 30, false));
    EXPECT_EQ(camera.distance, 300.0);
    EXPECT_TRUE(camera_mouse_move(camera, 10, 0, false));
    EXPECT_EQ(camera.distance, 285.0);
    camera.distance = 1.0;
    camera_mouse_move(camera, 10, -100, false);
    EXPECT_EQ(camera.distance, 0.1);
}

TEST(ModelCamera, LeftDragTurnsWithIntegerHalves)
{
    ModelCamera camera;
    EXPECT_FALSE(camera_mouse_move(camera, 5, 5, false));  // no drag: nothing changes
    camera_left_button(camera, true, 100, 100);
    camera_mouse_move(camera, 101, 99, false);  // one pixel: halves round to zero
    EXPECT_EQ(camera.rotation_x, 0);
    EXPECT_EQ(camera.rotation_y, 0);
    camera_mouse_move(camera, 106, 96, false);  // dx = -5, dy = 3 from the last position
    EXPECT_EQ(camera.rotation_y, 2);
    EXPECT_EQ(camera.rotation_x, -1);
    camera_mouse_move(camera, 96, 106, true);  // with Ctrl: z by the summed delta / 4, truncated
    EXPECT_EQ(camera.rotation_z, 0);
    camera_mouse_move(camera, 90, 104, true);  // (96 + 106) - (90 + 104) = 8
    EXPECT_EQ(camera.rotation_z, -2);
    EXPECT_EQ(camera.rotation_y, 2);
    camera.right_drag = true;
    camera_mouse_move(camera, 90, 0, false);  // the left drag wins
    EXPECT_EQ(camera.distance, 10.0);
    camera_left_button(camera, false, 90, 0);
    EXPECT_FALSE(camera.left_drag);
}

TEST(ModelCamera, LoadAndWireframe)
{
    ModelCamera camera;
    ModelData model;
    camera.rotation_x = 40;
    camera.scale = 2;
    camera.distance = 3;
    camera.default_distance = 50;
    EXPECT_EQ(camera_toggle_wireframe(camera, model), PolygonMode::line);
    EXPECT_EQ(model.polygon_mode, PolygonMode::line);
    camera_model_loaded(camera, model);
    EXPECT_EQ(camera.scale, 1.0);
    EXPECT_EQ(camera.distance, 50.0);
    EXPECT_EQ(camera.rotation_x, 40);
    EXPECT_EQ(camera.polygon_mode, PolygonMode::fill);
    EXPECT_EQ(model.polygon_mode, PolygonMode::fill);
    EXPECT_EQ(perspective_aspect(640, 480), 640.0 / 480.0);
    EXPECT_EQ(perspective_aspect(640, 0), 640.0);
}

TEST(ModelCamera, PolygonLooks)
{
    auto parsed = parse_model(two_part_model().build(), false);
    ASSERT_TRUE(parsed);
    ModelData& model = *parsed;
    std::vector<int> numbers;
    collect_textures(model, numbers);
    model.no_material_colour = {0.5, 0.25, 0.125};

    const PolygonLook colour = polygon_look(model, model.polygons[0]);
    EXPECT_EQ(colour.colour, (std::array<double, 4>{1.0, double(model.materials[0].green), double(model.materials[0].blue), 1.0}));
    EXPECT_EQ(colour.texture_slot, -1);
    const PolygonLook textured = polygon_look(model, model.polygons[2]);
    EXPECT_EQ(textured.colour, (std::array<double, 4>{1, 1, 1, 1}));
    EXPECT_EQ(textured.texture_slot, 0);
    EXPECT_EQ(polygon_look(model, model.polygons[4]).colour, (std::array<double, 4>{0.5, 0.25, 0.125, 1}));

    model.polygon_mode = PolygonMode::line;  // wireframe: white and untextured
    EXPECT_EQ(polygon_look(model, model.polygons[2]).texture_slot, -1);
    EXPECT_EQ(polygon_look(model, model.polygons[0]).colour, (std::array<double, 4>{1, 1, 1, 1}));
}

}  // namespace
}  // namespace mw::test
