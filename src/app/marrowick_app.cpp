#include "app/marrowick_app.h"

#include <QApplication>
#include <QPixmap>

#include <iostream>
#include <system_error>

#include "app/workspace/workspace.h"
#include "batch/dialog_message.h"
#include "ui/commands.h"
#include "ui/file_filter.h"
#include "ui/main_window.h"
#include "ui/qt_messages.h"

namespace mw::app {

CMarrowickApp::CMarrowickApp(CommandLine options, bool interactive)
    : options_(std::move(options)), interactive_(interactive)
{
}

CMarrowickApp::~CMarrowickApp()
{
    window_.reset();
    Workspace& workspace = Workspace::instance();
    if (!shut_down_ && !workspace.program_folder().empty()) {
        workspace.remove_temp_folder();
        workspace.save_config();
    }
    workspace.set_message_sink(nullptr);
}

bool CMarrowickApp::start(const std::filesystem::path& executable)
{
    Workspace& workspace = Workspace::instance();
    if (interactive_) {
        sink_ = std::make_unique<ui::QtMessageSink>();
        messenger_ = std::make_unique<ui::QtDialogMessenger>();
        workspace.set_message_sink(sink_.get());
    } else {
        messenger_ = std::make_unique<SinkMessenger>();
    }
    std::optional<std::filesystem::path> home;
    if (options_.home) home = *options_.home;
    if (workspace.setup(WorkspaceLocation::for_program(executable, home)) != 0) {
        shut_down_ = true;
        return false;
    }
    chooser_ = std::make_unique<ui::QtFileChooser>();
    window_ = std::make_unique<ui::CMainFrame>(*chooser_, *messenger_);
    recent_.load(recent_file());
    QStringList paths;
    for (const std::string& path : recent_.paths()) paths << ui::to_qt(path);
    window_->set_recent_files(paths);
    connect(window_.get(), &ui::CMainFrame::archive_opened, this, &CMarrowickApp::archive_opened);
    connect(window_.get(), &ui::CMainFrame::recent_file_chosen, this, &CMarrowickApp::open_recent);
    if (options_.size) window_->resize(options_.size->first, options_.size->second);
    return true;
}

std::filesystem::path CMarrowickApp::recent_file() const
{
    return Workspace::instance().program_file(recent_files_name);
}

void CMarrowickApp::archive_opened(const QString& path, bool ok)
{
    std::error_code ec;
    const std::filesystem::path given = ui::to_path(path);
    const std::filesystem::path full = std::filesystem::absolute(given, ec);
    const std::string absolute = (ec ? given : full).string();  // "" cannot be made absolute
    if (ok)
        recent_.add(absolute);
    else
        recent_.remove(absolute);
    if (!interactive_) return;  // a screenshot leaves the user's list alone
    (void)recent_.save(recent_file());
    QStringList paths;
    for (const std::string& p : recent_.paths()) paths << ui::to_qt(p);
    window_->set_recent_files(paths);
}

void CMarrowickApp::open_recent(const QString& path) { window_->open_archive(ui::to_path(path)); }

bool CMarrowickApp::apply_command_line()
{
    window_->show();
    QApplication::processEvents();
    bool ok = true;
    if (options_.archive) ok = window_->open_archive(*options_.archive);
    if (ok && options_.select) window_->select_node(options_.select->first, options_.select->second);
    if (ok && options_.view) window_->run_command(*options_.view == "hex" ? ui::cmd_as_hex : ui::cmd_as_file_type);
    QApplication::processEvents();
    return ok;
}

bool CMarrowickApp::write_screenshot(const std::filesystem::path& file)
{
    QApplication::processEvents();
    const QPixmap shot = window_->grab();
    if (shot.isNull() || !shot.save(ui::to_qt(file), "PNG")) {
        report_error("Error: the screenshot " + file.string() + " could not be written");
        return false;
    }
    return true;
}

int CMarrowickApp::run()
{
    apply_command_line();
    const int result = QApplication::exec();
    return result;
}

int CMarrowickApp::run_screenshot()
{
    const bool opened = apply_command_line();
    if (!write_screenshot(*options_.screenshot)) return 1;
    return opened ? 0 : 1;
}

}  // namespace mw::app
