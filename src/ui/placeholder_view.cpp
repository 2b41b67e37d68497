#include "ui/placeholder_view.h"

#include <QPainter>

namespace mw::ui {

CPlaceholderView::CPlaceholderView(QString title, QWidget* parent) : QWidget(parent), title_(std::move(title))
{
    setObjectName(QStringLiteral("placeholder"));
}

void CPlaceholderView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, title_);
}

}  // namespace mw::ui
