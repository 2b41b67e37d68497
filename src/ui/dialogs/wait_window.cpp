#include "ui/dialogs/wait_window.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace mw::ui {

CWaitWindow::CWaitWindow(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("Marrowick"));
    setModal(false);
    auto* label = new QLabel(QString::fromLatin1(wait_text), this);
    label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(label);
}

void CWaitWindow::show_now()
{
    show();
    raise();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace mw::ui
