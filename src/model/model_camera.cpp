#include "model/model_camera.h"

#include <algorithm>

namespace mw {

void camera_model_loaded(ModelCamera& camera, ModelData& model)
{
    camera.scale = 1.0;
    camera.distance = camera.default_distance;
    camera.polygon_mode = PolygonMode::fill;
    model.polygon_mode = PolygonMode::fill;
}

void camera_key(ModelCamera& camera, CameraKey key)
{
    switch (key) {
    case CameraKey::page_up: camera.rotation_x -= 20; break;
    case CameraKey::page_down: camera.rotation_x += 20; break;
    case CameraKey::up: camera.rotation_y += 20; break;
    case CameraKey::down: camera.rotation_y -= 20; break;
    case CameraKey::left: camera.rotation_z -= 10; break;
    case CameraKey::right: camera.rotation_z += 10; break;
    case CameraKey::home: break;
    case CameraKey::keypad_plus: camera.distance = std::max(camera.distance - 1, camera_min_distance); break;
    case CameraKey::keypad_minus: camera.distance += 1; break;
    }
}

void camera_left_button(ModelCamera& camera, bool down, int x, int y)
{
    camera.left_drag = down;
    camera.last_x = x;
    camera.last_y = y;
}

void camera_right_button(ModelCamera& camera, bool down, int x, int y)
{
    camera.right_drag = down;
    camera.last_x = x;
    camera.last_y = y;
}

bool camera_mouse_move(ModelCamera& camera, int x, int y, bool ctrl)
{
    const int dx = camera.last_x - x;
    const int dy = camera.last_y - y;
    camera.last_x = x;
    camera.last_y = y;
    if (camera.left_drag) {
        if (ctrl) {
            camera.rotation_z -= (dx + dy) / 4;
        } else {
            camera.rotation_y -= dx / 2;
            camera.rotation_x -= dy / 2;
        }
        return true;
    }
    if (camera.right_drag) {
        camera.distance = std::clamp(camera.distance - dy / 2, camera_min_distance, camera_max_drag_distance);
        return true;
    }
    return false;
}

PolygonMode camera_toggle_wireframe(ModelCamera& camera, ModelData& model)
{
    camera.polygon_mode = camera.polygon_mode == PolygonMode::fill ? PolygonMode::line : PolygonMode::fill;
    model.polygon_mode = camera.polygon_mode;
    return camera.polygon_mode;
}

double perspective_aspect(int width, int height)
{
    return height == 0 ? double(width) : double(width) / double(height);
}

PolygonLook polygon_look(const ModelData& model, const ModelPolygon& polygon)
{
    PolygonLook look;
    const ModelMaterial* material = polygon.material_index >= 0 &&
                                            static_cast<std::size_t>(polygon.material_index) < model.materials.size()
                                        ? &model.materials[static_cast<std::size_t>(polygon.material_index)]
                                        : nullptr;
    if (!material) {
        look.colour = {model.no_material_colour[0], model.no_material_colour[1], model.no_material_colour[2], 1.0};
    } else if (material->kind == 1) {
        look.colour = {material->red, material->green, material->blue, 1.0};
    } else {
        look.texture_slot = material->texture_slot;
    }
    if (model.polygon_mode == PolygonMode::line) look = PolygonLook{};
    return look;
}

}  // namespace mw
