// The desktop program's start-up: the workspace, the message boxes, the
// main window, the recent files and the command line's archive, selection
// and screenshot.
#pragma once

#include <QObject>

#include <filesystem>
#include <memory>

#include "app/command_line.h"
#include "app/recent_files.h"

namespace mw::ui {
class CMainFrame;
class FileChooser;
}  // namespace mw::ui

namespace mw {
class DialogMessenger;
class MessageSink;
}  // namespace mw

namespace mw::app {

class CMarrowickApp : public QObject {
    Q_OBJECT
public:
    // `interactive`: message boxes; otherwise (screenshot mode) messages go to the console.
    CMarrowickApp(CommandLine options, bool interactive);
    ~CMarrowickApp() override;

    // Sets up the workspace (false when the program cannot start) and builds the main window.
    bool start(const std::filesystem::path& executable);
    // Opens, selects and shows what the command line asks for; false when the archive did not open.
    bool apply_command_line();
    // Writes the main window as PNG; false (after a message) when it cannot be written.
    bool write_screenshot(const std::filesystem::path& file);
    // The event loop, then the workspace is saved.
    int run();
    // The screenshot mode, start to end: its exit code.
    int run_screenshot();

    ui::CMainFrame& window() { return *window_; }

private:
    void archive_opened(const QString& path, bool ok);
    void open_recent(const QString& path);
    std::filesystem::path recent_file() const;

    CommandLine options_;
    bool interactive_;
    std::unique_ptr<MessageSink> sink_;
    std::unique_ptr<DialogMessenger> messenger_;
    std::unique_ptr<ui::FileChooser> chooser_;
    std::unique_ptr<ui::CMainFrame> window_;
    RecentFiles recent_;
    bool shut_down_ = false;
};

}  // namespace mw::app
