// CustomStatic: a colour swatch. A click opens the plane-palette chooser;
// a chosen colour repaints the swatch and notifies the form with (0, 0).
#pragma once

#include <QColor>
#include <QWidget>

#include <optional>
#include <vector>

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

// CColorBar: coloured bands along its length, each from one position to the
// next (0 to 1 of the bar), as the prop editor's stripes.
class CColorBar : public QWidget {
    Q_OBJECT
public:
    struct Band {
        float from = 0;
        float to = 1;
        QColor colour;
    };
    explicit CColorBar(QWidget* parent = nullptr);
    void set_bands(std::vector<Band> bands);
    const std::vector<Band>& bands() const { return bands_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<Band> bands_;
};

}  // namespace mw::ui
