#include "ui/forms/form_parts.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace mw::ui {

QLabel* form_title(const QString& text)
{
    auto* title = new QLabel(text);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    return title;
}

QWidget* scrolled_page(QWidget* form)
{
    auto* outer = new QVBoxLayout(form);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll);
    auto* page = new QWidget;
    scroll->setWidget(page);
    return page;
}

}  // namespace mw::ui
