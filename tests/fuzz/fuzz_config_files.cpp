// Any bytes as "config.cfg" and as "resid.def". The settings read are
// saved and read back unchanged; the names read are whole triples.
#include <fstream>
#include <sstream>

#include "archive/resid_table.h"
#include "fuzz_support.h"

namespace {

struct Settings {
    std::string open_dir, export_dir, import_dir;
    int palette_format = 0;
    int textures_bgr = 0;
    bool operator==(const Settings&) const = default;
};

Settings settings_of(const mw::Workspace& w)
{
    return {w.last_open_dir(), w.last_export_dir(), w.last_import_dir(), w.palette_format(), w.textures_bgr()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static mw::fuzz::ScratchWorkspace& scratch = mw::fuzz::scratch_workspace();
    (void)scratch;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    mw::Workspace& workspace = mw::Workspace::instance();

    // Lines the input lacks keep the values held: start from the same ones each run.
    std::istringstream defaults("LastOpenDir -\nLastExportDir -\nLastImportDir -\nPaletteFormat 0\nTexturesBGR 0\n");
    workspace.load_config(defaults);
    std::istringstream config(bytes);
    workspace.load_config(config);
    FUZZ_CHECK(workspace.palette_format() == 0 || workspace.palette_format() == 1);
    FUZZ_CHECK(workspace.textures_bgr() == 0 || workspace.textures_bgr() == 1);
    const Settings loaded = settings_of(workspace);
    workspace.save_config();
    workspace.load_config();
    FUZZ_CHECK(settings_of(workspace) == loaded);

    std::istringstream resid(bytes);
    mw::ResIdTable table;
    table.read(resid);
    for (const mw::ResIdTable::Range& range : table.ranges()) {
        FUZZ_CHECK(!range.name.empty());
        if (range.low <= range.high) FUZZ_CHECK(table.name_of(range.low) != "" || range.name.empty());
    }
    return 0;
}
