#include "ui/controls/colour_swatch.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/plane_palette_dialog.h"

namespace mw::ui {

CustomStatic::CustomStatic(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(40, 20);
    setCursor(Qt::PointingHandCursor);
}

void CustomStatic::set_colour(const QColor& colour)
{
    colour_ = colour;
    update();
}

void CustomStatic::chosen(const std::optional<QColor>& colour)
{
    if (!colour) return;
    set_colour(*colour);
    emit notify(0, 0);
}

void CustomStatic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CustomStatic::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    CPlanePal chooser(this);
    chooser.exec();
    chosen(chooser.result());
}

CColorBar::CColorBar(QWidget* parent) : QWidget(parent) { setMinimumSize(160, 14); }

void CColorBar::set_bands(std::vector<Band> bands)
{
    bands_ = std::move(bands);
    update();
}

void CColorBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const double w = width();
    for (const Band& band : bands_) {
        const int from = int(band.from * w);
        const int to = int(band.to * w);
        painter.fillRect(QRect(from, 0, std::max(1, to - from), height()), band.colour);
    }
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace mw::ui
