#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "app/workspace/workspace.h"
#include "types/file_type.h"
#include "ui/commands.h"
#include "ui/dialogs/wait_window.h"
#include "ui/display_view.h"
#include "ui/file_filter.h"
#include "ui/info_view.h"
#include "ui/sound_player.h"
#include "ui/tree_view.h"

namespace mw::ui {

CMainFrame::CMainFrame(FileChooser& chooser, DialogMessenger& messages, QWidget* parent)
    : QMainWindow(parent), chooser_(chooser), messages_(messages)
{
    setWindowTitle(QString::fromLatin1(main_title));
    setAcceptDrops(true);
    sound_ = new SoundPlayer(this);
    build_panes();
    doc_ = std::make_unique<CMarrowickDoc>(*this);
    build_menus();
    // "Ready" whenever no command's status text or note is shown.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty()) statusBar()->showMessage(tr("Ready"));
    });
    statusBar()->showMessage(tr("Ready"));
    connect(sound_, &SoundPlayer::note, this, [this](const QString& text) { statusBar()->showMessage(text, 8000); });
    resize(1000, 700);
    update_commands();
}

CMainFrame::~CMainFrame()
{
    // The document talks to the views while it goes; it goes first.
    doc_.reset();
    sound_->stop();
}

void CMainFrame::build_panes()
{
    auto root = std::make_unique<TVisualObject>(pane_frame, "Resource File", 1, 2);
    auto tree = std::make_unique<TVisualObject>(
        pane_tree, 0, 0, [this] { return tree_ = new CResTreeView; }, tree_pane_width, 0);
    auto right = std::make_unique<TVisualObject>(pane_right, 0, 1, 2, 1);
    DisplayServices services{sound_, [this] { focus_tree(); }, [this] { return model_params(); },
                             [this] { return doc_.get(); }, [this](int resource_id) { play_sound_entry(resource_id); }};
    auto display = std::make_unique<TVisualObject>(
        pane_display, 0, 0, [this, services] { return display_ = new CMarrowickView(services); }, 40, 40);
    auto info = std::make_unique<TVisualObject>(
        pane_info, 1, 0, [this] { return info_ = new CItemInfoEditView; }, 40, 40);
    TVisualObject& root_ref = *root;
    TVisualObject& right_ref = *right;
    framework_.add_object(std::move(root));
    framework_.add_object(root_ref, std::move(tree));
    framework_.add_object(root_ref, std::move(right));
    framework_.add_object(right_ref, std::move(display));
    framework_.add_object(right_ref, std::move(info));
    setCentralWidget(framework_.create_windows(this));
    if (QSplitter* frame = framework_.find_splitter(pane_frame)) {
        frame->setStretchFactor(0, 0);
        frame->setStretchFactor(1, 1);
    }
    if (QSplitter* splitter = framework_.find_splitter(pane_right)) {
        splitter->setStretchFactor(0, 1);
        splitter->setStretchFactor(1, 0);
    }

    connect(tree_, &CResTreeView::node_selected, this, [this](int file, int item) {
        doc_->select(file, item);
        update_commands();
    });
    connect(tree_, &CResTreeView::palette_key, this, [this](int n) { doc_->select_palette(n); });
    connect(tree_, &CResTreeView::previous_palette_key, this, [this] { doc_->previous_palette(); });
    connect(tree_, &CResTreeView::next_palette_key, this, [this] { doc_->next_palette(); });
    connect(display_, &CMarrowickView::sound_hidden, this, [this] { sound_->stop(); });
}

ModelLoadParams CMainFrame::model_params()
{
    const ArchiveAnalysis& analysis = doc_->analysis();
    ModelLoadParams params;
    params.variant = analysis.variant;
    params.default_distance = analysis.default_model_distance;
    params.culling = doc_->selected_file() - 1 != analysis.model_entry;
    params.extract_textures = [this](const std::vector<int>& numbers) { doc_->extract_textures(numbers); };
    return params;
}

void CMainFrame::build_menus()
{
    std::map<QString, QMenu*> menus;
    for (const CommandSpec& spec : command_table()) {
        QMenu*& menu = menus[QString::fromLatin1(spec.menu)];
        if (!menu) menu = menuBar()->addMenu(QString::fromLatin1(spec.menu));
        if (spec.separator_before) {
            QAction* separator = menu->addSeparator();
            if (spec.id == cmd_exit) recent_separator_ = separator;
        }
        QAction* action = menu->addAction(QString::fromLatin1(spec.label));
        if (*spec.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(spec.shortcut)));
        action->setStatusTip(QString::fromLatin1(spec.status));
        const int id = spec.id;
        connect(action, &QAction::triggered, this, [this, id] { run_command(id); });
        actions_[id] = action;
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::update_commands, Qt::UniqueConnection);
    }
    file_menu_ = menus[QStringLiteral("&File")];
    actions_[cmd_exit]->setMenuRole(QAction::QuitRole);
    actions_[cmd_open]->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    actions_[cmd_open]->setToolTip(tr("Open"));

    // Ctrl+N opens too, as the tree view handles "New" that way.
    auto* new_action = new QAction(this);
    new_action->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    new_action->setStatusTip(tr("Create a new document"));
    connect(new_action, &QAction::triggered, this, [this] { run_command(cmd_new); });
    addAction(new_action);
    actions_[cmd_new] = new_action;

    QToolBar* tools = addToolBar(tr("Standard"));
    tools->setObjectName(QStringLiteral("standard"));
    tools->setMovable(false);
    tools->addAction(actions_[cmd_open]);
}

