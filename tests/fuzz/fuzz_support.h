// What every fuzz target shares: messages go nowhere (a hostile input is
// expected to fail loudly, and printing would cost more than parsing), and
// targets that need the workspace get a program folder of their own,
// removed when the process ends.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/workspace/messages.h"
#include "app/workspace/workspace.h"
#include "archive/byte_io.h"

namespace mw::fuzz {

class SilentSink final : public MessageSink {
public:
    void show(MessageKind, const std::string&) override {}
};

inline void silence_messages()
{
    static SilentSink sink;
    Workspace::instance().set_message_sink(&sink);
}

// A fresh program folder (with its temp folder) for this process.
class ScratchWorkspace {
public:
    ScratchWorkspace()
    {
        std::string name = (std::filesystem::temp_directory_path() / "marrowick-fuzz-XXXXXX").string();
        if (!::mkdtemp(name.data())) std::abort();
        folder_ = name;
        silence_messages();
        if (Workspace::instance().setup_in(folder_) != 0) std::abort();
    }
    ~ScratchWorkspace()
    {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    ScratchWorkspace(const ScratchWorkspace&) = delete;
    ScratchWorkspace& operator=(const ScratchWorkspace&) = delete;

    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
};

// The one scratch workspace of the process, made on first use.
inline ScratchWorkspace& scratch_workspace()
{
    static ScratchWorkspace workspace;
    return workspace;
}

inline ByteSpan bytes_of(const std::uint8_t* data, std::size_t size) { return ByteSpan(data, size); }

// A property that fails is a finding: abort, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

}  // namespace mw::fuzz
