// The model view's pictures, read back from a 200 x 200 view (run under an X
// server with a software OpenGL). A 2 x 2 quad at z = 0 seen from the
// default distance 10 through a 45-degree perspective spans
// 100 / (10 tan 22.5°) = 24.1 pixels either side of the centre.
#include <QImage>
#include <QProcess>
#include <QTest>

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <fstream>

#include "demo_archive.h"
#include "gui_support.h"
#include "model/model_builder.h"
#include "model/texture_texels.h"
#include "ui/model_view.h"

namespace mw::test {

using namespace mw::ui;

namespace {

constexpr int side = 200;
constexpr int centre = side / 2;

// A 2 x 2 quad facing the camera, wound clockwise as seen from it, so the
// culling of front faces keeps it. Texture coordinates (0, 0) at the lower
// left to (1, 1) at the upper right.
ModelBuilder quad(const BuiltMaterial& material)
{
    ModelBuilder b;
    b.materials = {material};
    b.vertices = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
    b.texture_coordinates = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    b.face_normals = {{0, 0, 1}};
    BuiltPolygon polygon{.material_code = material.code, .face_normal = 0, .vertices = {0, 3, 2, 1}};
    if (material.kind == 0)
        polygon.texture_coordinates = {0, 3, 2, 1};
    else
        polygon.flags = 0x40;
    b.polygons = {polygon};
    return b;
}

const BuiltMaterial red{.name = "red", .kind = 1, .code = 1, .texture_or_blue = 0, .green = 0, .red = 255};

// A 2 x 2 8-bit BMP with 4 colours: (200, 200, 200), red, green, blue. Its
// first stored row holds indices 0, 1, the second 2, 3.
Bytes texture_bmp()
{
    ByteWriter w;
    w.u8('B');
    w.u8('M');
    w.u32(14 + 40 + 16 + 8);
    w.u32(0);
    w.u32(14 + 40 + 16);
    w.u32(40);
    w.u32(2);  // width
    w.u32(2);  // height
    w.u16(1);
    w.u16(8);
    for (std::uint32_t v : {0u, 8u, 0u, 0u, 4u, 0u}) w.u32(v);  // compression ... colours used, important
    for (std::array<std::uint8_t, 4> bgr0 : {std::array<std::uint8_t, 4>{200, 200, 200, 0}, {0, 0, 255, 0},
                                             {0, 255, 0, 0}, {255, 0, 0, 0}})
        for (std::uint8_t b : bgr0) w.u8(b);
    for (std::uint8_t b : {0, 1, 0, 0, 2, 3, 0, 0}) w.u8(b);
    return w.take();
}

QColor pixel(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

// Mesa unloads its driver at exit, which leaves the leak checker with the
// driver's own allocations under nameless frames. Kept loaded, they carry the
// driver's name, which the leak suppressions know.
void keep_gl_drivers_loaded()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void*) {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "_dri.so"))
                (void)dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

}  // namespace

class ModelViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiWorkspace> ws;
    std::unique_ptr<CModelView> view;

    void write(const fs::path& path, const Bytes& bytes)
    {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    // Shows `model` in a fresh view with a fresh camera, culling on.
    void show(const ModelBuilder& model)
    {
        const fs::path file = ws->file("model.vmmd");
        write(file, model.build());
        view = std::make_unique<CModelView>(std::make_shared<ModelCamera>());
        view->resize(side, side);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        QCOMPARE(view->load(file, ModelLoadParams{}), 0);
    }

    QImage picture() { return view->grabFramebuffer(); }

private slots:
    void initTestCase()
    {
        QVERIFY2(opengl_usable(), "no OpenGL context: run under an X server (xvfb-run)");
        keep_gl_drivers_loaded();
    }
    void init()
    {
        ws = std::make_unique<GuiWorkspace>();
    }
    void cleanup()
    {
        view.reset();
        ws.reset();
    }

    void red_quad_is_red_in_the_middle_on_black()
    {
        show(quad(red));
        const QImage image = picture();
        QCOMPARE(pixel(image, centre, centre), QColor(255, 0, 0));
        QCOMPARE(pixel(image, centre + 20, centre - 20), QColor(255, 0, 0));
        QCOMPARE(pixel(image, 0, 0), QColor(0, 0, 0));
        QCOMPARE(pixel(image, side - 1, side - 1), QColor(0, 0, 0));
        QCOMPARE(pixel(image, centre + 28, centre), QColor(0, 0, 0));
    }

    void textured_quad_shows_its_texels_data()
    {
        QTest::addColumn<QString>("material");
        QTest::addColumn<int>("textures_bgr");
        QTest::addColumn<QColor>("upper_left");
        QTest::addColumn<QColor>("upper_right");
        QTest::addColumn<QColor>("lower_left");
        QTest::addColumn<QColor>("lower_right");
        // Texel row 0 is the last decoded row (the file's second row, indices 2, 3) and lies at t = 0, below.
        const QColor grey(200, 200, 200), r(255, 0, 0), g(0, 255, 0), b(0, 0, 255), none(0, 0, 0);
        QTest::newRow("table colours") << "body" << 0 << grey << r << g << b;
        QTest::newRow("TexturesBGR swaps red and blue") << "body" << 1 << grey << b << g << r;
        QTest::newRow("t_ material: index 0 transparent") << "t_body" << 0 << none << r << g << b;
        QTest::newRow("T_ material, TexturesBGR") << "T_body" << 1 << none << b << g << r;
    }
    void textured_quad_shows_its_texels()
    {
        QFETCH(QString, material);
        QFETCH(int, textures_bgr);
        Workspace::instance().set_textures_bgr(textures_bgr);
        write(texture_file_path(0), texture_bmp());
        show(quad({.name = material.toStdString(), .kind = 0, .code = 1, .texture_or_blue = 0}));
        const QImage image = picture();
        QTEST(pixel(image, centre - 12, centre - 12), "upper_left");
        QTEST(pixel(image, centre + 12, centre - 12), "upper_right");
        QTEST(pixel(image, centre - 12, centre + 12), "lower_left");
        QTEST(pixel(image, centre + 12, centre + 12), "lower_right");
        QVERIFY(ws->sink.all().empty());
    }

    void a_broken_texture_file_shows_the_decoders_message()
    {
        Bytes broken = texture_bmp();
        broken[0] = 'X';
        write(texture_file_path(0), broken);
        show(quad({.name = "body", .kind = 0, .code = 1, .texture_or_blue = 0}));
        QCOMPARE(ws->sink.errors().size(), 1u);
        QCOMPARE(view->model().texture_slots[0].rgba.size(), 0u);
    }

    void double_click_shows_white_lines_and_no_fill()
    {
        show(quad(red));
        QTest::mouseDClick(view.get(), Qt::LeftButton, {}, QPoint(centre, centre));
        const QImage image = picture();
        QCOMPARE(pixel(image, centre, centre), QColor(0, 0, 0));
        int white = 0, coloured = 0;
        for (int x = 0; x < side; ++x) {
            const QColor c = pixel(image, x, centre);
            white += c == QColor(255, 255, 255);
            coloured += c != QColor(255, 255, 255) && c != QColor(0, 0, 0);
        }
        QCOMPARE(white, 2);  // the left and the right edge
        QCOMPARE(coloured, 0);
    }

    void right_drag_and_page_down_move_the_quad()
    {
        show(quad(red));
        // Right drag 10 pixels up: distance 10 - 10 / 2 = 5, the quad spans 48 pixels either side.
        QCOMPARE(pixel(picture(), centre + 36, centre), QColor(0, 0, 0));
        QTest::mousePress(view.get(), Qt::RightButton, {}, QPoint(centre, centre));
        QTest::mouseMove(view.get(), QPoint(centre, centre - 10));
        QTest::mouseRelease(view.get(), Qt::RightButton, {}, QPoint(centre, centre - 10));
        QCOMPARE(view->camera().distance, 5.0);
        QCOMPARE(pixel(picture(), centre + 36, centre), QColor(255, 0, 0));
        QCOMPARE(pixel(picture(), centre, centre - 34), QColor(255, 0, 0));

        // Page Down three times: turned 60 degrees about x, the quad's upper and lower
        // edges come within 0.5 / ((5 - 0.87) tan 22.5°) × 100 = 29 pixels of the centre.
        for (int i = 0; i < 3; ++i) QTest::keyClick(view.get(), Qt::Key_PageDown);
        const QImage turned = picture();
        QCOMPARE(pixel(turned, centre, centre - 34), QColor(0, 0, 0));
        QCOMPARE(pixel(turned, centre, centre + 34), QColor(0, 0, 0));
        QCOMPARE(pixel(turned, centre, centre), QColor(255, 0, 0));
    }

    void screenshot_mode_captures_the_rendered_model()
    {
        const QString shot = to_qt(ws->file("model.png"));
        QProcess program;  // on this test's X server
        // The GL driver, unloaded at the program's end, leaves its allocations
        // under nameless frames; the program's own leaks are checked offscreen.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(MARROWICK_BUILD_DIR "/marrowick"),
                      {"--home", to_qt(ws->home()), MARROWICK_BUILD_DIR "/demo.res", "--select",
                       QString::number(demo::demo_model), "--screenshot", shot});
        QVERIFY(program.waitForFinished(60000));
        QVERIFY2(program.exitCode() == 0, program.readAllStandardError().constData());
        // The texture's sun (255, 230, 90), shaded a little by the smooth normals; nothing
        // else in the picture is as yellow.
        const QImage image(shot);
        int sun_pixels = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                sun_pixels += c.red() > 200 && c.green() > 170 && c.blue() < 140;
            }
        QVERIFY2(sun_pixels > 50, qPrintable(QString::number(sun_pixels)));
    }
};

MW_GUI_SUITE("model", ModelViewTest)

}  // namespace mw::test

#include "model_view_test.moc"
