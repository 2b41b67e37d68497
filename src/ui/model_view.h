// The 3D model display: an OpenGL view (fixed-function pipeline, GLU) that
// draws one loaded model lit by a white light on black, with its colours and
// textures, and turns, moves and switches it to wireframe on the user's keys
// and mouse. The camera's rules live in the core (model/model_camera.h); this
// widget only translates Qt's events to them and makes the OpenGL calls.
#pragma once

#include <QOpenGLWidget>
#include <QSurfaceFormat>

#include <filesystem>
#include <memory>
#include <vector>

#include "model/model_camera.h"
#include "model/model_data.h"
#include "ui/display_factory.h"

namespace mw::ui {

// Double buffer, depth 24, stencil 8, OpenGL 2.1 compatibility profile.
QSurfaceFormat model_surface_format();

// Whether a context of that format can be made and made current here; when
// not, the display shows a text instead of the model.
bool opengl_usable();

class CModelView : public QOpenGLWidget {
    Q_OBJECT
public:
    // The camera outlives the view: its rotations carry over to the next model.
    explicit CModelView(std::shared_ptr<ModelCamera> camera, QWidget* parent = nullptr);
    ~CModelView() override;

    // Loads `file` and prepares its textures. -1 when the model cannot be
    // loaded: the loader has shown "Error#375: Error Loading 3D Model" and
    // the view keeps what it had.
    int load(const std::filesystem::path& file, const ModelLoadParams& params);

    const ModelCamera& camera() const { return *camera_; }
    const ModelData& model() const { return model_; }
    bool culling() const { return culling_; }

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;

    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // With the context current.
    void upload_textures();
    void setup_lighting();
    void apply_polygon_mode();
    void draw_model();

    std::shared_ptr<ModelCamera> camera_;
    ModelData model_;
    bool culling_ = true;
    std::size_t loaded_slots_ = 0;        // slots, from the first, whose texels were read
    bool textures_pending_ = false;        // loaded before the context was made
    std::vector<unsigned> texture_names_;  // one per texture slot
    int wheel_remainder_ = 0;              // wheel turns short of a notch
};

}  // namespace mw::ui
