// Any bytes as a ".mws" import script. The entries a script gives are
// listed once each, with positive file numbers, items from 0 and a name;
// written and read back the list is the same.
#include <sstream>

#include "batch/script_file.h"
#include "fuzz_support.h"

namespace {

class SilentMessenger final : public mw::DialogMessenger {
public:
    void show(const mw::DialogMessage&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static mw::fuzz::ScratchWorkspace& workspace = mw::fuzz::scratch_workspace();
    static SilentMessenger messages;
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    mw::ScriptList list;
    const int read = mw::read_script(text, list, messages);
    for (const mw::ScriptEntry& entry : list.entries()) {
        FUZZ_CHECK(entry.file >= 1 && entry.item >= 0 && !entry.name.empty());
        FUZZ_CHECK(entry.name.size() <= mw::script_name_limit);
        FUZZ_CHECK(list.contains(entry.file, entry.item));
    }
    if (read != 0 || list.empty()) return 0;

    const std::filesystem::path file = workspace.folder() / "fuzz.mws";
    FUZZ_CHECK(mw::write_script(file, list, messages) == 0);
    mw::ScriptList again;
    FUZZ_CHECK(mw::read_script(file, again, messages) == 0);
    FUZZ_CHECK(again.entries() == list.entries());
    return 0;
}
