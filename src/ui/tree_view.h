// The archive tree: the root (the archive's title), "File %d (%d bytes)"
// for each entry and "Item %d (%d bytes)" for each item of a compound
// entry, with the entry's resource ID, its name and its type beside it. A
// filter box above hides the files that do not match; a node's (file, item)
// is the archive's own numbering whatever is hidden. Keys 1 ... 9, "," and
// "." choose the current palette.
#pragma once

#include <QWidget>

#include <iosfwd>

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace mw {
class ResArchive;
class ResEntry;
class ResIdTable;
}  // namespace mw

namespace mw::ui {

inline constexpr char no_file_loaded[] = "No File Loaded";

enum TreeColumn { column_node = 0, column_id, column_name, column_type, tree_column_count };

// The type column's text: the entry's handler's type name once known; for
// an uncompressed entry, the type its first bytes in `archive_file` show;
// else what the index alone tells ("Palette" for 768 bytes, "Compound").
QString entry_type_text(const ResEntry& entry, std::istream* archive_file = nullptr);

class CResTreeView : public QWidget {
    Q_OBJECT
public:
    explicit CResTreeView(QWidget* parent = nullptr);

    void fill(const ResArchive& archive, const ResIdTable& names);
    // The single node "No File Loaded".
    void clear_tree();
    // Selects the node of (file, item) as a click would; false when there is none.
    bool select_node(int file, int item);
    // The entry-index form: entry e (0-based), item n.
    bool select_entry(int entry, int item) { return select_node(entry + 1, item); }
    // Refreshes the type column of file `file` (its handler may be known now).
    void update_type(int file, const ResEntry& entry);

    void set_filter(const QString& text);
    QString filter() const;

    QTreeWidget* tree() const { return tree_; }
    QLineEdit* filter_box() const { return filter_; }
    // The node of (file, item), or nullptr.
    QTreeWidgetItem* node(int file, int item) const;
    // (file, item) of a node: the root (0, 0); {-1, -1} for "No File Loaded".
    static std::pair<int, int> address(const QTreeWidgetItem* node);

signals:
    void node_selected(int file, int item);
    void palette_key(int n);  // 1 ... 9
    void previous_palette_key();
    void next_palette_key();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void current_changed(QTreeWidgetItem* current);

    QLineEdit* filter_;
    QTreeWidget* tree_;
};

}  // namespace mw::ui
