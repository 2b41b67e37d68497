// A message sink that records every message, for tests that assert exact texts.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/workspace/messages.h"

namespace mw::test {

class RecordingSink final : public MessageSink {
public:
    void show(MessageKind kind, const std::string& text) override { shown.emplace_back(kind, text); }

    std::vector<std::string> errors() const { return texts(MessageKind::error); }
    std::vector<std::string> infos() const { return texts(MessageKind::information); }
    std::vector<std::string> all() const
    {
        std::vector<std::string> out;
        for (const auto& [kind, text] : shown) out.push_back(text);
        return out;
    }
    void clear() { shown.clear(); }

    std::vector<std::pair<MessageKind, std::string>> shown;

private:
    std::vector<std::string> texts(MessageKind wanted) const
    {
        std::vector<std::string> out;
        for (const auto& [kind, text] : shown)
            if (kind == wanted) out.push_back(text);
        return out;
    }
};

}  // namespace mw::test
