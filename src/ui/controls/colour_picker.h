// ColorPicker: one colour cell of the plane-palette chooser. It paints its
// colour; a click reports it, and the chooser closes with it as its result.
#pragma once

#include <QColor>
#include <QWidget>

namespace mw::ui {

class ColorPicker : public QWidget {
    Q_OBJECT
public:
    explicit ColorPicker(const QColor& colour, QWidget* parent = nullptr);
    QColor colour() const { return colour_; }

signals:
    void picked(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor colour_;
};

}  // namespace mw::ui
