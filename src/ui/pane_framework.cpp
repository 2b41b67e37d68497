#include "ui/pane_framework.h"

#include <QSplitter>

namespace mw::ui {

TVisualObject::TVisualObject(int id, std::string title, int rows, int columns)
    : kind_(top_splitter), id_(id), title_(std::move(title)), rows_(rows), columns_(columns)
{
}

TVisualObject::TVisualObject(int id, int row, int column, ViewMaker make, int width, int height)
    : kind_(view), id_(id), row_(row), column_(column), make_(std::move(make)), width_(width), height_(height)
{
}

TVisualObject::TVisualObject(int id, int row, int column, int rows, int columns)
    : kind_(inner_splitter), id_(id), rows_(rows), columns_(columns), row_(row), column_(column)
{
}

bool TVisualObject::create(QWidget* parent_widget)
{
    if (kind_ == view) {
        QWidget* widget = make_ ? make_() : nullptr;
        if (!widget) return false;
        window_ = widget;
        return true;
    }
    if (rows_ < 1 || columns_ < 1) return false;
    // A grid of rows × columns: rows stacked in a vertical splitter, each row
    // a horizontal splitter; a single row or column needs only one splitter.
    QSplitter* outer = new QSplitter(rows_ == 1 ? Qt::Horizontal : Qt::Vertical, parent_widget);
    outer->setChildrenCollapsible(false);
    if (!title_.empty()) outer->setWindowTitle(QString::fromStdString(title_));
    window_ = outer;
    row_splitters_.clear();
    if (rows_ > 1 && columns_ > 1) {
        for (int r = 0; r < rows_; ++r) {
            auto* row = new QSplitter(Qt::Horizontal, outer);
            row->setChildrenCollapsible(false);
            row_splitters_.push_back(row);
        }
    }
    // Children in cell order, so a cell's place in the splitter is its index.
    std::vector<TVisualObject*> cells(std::size_t(rows_ * columns_), nullptr);
    for (const auto& child : children_) {
        if (child->row_ < 0 || child->row_ >= rows_ || child->column_ < 0 || child->column_ >= columns_) return false;
        TVisualObject*& cell = cells[std::size_t(child->row_ * columns_ + child->column_)];
        if (cell) return false;
        cell = child.get();
    }
    QList<int> sizes;
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < columns_; ++c) {
            TVisualObject* child = cells[std::size_t(r * columns_ + c)];
            if (!child) return false;
            QSplitter* holder = row_splitters_.empty() ? outer : row_splitters_[std::size_t(r)];
            if (!child->create(holder)) return false;
            holder->addWidget(child->window_);
            if (child->kind_ == view) {
                const int size = holder->orientation() == Qt::Horizontal ? child->width_ : child->height_;
                if (holder == outer) sizes << size;
            }
        }
    }
    if (sizes.size() == outer->count()) outer->setSizes(sizes);
    return true;
}

bool TVisualFramework::add_object(std::unique_ptr<TVisualObject> root)
{
    if (!root || by_id_.count(root->id())) return false;
    by_id_[root->id()] = root.get();
    roots_.push_back(std::move(root));
    return true;
}

bool TVisualFramework::add_object(TVisualObject& parent, std::unique_ptr<TVisualObject> child)
{
    if (!child || by_id_.count(child->id())) return false;
    child->parent_ = &parent;
    by_id_[child->id()] = child.get();
    parent.children_.push_back(std::move(child));
    return true;
}

QWidget* TVisualFramework::create_windows(QWidget* frame)
{
    QWidget* first = nullptr;
    for (const auto& root : roots_) {
        if (!root->create(frame)) return nullptr;
        if (!first) first = root->window_;
    }
    return first;
}

TVisualObject* TVisualFramework::find(int id) const
{
    const auto it = by_id_.find(id);
    return it == by_id_.end() ? nullptr : it->second;
}

QWidget* TVisualFramework::find_window(int id) const
{
    const TVisualObject* object = find(id);
    return object ? object->window() : nullptr;
}

QSplitter* TVisualFramework::find_splitter(int id) const
{
    const TVisualObject* object = find(id);
    return object && object->kind() != TVisualObject::view ? qobject_cast<QSplitter*>(object->window()) : nullptr;
}

void TVisualFramework::destroy_all()
{
    for (const auto& root : roots_) delete root->window_.data();
    by_id_.clear();
    roots_.clear();
}

}  // namespace mw::ui
