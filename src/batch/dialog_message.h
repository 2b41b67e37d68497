// The message boxes of the batch dialogs and the import run: text, caption
// and icon. The GUI shows them as boxes with their captions; the command
// line and tests see them through the workspace's message sink.
#pragma once

#include <string>

namespace mw {

enum class MessageIcon { stop, exclamation, information };

struct DialogMessage {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::stop;

    bool operator==(const DialogMessage&) const = default;
};

class DialogMessenger {
public:
    virtual ~DialogMessenger() = default;
    virtual void show(const DialogMessage& message) = 0;
};

// Passes the text to the workspace's message sink: an information box as
// information, every other box as an error. Holds no state.
class SinkMessenger final : public DialogMessenger {
public:
    void show(const DialogMessage& message) override;
};

// The messenger used when a caller names none.
DialogMessenger& sink_messenger();

}  // namespace mw
