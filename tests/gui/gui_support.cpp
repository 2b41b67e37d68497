#include "gui_support.h"

#include <fstream>

namespace mw::test {

GuiWorkspace::GuiWorkspace()
{
    Workspace& ws = Workspace::instance();
    ws.reset();
    ws.set_message_sink(&sink);
    std::ofstream(home() / "config.cfg", std::ios::binary)
        << "LastOpenDir -\r\nLastExportDir -\r\nLastImportDir -\r\nPaletteFormat 0\r\nTexturesBGR 0\r\n";
    std::ofstream(home() / "resid.def", std::ios::binary) << "Palette 2059 2060\nTextures 1971 1971\nThings 300 300\n";
    (void)ws.setup_in(home());
    sink.clear();
}

GuiWorkspace::~GuiWorkspace()
{
    Workspace::instance().set_message_sink(nullptr);
    Workspace::instance().reset();
}

fs::path GuiWorkspace::write_archive(const ResBuilder& builder, const std::string& name) const
{
    const fs::path path = file(name);
    builder.write(path);
    return path;
}

Bytes ramp_palette()
{
    Bytes out;
    for (int k = 0; k < 256; ++k) out.insert(out.end(), {std::uint8_t(k), std::uint8_t(255 - k), std::uint8_t(k / 2)});
    return out;
}

Bytes image_item(int width, int height)
{
    Bytes out(16, 0);
    out[4] = 2;
    put_u16(&out[8], std::uint32_t(width));
    put_u16(&out[10], std::uint32_t(height));
    put_u16(&out[12], std::uint32_t(width));
    int lw = 0, lh = 0;
    while ((2 << lw) <= width) ++lw;
    while ((2 << lh) <= height) ++lh;
    out[14] = std::uint8_t(lw);
    out[15] = std::uint8_t(lh);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) out.push_back(std::uint8_t(x + y));
    return out;
}

std::map<std::string, SuiteFactory>& suites()
{
    static std::map<std::string, SuiteFactory> all;
    return all;
}

}  // namespace mw::test
