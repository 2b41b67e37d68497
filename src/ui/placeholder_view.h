// An empty area with a title: what the display shows for kinds whose own
// view is not there (yet), such as a record's form, or cannot be shown, such
// as a 3D model without OpenGL.
#pragma once

#include <QWidget>

namespace mw::ui {

class CPlaceholderView : public QWidget {
    Q_OBJECT
public:
    CPlaceholderView(QString title, QWidget* parent = nullptr);
    const QString& title() const { return title_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
};

}  // namespace mw::ui
