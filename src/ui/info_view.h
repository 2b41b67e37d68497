// The information view: the selection's information text, read-only but
// selectable and copyable.
#pragma once

#include <QPlainTextEdit>

namespace mw::ui {

class CItemInfoEditView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CItemInfoEditView(QWidget* parent = nullptr);
};

}  // namespace mw::ui
