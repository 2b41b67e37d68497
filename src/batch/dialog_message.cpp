#include "batch/dialog_message.h"

#include "app/workspace/messages.h"

namespace mw {

void SinkMessenger::show(const DialogMessage& message)
{
    if (message.icon == MessageIcon::information)
        report_info(message.text);
    else
        report_error(message.text);
}

DialogMessenger& sink_messenger()
{
    static SinkMessenger messenger;
    return messenger;
}

}  // namespace mw
