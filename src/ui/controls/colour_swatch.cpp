#include "ui/controls/colour_swatch.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

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

CColorBar::CColorBar(QWidget* parent) : QWidget(parent) { setMinimumSize(16, 80); }

void CColorBar::set_settings(const Settings& settings)
{
    settings_ = settings;
    update();
}

void CColorBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const double span = double(settings_.top) - settings_.bottom;
    if (span != 0) {
        // Height above the bottom edge of a value, kept on the bar.
        const auto above_bottom = [&](float value) {
            return std::clamp((value - settings_.bottom) / span, 0.0, 1.0) * height();
        };
        const auto& pairs = settings_.pairs;
        for (std::size_t k = 0; k < pairs.size(); ++k) {
            const double from = above_bottom(pairs[k].position);
            const double to = above_bottom(k + 1 < pairs.size() ? pairs[k + 1].position : settings_.top);
            if (to > from) painter.fillRect(QRectF(0, height() - to, width(), to - from), pairs[k].colour);
        }
    }
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace mw::ui
