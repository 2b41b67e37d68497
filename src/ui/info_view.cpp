#include "ui/info_view.h"

namespace mw::ui {

CItemInfoEditView::CItemInfoEditView(QWidget* parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

}  // namespace mw::ui
