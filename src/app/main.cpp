// marrowick: the desktop program. See app/command_line.h for its options.
#include <QApplication>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "app/command_line.h"
#include "app/marrowick_app.h"

namespace {

std::filesystem::path own_executable(const char* argv0)
{
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) path = std::filesystem::absolute(argv0, ec);
    return path;
}

bool has_display()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    const mw::app::ParsedCommandLine parsed = mw::app::parse_command_line(words);
    if (!parsed.error.empty()) {
        std::cerr << "marrowick: " << parsed.error << '\n' << mw::app::command_line_usage();
        return 2;
    }
    if (parsed.options.help) {
        std::cout << mw::app::command_line_usage();
        return 0;
    }
    const bool screenshot = parsed.options.screenshot.has_value();
    // A screenshot needs no screen: without one it is drawn offscreen.
    if (screenshot && !has_display()) setenv("QT_QPA_PLATFORM", "offscreen", 1);

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marrowick"));
    QApplication::setApplicationVersion(QStringLiteral(MARROWICK_VERSION));

    mw::app::CMarrowickApp app(parsed.options, !screenshot);
    if (!app.start(own_executable(argv[0]))) return 1;
    return screenshot ? app.run_screenshot() : app.run();
}
