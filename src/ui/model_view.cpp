#include "ui/model_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QWheelEvent>

#include <cstdlib>
#include <optional>

#include <GL/gl.h>
#include <GL/glu.h>

#include "model/model_loader.h"
#include "model/texture_texels.h"

namespace mw::ui {

namespace {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

std::optional<CameraKey> camera_key_of(const QKeyEvent& event)
{
    const bool keypad = event.modifiers() & Qt::KeypadModifier;
    switch (event.key()) {
    case Qt::Key_PageUp: return CameraKey::page_up;
    case Qt::Key_PageDown: return CameraKey::page_down;
    case Qt::Key_Up: return CameraKey::up;
    case Qt::Key_Down: return CameraKey::down;
    case Qt::Key_Left: return CameraKey::left;
    case Qt::Key_Right: return CameraKey::right;
    case Qt::Key_Home: return CameraKey::home;
    case Qt::Key_Plus: return keypad ? std::optional(CameraKey::keypad_plus) : std::nullopt;
    case Qt::Key_Minus: return keypad ? std::optional(CameraKey::keypad_minus) : std::nullopt;
    default: return std::nullopt;
    }
}

GLenum gl_polygon_mode(PolygonMode mode) { return mode == PolygonMode::line ? GL_LINE : GL_FILL; }

}  // namespace

QSurfaceFormat model_surface_format()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    return format;
}

bool opengl_usable()
{
    QOpenGLContext context;
    context.setFormat(model_surface_format());
    if (!context.create()) return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface)) return false;
    context.doneCurrent();
    return true;
}

CModelView::CModelView(std::shared_ptr<ModelCamera> camera, QWidget* parent)
    : QOpenGLWidget(parent), camera_(std::move(camera))
{
    setObjectName(QStringLiteral("model_view"));
    setFormat(model_surface_format());
    setFocusPolicy(Qt::StrongFocus);  // a click gives it the keys
}

CModelView::~CModelView()
{
    if (texture_names_.empty() || !context()) return;
    makeCurrent();
    glDeleteTextures(GLsizei(texture_names_.size()), texture_names_.data());
    doneCurrent();
}

int CModelView::load(const std::filesystem::path& file, const ModelLoadParams& params)
{
    if (load_model(model_, file, params.variant) != 0) return -1;
    WaitCursor wait;
    std::vector<int> texture_numbers;
    collect_textures(model_, texture_numbers);
    if (params.extract_textures) params.extract_textures(texture_numbers);
    loaded_slots_ = load_texture_files(model_);
    camera_->default_distance = params.default_distance;
    camera_model_loaded(*camera_, model_);
    culling_ = params.culling;
    textures_pending_ = true;
    if (context() && context()->isValid()) {
        makeCurrent();
        upload_textures();
        setup_lighting();
        doneCurrent();
    }
    update();
    return 0;
}

void CModelView::initializeGL()
{
    // Texels keyed transparent (alpha 0) let what lies behind show through.
    glAlphaFunc(GL_GREATER, 0.0f);
    glEnable(GL_ALPHA_TEST);
    if (textures_pending_) upload_textures();
    setup_lighting();
}

void CModelView::resizeGL(int width, int height)
{
    const qreal ratio = devicePixelRatioF();
    glViewport(0, 0, GLsizei(width * ratio), GLsizei(height * ratio));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, perspective_aspect(width, height), 1.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // The widget draws into its own framebuffer, which Qt presents: the draw buffer stays Qt's.
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    setup_lighting();
}

void CModelView::setup_lighting()
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();  // the light's direction is in eye space
    const GLfloat ambient[] = {0.6f, 0.6f, 0.6f, 0.6f};
    const GLfloat diffuse[] = {0.7f, 0.7f, 0.7f, 0.7f};
    const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat position[] = {0.0f, 0.0f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glPopMatrix();
    glEnable(GL_LIGHT0);

    // The archive's own model is drawn from both sides; every other model hides its front faces.
    if (culling_)
        glEnable(GL_CULL_FACE);
    else
        glDisable(GL_CULL_FACE);
    glCullFace(GL_FRONT);

    glEnable(GL_NORMALIZE);
    glShadeModel(GL_SMOOTH);
    // The camera's mode, which is filled after a load: a resize keeps a wireframe a wireframe.
    apply_polygon_mode();

    const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, white);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
}

void CModelView::apply_polygon_mode() { glPolygonMode(GL_FRONT_AND_BACK, gl_polygon_mode(camera_->polygon_mode)); }

