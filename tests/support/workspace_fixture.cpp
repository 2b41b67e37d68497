#include "support/workspace_fixture.h"

#include <fstream>
#include <sstream>

#include "archive/file_io.h"

namespace mw::test {

void WorkspaceFixture::SetUp()
{
    Workspace& ws = Workspace::instance();
    ws.reset();
    ws.set_message_sink(&sink_);
    // A program folder with an empty configuration, so setup reports nothing.
    write_text(home_.path() / "config.cfg", "LastOpenDir -\r\nLastExportDir -\r\nLastImportDir -\r\nPaletteFormat 0\r\nTexturesBGR 0\r\n");
    write_text(home_.path() / "resid.def", "Palette 1 99\nTexture 1971 1971\n");
    ASSERT_EQ(ws.setup_in(home_.path()), 0);
    sink_.clear();
}

void WorkspaceFixture::TearDown()
{
    Workspace::instance().set_message_sink(nullptr);
    Workspace::instance().reset();
}

Bytes read_bytes(const std::filesystem::path& path)
{
    auto data = read_file(path);
    EXPECT_TRUE(data.has_value()) << "cannot read " << path;
    return data.value_or(Bytes{});
}

void write_bytes(const std::filesystem::path& path, ByteSpan data)
{
    ASSERT_TRUE(write_file(path, data)) << "cannot write " << path;
}

std::string read_text(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(static_cast<bool>(in)) << "cannot read " << path;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void write_text(const std::filesystem::path& path, const std::string& text)
{
    ASSERT_TRUE(write_text_file(path, text)) << "cannot write " << path;
}

std::filesystem::path testdata(const std::string& relative)
{
    const auto path = std::filesystem::path(MARROWICK_TESTDATA_DIR) / relative;
    // Missing data must fail the test, never let it pass on nothing.
    if (!std::filesystem::exists(path)) ADD_FAILURE() << "test data missing: " << path.string();
    return path;
}

}  // namespace mw::test
