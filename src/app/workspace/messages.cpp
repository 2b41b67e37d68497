#include "app/workspace/messages.h"

#include <iostream>

#include "app/workspace/workspace.h"

namespace mw {

void ConsoleMessageSink::show(MessageKind kind, const std::string& text)
{
    std::ostream& out = kind == MessageKind::error ? std::cerr : std::cout;
    out << text << '\n' << std::flush;
}

int report_error(const std::string& text)
{
    Workspace::instance().messages().show(MessageKind::error, text);
    return -1;
}

void report_info(const std::string& text)
{
    Workspace::instance().messages().show(MessageKind::information, text);
}

std::string error_text(int number, std::string_view description)
{
    return "Error#" + std::to_string(number) + ": " + std::string(description);
}

int report_error(int number, std::string_view description)
{
    return report_error(error_text(number, description));
}

}  // namespace mw
