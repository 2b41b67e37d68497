// Messages as message boxes: the core's failures and information (the
// workspace's sink) and the dialogs' boxes with their own captions.
#pragma once

#include <QMessageBox>

#include "app/workspace/messages.h"
#include "batch/dialog_message.h"

namespace mw::ui {

inline constexpr char message_caption[] = "Marrowick";

QMessageBox::Icon qt_icon(MessageIcon icon);

class QtMessageSink final : public MessageSink {
public:
    void show(MessageKind kind, const std::string& text) override;
};

class QtDialogMessenger final : public DialogMessenger {
public:
    void show(const DialogMessage& message) override;
};

}  // namespace mw::ui
