#include "ui/tree_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <fstream>

#include "archive/res_archive.h"
#include "archive/resid_table.h"
#include "archive/tree_text.h"
#include "types/palette_formats.h"
#include "types/type_detection.h"
#include "ui/file_filter.h"

namespace mw::ui {

namespace {

constexpr int file_role = Qt::UserRole;
constexpr int item_role = Qt::UserRole + 1;

QTreeWidgetItem* make_node(const QString& text, int file, int item)
{
    auto* node = new QTreeWidgetItem(QStringList{text});
    node->setData(column_node, file_role, file);
    node->setData(column_node, item_role, item);
    return node;
}

}  // namespace

QString entry_type_text(const ResEntry& entry, std::istream* archive_file)
{
    if (entry.type_handler) return to_qt(entry.type_handler->type_name());
    if (archive_file && !entry.is_compressed() && !entry.damaged) {
        std::uint8_t head[8] = {};
        archive_file->clear();
        archive_file->seekg(std::streamoff(entry.data_offset));
        archive_file->read(reinterpret_cast<char*>(head), std::min<std::streamsize>(sizeof head, entry.stored_length));
        const auto got = std::size_t(std::max<std::streamsize>(0, archive_file->gcount()));
        if (const auto handler = create_file_type(type_from_head(std::span(head, got), entry.uncompressed_length)))
            return to_qt(handler->type_name());
    }
    if (entry.uncompressed_length == palette_entry_size) return QStringLiteral("Palette");
    if (entry.is_compound()) return QStringLiteral("Compound");
    return {};
}

CResTreeView::CResTreeView(QWidget* parent) : QWidget(parent)
{
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("filter"));
    filter_->setPlaceholderText(tr("Filter: number, ID, name or type"));
    filter_->setClearButtonEnabled(true);
    tree_ = new QTreeWidget(this);
    tree_->setColumnCount(tree_column_count);
    tree_->setHeaderLabels({tr("Node"), tr("ID"), tr("Name"), tr("Type")});
    tree_->header()->setStretchLastSection(false);
    tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree_->setRootIsDecorated(true);
    tree_->setUniformRowHeights(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setDragDropMode(QAbstractItemView::NoDragDrop);
    tree_->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(filter_);
    layout->addWidget(tree_);
    setFocusProxy(tree_);

    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { current_changed(current); });
    connect(filter_, &QLineEdit::textChanged, this, &CResTreeView::set_filter);
    clear_tree();
}

std::pair<int, int> CResTreeView::address(const QTreeWidgetItem* node)
{
    if (!node || !node->data(column_node, file_role).isValid()) return {-1, -1};
    return {node->data(column_node, file_role).toInt(), node->data(column_node, item_role).toInt()};
}

void CResTreeView::clear_tree()
{
    const QSignalBlocker block(tree_);
    tree_->clear();
    tree_->addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromLatin1(no_file_loaded)}));
}

void CResTreeView::fill(const ResArchive& archive, const ResIdTable& names)
{
    const QSignalBlocker block(tree_);
    tree_->clear();
    QTreeWidgetItem* root = make_node(to_qt(archive.title()), 0, 0);
    tree_->addTopLevelItem(root);
    // A stream of its own, so the archive's stream is left where it was.
    std::ifstream archive_file(archive.path(), std::ios::binary);
    QList<QTreeWidgetItem*> files;
    for (const ResEntry& entry : archive.entries()) {
        const int file = entry.entry_index + 1;
        QTreeWidgetItem* node = make_node(to_qt(file_node_text(entry)), file, 0);
        node->setText(column_id, QString::number(entry.resource_id));
        node->setText(column_name, to_qt(names.name_of(entry.resource_id)));
        node->setText(column_type, entry_type_text(entry, archive_file ? &archive_file : nullptr));
        node->setTextAlignment(column_id, Qt::AlignRight | Qt::AlignVCenter);
        for (int k = 1; k <= entry.item_count; ++k) node->addChild(make_node(to_qt(item_node_text(entry, k)), file, k));
        files.push_back(node);
    }
    root->addChildren(files);
    root->setExpanded(true);
    set_filter(filter_->text());
}

QTreeWidgetItem* CResTreeView::node(int file, int item) const
{
    QTreeWidgetItem* root = tree_->topLevelItem(0);
    if (!root || address(root).first != 0) return nullptr;
    if (file == 0) return item == 0 ? root : nullptr;
    // Nodes are in index order, so file F is the root's F-th child.
    QTreeWidgetItem* file_node = file >= 1 && file <= root->childCount() ? root->child(file - 1) : nullptr;
    if (!file_node || item == 0) return file_node;
    return item >= 1 && item <= file_node->childCount() ? file_node->child(item - 1) : nullptr;
}

bool CResTreeView::select_node(int file, int item)
{
    QTreeWidgetItem* target = node(file, item);
    if (!target) return false;
    // A hidden node cannot be shown selected: the filter gives way.
    QTreeWidgetItem* file_node = item > 0 ? target->parent() : target;
    if (file_node->isHidden()) filter_->clear();
    tree_->scrollToItem(target, QAbstractItemView::PositionAtTop);
    if (tree_->currentItem() == target)
        current_changed(target);
    else
        tree_->setCurrentItem(target);
    return true;
}

void CResTreeView::update_type(int file, const ResEntry& entry)
{
    if (QTreeWidgetItem* file_node = file >= 1 ? node(file, 0) : nullptr)
        file_node->setText(column_type, entry_type_text(entry));
}

QString CResTreeView::filter() const { return filter_->text(); }

void CResTreeView::set_filter(const QString& text)
{
    if (filter_->text() != text) {
        filter_->setText(text);  // comes back here through textChanged
        return;
    }
    QTreeWidgetItem* root = tree_->topLevelItem(0);
    if (!root) return;
    const QString wanted = text.trimmed();
    for (int i = 0; i < root->childCount(); ++i) {
        QTreeWidgetItem* file_node = root->child(i);
        const bool match = wanted.isEmpty() ||
                           QString::number(address(file_node).first).contains(wanted, Qt::CaseInsensitive) ||
                           file_node->text(column_id).contains(wanted, Qt::CaseInsensitive) ||
                           file_node->text(column_name).contains(wanted, Qt::CaseInsensitive) ||
                           file_node->text(column_type).contains(wanted, Qt::CaseInsensitive);
        file_node->setHidden(!match);
    }
}

void CResTreeView::current_changed(QTreeWidgetItem* current)
{
    const auto [file, item] = address(current);
    if (file < 0) return;  // "No File Loaded"
    emit node_selected(file, item);
}

bool CResTreeView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tree_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return QWidget::eventFilter(watched, event);
        if (key->key() >= Qt::Key_1 && key->key() <= Qt::Key_9) {
            emit palette_key(key->key() - Qt::Key_0);
            return true;
        }
        if (key->key() == Qt::Key_Comma) {
            emit previous_palette_key();
            return true;
        }
        if (key->key() == Qt::Key_Period) {
            emit next_palette_key();
            return true;
        }
        if (key->key() == Qt::Key_0) return true;  // no palette 0
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace mw::ui
