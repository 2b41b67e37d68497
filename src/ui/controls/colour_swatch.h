// CustomStatic: a colour swatch. A click opens the plane-palette chooser;
// a chosen colour repaints the swatch and notifies the form with (0, 0).
#pragma once

#include <QColor>
#include <QWidget>

#include <array>
#include <optional>

namespace mw::ui {

class CustomStatic : public QWidget {
    Q_OBJECT
public:
    explicit CustomStatic(QWidget* parent = nullptr);

    QColor colour() const { return colour_; }
    void set_colour(const QColor& colour);
    // What a click's chooser returned: a colour takes effect and notifies;
    // nothing (the chooser was closed) changes nothing.
    void chosen(const std::optional<QColor>& colour);

signals:
    void notify(int index, int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor colour_ = Qt::black;
};

// CColorBar: a vertical colour bar drawn from a settings record of its form:
// six (colour, position) pairs and the values of its two ends. Positions
// are measured from the bottom edge: the bottom end's value lies on it, the
// top end's on the top edge. Pair k fills from its position up to the next
// pair's (the top end after the sixth); a pair at or above the next is empty.
class CColorBar : public QWidget {
    Q_OBJECT
public:
    struct Pair {
        QColor colour;
        float position = 0;
    };
    struct Settings {
        std::array<Pair, 6> pairs;
        float bottom = 0;
        float top = 1;
    };
    explicit CColorBar(QWidget* parent = nullptr);
    void set_settings(const Settings& settings);
    const Settings& settings() const { return settings_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Settings settings_;
};

}  // namespace mw::ui
