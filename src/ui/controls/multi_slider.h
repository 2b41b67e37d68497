// CMultiSlider: a horizontal track with several movable markers, each
// starting an interval drawn in that interval's colour. Dragging a marker
// shows its value in a bubble; dropping it clamps it into the range (or,
// with slider_remove_outside, removes it when dropped outside the control).
// A right click on an interval offers "Color 1", "Color 2", "Color 3".
// Keys: Up/Down pick a marker, Left/Right move it by one step.
// The numbers the slider reports are those of aircraft/multi_slider_math.h.
#pragma once

#include <QColor>
#include <QWidget>

#include <vector>

#include "aircraft/multi_slider_math.h"

class QLabel;
class QMenu;

namespace mw::ui {

struct CMarker {
    float value = 0;
    int colour = 0;  // colour index of the interval the marker starts
};

class CMultiSlider : public QWidget {
    Q_OBJECT
public:
    explicit CMultiSlider(int style, SliderRange range = {}, QWidget* parent = nullptr);

    void set_markers(std::vector<CMarker> markers);
    const std::vector<CMarker>& markers() const { return markers_; }
    // The colours interval colour indices stand for.
    void set_palette(std::vector<QColor> colours);
    int style() const { return style_; }
    SliderRange range() const { return range_; }

    // The track's length in pixels and a marker's x position on it.
    double track_length() const;
    int marker_x(std::size_t marker) const;
    // The interval under `x`: the index of the marker that starts it, or -1.
    int interval_at(int x) const;

    // What a drop and a menu choice do, also reachable without the mouse.
    void drop_marker(std::size_t marker, const QPoint& at);
    void choose_colour(int interval, int command);
    QString bubble() const;

signals:
    // WM_USER+4: (marker index + 10, value × 10000) after a drop,
    // (interval, colour) after a menu choice.
    void notify(int index, int value);
    // WM_NOTIFY code 4: a marker was moved or removed.
    void markers_changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int marker_near(int x) const;
    QColor colour_of(int index) const;

    int style_;
    SliderRange range_;
    std::vector<CMarker> markers_;
    std::vector<QColor> palette_;
    int dragged_ = -1;
    int current_ = 0;  // the marker the keys move
    QLabel* bubble_ = nullptr;
};

}  // namespace mw::ui
