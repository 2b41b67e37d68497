#include "ui/qt_messages.h"

#include <QApplication>
#include <QGuiApplication>

#include "ui/file_filter.h"

namespace mw::ui {

namespace {

void show_box(QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    // A box must be readable even while a wait cursor is up.
    const bool busy = QGuiApplication::overrideCursor() != nullptr;
    if (busy) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    QMessageBox box(icon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
    if (busy) QGuiApplication::restoreOverrideCursor();
}

}  // namespace

QMessageBox::Icon qt_icon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::stop: return QMessageBox::Critical;
    case MessageIcon::exclamation: return QMessageBox::Warning;
    case MessageIcon::information: return QMessageBox::Information;
    }
    return QMessageBox::Critical;
}

void QtMessageSink::show(MessageKind kind, const std::string& text)
{
    show_box(kind == MessageKind::error ? QMessageBox::Critical : QMessageBox::Information,
             QString::fromLatin1(message_caption), to_qt(text));
}

void QtDialogMessenger::show(const DialogMessage& message)
{
    show_box(qt_icon(message.icon), to_qt(message.caption), to_qt(message.text));
}

}  // namespace mw::ui
