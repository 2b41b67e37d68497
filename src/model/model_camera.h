// The model display's camera and its input rules, and the per-polygon
// drawing decisions: everything about showing a model that is not a call
// into the graphics library.
#pragma once

#include <array>

#include "model/model_data.h"

namespace mw {

struct ModelCamera {
    double rotation_x = 0.0;  // degrees
    double rotation_y = 0.0;
    double rotation_z = 0.0;
    double scale = 1.0;
    double distance = 10.0;  // translation along -z
    double default_distance = 10.0;  // set by the archive analysis, used at each model load
    PolygonMode polygon_mode = PolygonMode::fill;
    bool left_drag = false;
    bool right_drag = false;
    int last_x = 0;
    int last_y = 0;
};

inline constexpr double camera_min_distance = 0.1;
inline constexpr double camera_max_drag_distance = 300.0;

enum class CameraKey { page_up, page_down, up, down, left, right, home, keypad_plus, keypad_minus };

// A model has been loaded: scale 1, the default distance, filled polygons
// (camera and model). The rotations are kept.
void camera_model_loaded(ModelCamera& camera, ModelData& model);

// Applies a key. Every key of CameraKey asks for a repaint (Home does nothing else).
void camera_key(ModelCamera& camera, CameraKey key);

// Button presses and releases start and end a drag at (x, y).
void camera_left_button(ModelCamera& camera, bool down, int x, int y);
void camera_right_button(ModelCamera& camera, bool down, int x, int y);

// A mouse move; true when the view changed (a repaint is due). Left drag
// turns the model (about z with Ctrl held), right drag moves it nearer or
// farther within [0.1, 300]; the deltas are halved (quartered for z) with
// integer division. The last position follows every move.
bool camera_mouse_move(ModelCamera& camera, int x, int y, bool ctrl);

// Double click: wireframe on or off, in camera and model; returns the new mode.
PolygonMode camera_toggle_wireframe(ModelCamera& camera, ModelData& model);

// The perspective's aspect ratio: width / height, or the width alone when the height is 0.
double perspective_aspect(int width, int height);

// How one polygon is drawn: its colour (red, green, blue, alpha) and the
// texture slot to bind (-1: texturing off).
struct PolygonLook {
    std::array<double, 4> colour{1.0, 1.0, 1.0, 1.0};
    int texture_slot = -1;
};
PolygonLook polygon_look(const ModelData& model, const ModelPolygon& polygon);

}  // namespace mw
