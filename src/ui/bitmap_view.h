// A bitmap at (0, 0): at its own size, or stretched to 640 × 480 when it
// is wider than 640 or taller than 480 (sizes read from the file's
// information header at byte 18).
#pragma once

#include <QImage>
#include <QWidget>

#include <filesystem>

namespace mw::ui {

inline constexpr int bitmap_max_width = 640;
inline constexpr int bitmap_max_height = 480;

// The size a bitmap of width × height is shown at.
QSize bitmap_display_size(int width, int height);

class CBitmapView : public QWidget {
    Q_OBJECT
public:
    explicit CBitmapView(QWidget* parent = nullptr);

    // "Error#350: Error Loading Bitmap" when the file is no bitmap; false then.
    bool load(const std::filesystem::path& file);
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

}  // namespace mw::ui
