// The main window: tool bar, status bar, menus, the panes (tree, display,
// information) and the document, whose views it implements. Commands ask
// the user through the file chooser and the dialogs, then hand the choice
// to the document.
#pragma once

#include <QMainWindow>

#include <filesystem>
#include <map>
#include <memory>

#include "batch/dialog_message.h"
#include "document/marrowick_doc.h"
#include "ui/display_factory.h"
#include "ui/pane_framework.h"

class QAction;
class QMimeData;
class QMenu;
class QSplitter;

namespace mw::ui {

class CItemInfoEditView;
class CMarrowickView;
class CResTreeView;
class CWaitWindow;
class FileChooser;
class SoundPlayer;

// Pane numbers of the layout.
enum PaneId : int { pane_frame = 1, pane_tree = 2, pane_right = 3, pane_display = 4, pane_info = 5 };
inline constexpr int tree_pane_width = 180;
inline constexpr int info_pane_height = 156;

class CMainFrame : public QMainWindow, public DocumentViews {
    Q_OBJECT
public:
    CMainFrame(FileChooser& chooser, DialogMessenger& messages, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // DocumentViews
    void clear_display() override;
    void show_file(const DisplayRequest& request) override;
    void set_info_text(const std::string& text) override;
    void set_title(const std::string& title) override;
    void fill_tree() override;
    void clear_tree() override;
    void select_node(int file, int item) override;
    void begin_wait(bool with_window) override;
    void end_wait() override;
    void stop_sound() override;

    // File > Open with a chosen path (also a dropped file, a recent file, the command line).
    bool open_archive(const std::filesystem::path& path);
    // A file dropped on the window: the first local file is opened as an archive.
    bool open_dropped(const QMimeData& data);
    // Runs a menu command as the menu would (nothing when it is disabled).
    void run_command(int id);
    // Plays the sound entry with `resource_id`, converted, as the sound
    // definition forms ask.
    void play_sound_entry(int resource_id);

    // The recent files shown in the File menu (most recent first).
    void set_recent_files(const QStringList& paths);

    CMarrowickDoc& document() { return *doc_; }
    const TVisualFramework& framework() const { return framework_; }
    CResTreeView* tree_view() const { return tree_; }
    CMarrowickView* display_view() const { return display_; }
    CItemInfoEditView* info_view() const { return info_; }
    QAction* action(int id) const;
    SoundPlayer& sound() { return *sound_; }
    bool waiting() const { return wait_depth_ > 0; }
    CWaitWindow* wait_window() const { return wait_window_; }

    // Brings every command's enabled state up to date.
    void update_commands();

signals:
    // An archive was chosen and opened (or not).
    void archive_opened(const QString& path, bool ok);
    void recent_file_chosen(const QString& path);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void build_panes();
    // What a model load takes from the document.
    ModelLoadParams model_params();
    void build_menus();
    void keep_info_height();
    void focus_tree();

    // Commands (main_window_commands.cpp).
    void command_open();
    void command_export(bool converted);
    void command_import_single();
    void command_import_with_header();
    void command_import_flight_model();
    void command_export_multiple();
    void command_import_script();
    void command_export_options();
    void command_about();

    FileChooser& chooser_;
    DialogMessenger& messages_;
    TVisualFramework framework_;
    CResTreeView* tree_ = nullptr;
    CMarrowickView* display_ = nullptr;
    CItemInfoEditView* info_ = nullptr;
    SoundPlayer* sound_ = nullptr;
    CWaitWindow* wait_window_ = nullptr;
    QMenu* file_menu_ = nullptr;
    QAction* recent_separator_ = nullptr;
    QList<QAction*> recent_actions_;
    std::map<int, QAction*> actions_;
    int wait_depth_ = 0;
    bool laid_out_ = false;
    std::unique_ptr<CMarrowickDoc> doc_;
};

}  // namespace mw::ui
