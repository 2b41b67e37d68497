// Reporting failures and information to the user.
//
// A failure is reported once, where it happens, with its exact text; the
// caller then passes -1 on without a further message. Where the text goes
// (a message box, stderr, a test's recorder) is the sink's business.
#pragma once

#include <string>
#include <string_view>

namespace mw {

enum class MessageKind { error, information };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(MessageKind kind, const std::string& text) = 0;
};

// Writes errors to stderr and information to stdout, one line each.
class ConsoleMessageSink final : public MessageSink {
public:
    void show(MessageKind kind, const std::string& text) override;
};

// Shows an error through the workspace's sink and returns -1, so that a
// failing operation can end with `return report_error("...");`.
int report_error(const std::string& text);

// Shows an information message ("Import Completed").
void report_info(const std::string& text);

// "Error#" + number + ": " + description.
std::string error_text(int number, std::string_view description);

// Shows error_text(number, description) and returns -1.
int report_error(int number, std::string_view description);

}  // namespace mw