QAction* CMainFrame::action(int id) const
{
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::update_commands()
{
    const DisplayState display{display_->kind() != display_nothing || display_->byte_count() > 0,
                               display_->byte_count() > 0};
    for (const auto& [id, action] : actions_) action->setEnabled(command_enabled(id, *doc_, display));
}

void CMainFrame::set_recent_files(const QStringList& paths)
{
    for (QAction* action : recent_actions_) {
        file_menu_->removeAction(action);
        action->deleteLater();
    }
    recent_actions_.clear();
    for (int i = 0; i < paths.size(); ++i) {
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(paths[i]), file_menu_);
        action->setStatusTip(tr("Open this document"));
        const QString path = paths[i];
        connect(action, &QAction::triggered, this, [this, path] { emit recent_file_chosen(path); });
        file_menu_->insertAction(recent_separator_, action);
        recent_actions_.push_back(action);
    }
    if (!paths.isEmpty()) {
        auto* separator = new QAction(file_menu_);
        separator->setSeparator(true);
        file_menu_->insertAction(recent_actions_.front(), separator);
        recent_actions_.push_front(separator);
    }
}

// ---- DocumentViews ----

void CMainFrame::clear_display()
{
    display_->clear_display();
    update_commands();
}

void CMainFrame::show_file(const DisplayRequest& request)
{
    display_->show_file(request);
    if (const ResEntry* entry = doc_ ? doc_->selected_entry() : nullptr) tree_->update_type(doc_->selected_file(), *entry);
    update_commands();
}

void CMainFrame::set_info_text(const std::string& text) { info_->setPlainText(to_qt(text)); }

void CMainFrame::set_title(const std::string& title) { setWindowTitle(to_qt(title)); }

void CMainFrame::fill_tree()
{
    tree_->fill(doc_->archive(), Workspace::instance().resid_names());
    update_commands();
}

void CMainFrame::clear_tree()
{
    tree_->clear_tree();
    update_commands();
}

void CMainFrame::select_node(int file, int item) { tree_->select_node(file, item); }

void CMainFrame::begin_wait(bool with_window)
{
    ++wait_depth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (with_window) {
        if (!wait_window_) wait_window_ = new CWaitWindow(this);
        wait_window_->show_now();
    }
}

void CMainFrame::end_wait()
{
    if (wait_depth_ == 0) return;
    QApplication::restoreOverrideCursor();
    if (--wait_depth_ == 0 && wait_window_) wait_window_->hide();
}

void CMainFrame::stop_sound() { sound_->stop(); }

// ---- layout, focus, drops ----

void CMainFrame::focus_tree()
{
    if (QWidget* tree = framework_.find_window(pane_tree)) tree->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::keep_info_height()
{
    QSplitter* splitter = framework_.find_splitter(pane_right);
    if (!splitter) return;
    const int total = splitter->height() - splitter->handleWidth();
    if (total > info_pane_height) splitter->setSizes({total - info_pane_height, info_pane_height});
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    // The layout has given the panes their new sizes before this runs.
    QMainWindow::resizeEvent(event);
    keep_info_height();
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (laid_out_) return;
    laid_out_ = true;
    // The panes' first sizes, once the window has its own.
    if (QSplitter* frame = framework_.find_splitter(pane_frame)) {
        const int total = frame->width() - frame->handleWidth();
        if (total > tree_pane_width) frame->setSizes({tree_pane_width, total - tree_pane_width});
    }
    keep_info_height();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.front().isLocalFile()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    if (open_dropped(*event->mimeData())) event->acceptProposedAction();
}

bool CMainFrame::open_dropped(const QMimeData& data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.isEmpty() || !urls.front().isLocalFile()) return false;
    open_archive(to_path(urls.front().toLocalFile()));
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    sound_->stop();
    QMainWindow::closeEvent(event);
}

bool CMainFrame::open_archive(const std::filesystem::path& path)
{
    stop_sound();
    const bool ok = doc_->open_archive(path) == 0;
    update_commands();
    emit archive_opened(to_qt(path), ok);
    return ok;
}

void CMainFrame::play_sound_entry(int resource_id)
{
    ResArchive& archive = doc_->archive();
    const int index = archive.find(std::uint32_t(resource_id));
    if (index < 0) return;
    if (archive.extract(index, 0, {}, ResEntry::to_temp, true) != 0) return;
    sound_->play(archive.entry(index)->converted_path);
}

}  // namespace mw::ui
