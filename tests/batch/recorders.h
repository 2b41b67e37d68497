// Recorders for the batch dialogs' message boxes and the import status window.
#pragma once

#include <string>
#include <vector>

#include "archive/dcl/dcl.h"
#include "batch/dialog_message.h"
#include "batch/script_run.h"
#include "support/res_builder.h"

namespace mw::test {

class RecordingMessenger final : public DialogMessenger {
public:
    void show(const DialogMessage& message) override { shown.push_back(message); }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const DialogMessage& message : shown) out.push_back(message.text);
        return out;
    }
    std::vector<DialogMessage> shown;
};

// Records lines and progress; asks for a stop once `stop_after_checks` check points have passed.
class RecordingStatus final : public ImportStatus {
public:
    void add_line(const std::string& line) override { lines.push_back(line); }
    void set_progress(int position) override { progress.push_back(position); }
    bool stop_requested() override { return ++check_points > stop_after_checks; }

    std::vector<std::string> lines;
    std::vector<int> progress;
    int check_points = 0;
    int stop_after_checks = 1 << 30;
};

// Shorthands over the builder for the batch tests.
inline void add_compound(ResBuilder& builder, std::uint16_t id, const std::vector<Bytes>& items, int dictionary = 4096)
{
    builder.compound_items(id, items, dictionary);
}
inline void add_compressed(ResBuilder& builder, std::uint16_t id, const Bytes& data, int dictionary)
{
    builder.compressed(id, data, dictionary);
}

inline Bytes filled(std::size_t n, std::uint8_t value) { return Bytes(n, value); }

// Bytes that count up from `first`, so that moved or swapped data shows.
inline Bytes counting(std::size_t n, std::uint8_t first)
{
    Bytes out(n);
    for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<std::uint8_t>(first + i * 7);
    return out;
}

}  // namespace mw::test