void CModelView::upload_textures()
{
    textures_pending_ = false;
    if (!texture_names_.empty()) glDeleteTextures(GLsizei(texture_names_.size()), texture_names_.data());
    texture_names_.assign(model_.texture_slots.size(), 0);
    if (texture_names_.empty()) return;
    glGenTextures(GLsizei(texture_names_.size()), texture_names_.data());
    for (std::size_t i = 0; i < loaded_slots_ && i < model_.texture_slots.size(); ++i) {
        const TextureSlot& slot = model_.texture_slots[i];
        glBindTexture(GL_TEXTURE_2D, texture_names_[i]);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glTexImage2D(GL_TEXTURE_2D, 0, 4, slot.width, slot.height, 0, GL_BGRA, GL_UNSIGNED_BYTE, slot.rgba.data());
    }
}

void CModelView::paintGL()
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    const auto scale = GLfloat(camera_->scale);
    glScalef(scale, scale, scale);
    glTranslated(0.0, 0.0, -camera_->distance);
    glRotated(camera_->rotation_x, 1.0, 0.0, 0.0);
    glRotated(camera_->rotation_y, 0.0, 1.0, 0.0);
    glRotated(camera_->rotation_z, 0.0, 0.0, 1.0);
    draw_model();
    glPopMatrix();
}

void CModelView::draw_model()
{
    const auto& vertices = model_.vertices;
    const auto& coordinates = model_.texture_coordinates;
    for (const ModelPolygon& polygon : model_.polygons) {
        const PolygonLook look = polygon_look(model_, polygon);
        const bool textured = look.texture_slot >= 0 && std::size_t(look.texture_slot) < texture_names_.size();
        if (textured) {
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, texture_names_[std::size_t(look.texture_slot)]);
        } else {
            glDisable(GL_TEXTURE_2D);
        }
        const GLfloat colour[] = {GLfloat(look.colour[0]), GLfloat(look.colour[1]), GLfloat(look.colour[2]),
                                  GLfloat(look.colour[3])};
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, colour);

        glBegin(GL_POLYGON);
        for (int c = 0; c < polygon.corner_count; ++c) {
            const int v = polygon.vertex_indices[std::size_t(c)];
            if (v < 0 || std::size_t(v) >= vertices.size()) continue;  // the loader rejects these; never read past
            const ModelVertex& vertex = vertices[std::size_t(v)];
            glNormal3d(vertex.normal_x, vertex.normal_y, vertex.normal_z);
            if (textured) {
                const int t = polygon.texture_coordinate_indices[std::size_t(c)];
                if (t >= 0 && std::size_t(t) < coordinates.size())
                    glTexCoord2f(coordinates[std::size_t(t)][0], coordinates[std::size_t(t)][1]);
            }
            glVertex3f(vertex.x, vertex.y, vertex.z);
        }
        glEnd();
    }
}

void CModelView::keyPressEvent(QKeyEvent* event)
{
    if (const auto key = camera_key_of(*event)) {
        camera_key(*camera_, *key);
        update();
    }
    QOpenGLWidget::keyPressEvent(event);
}

void CModelView::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) camera_left_button(*camera_, true, at.x(), at.y());
    if (event->button() == Qt::RightButton) camera_right_button(*camera_, true, at.x(), at.y());
    QOpenGLWidget::mousePressEvent(event);
}

void CModelView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) camera_left_button(*camera_, false, at.x(), at.y());
    if (event->button() == Qt::RightButton) camera_right_button(*camera_, false, at.x(), at.y());
    QOpenGLWidget::mouseReleaseEvent(event);
}

void CModelView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (camera_mouse_move(*camera_, at.x(), at.y(), event->modifiers() & Qt::ControlModifier)) update();
    QOpenGLWidget::mouseMoveEvent(event);
}

void CModelView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        camera_toggle_wireframe(*camera_, model_);
        if (context() && context()->isValid()) {
            makeCurrent();
            apply_polygon_mode();
            doneCurrent();
        }
        update();
    }
    // Not passed on: Qt's default would take it for a second press.
}

void CModelView::wheelEvent(QWheelEvent* event)
{
    // One notch (120 eighths of a degree) nearer or farther, as keypad + and -.
    wheel_remainder_ += event->angleDelta().y();
    const int notches = wheel_remainder_ / 120;
    wheel_remainder_ -= notches * 120;
    for (int i = 0; i < std::abs(notches); ++i)
        camera_key(*camera_, notches > 0 ? CameraKey::keypad_plus : CameraKey::keypad_minus);
    if (notches != 0) update();
    event->accept();
}

}  // namespace mw::ui
