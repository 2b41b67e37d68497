#include "ui/controls/colour_picker.h"

#include <QMouseEvent>
#include <QPainter>

namespace mw::ui {

ColorPicker::ColorPicker(const QColor& colour, QWidget* parent) : QWidget(parent), colour_(colour)
{
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("%1, %2, %3").arg(colour.red()).arg(colour.green()).arg(colour.blue()));
}

void ColorPicker::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
}

void ColorPicker::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    emit picked(colour_);
}

}  // namespace mw::ui
