// Panes built from a tree of numbered objects: splitters and views. The
// frame describes its layout once; everything else finds a pane's widget
// by its number.
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QSplitter;

namespace mw::ui {

class TVisualFramework;

class TVisualObject {
public:
    enum Kind { top_splitter = 1, view = 2, inner_splitter = 3 };
    using ViewMaker = std::function<QWidget*()>;

    // A top-level splitter of rows × columns.
    TVisualObject(int id, std::string title, int rows, int columns);
    // A view in cell (row, column) of its parent, made by `make`, with its initial size.
    TVisualObject(int id, int row, int column, ViewMaker make, int width, int height);
    // A splitter of rows × columns in cell (row, column) of its parent.
    TVisualObject(int id, int row, int column, int rows, int columns);

    int id() const { return id_; }
    Kind kind() const { return kind_; }
    const std::string& title() const { return title_; }
    QWidget* window() const { return window_; }
    TVisualObject* parent() const { return parent_; }
    const std::vector<std::unique_ptr<TVisualObject>>& children() const { return children_; }

private:
    friend class TVisualFramework;
    bool create(QWidget* parent_widget);

    Kind kind_;
    int id_;
    std::string title_;
    int rows_ = 1, columns_ = 1;
    int row_ = 0, column_ = 0;
    ViewMaker make_;
    int width_ = 0, height_ = 0;
    TVisualObject* parent_ = nullptr;
    std::vector<std::unique_ptr<TVisualObject>> children_;
    QPointer<QWidget> window_;
    std::vector<QSplitter*> row_splitters_;  // a grid: one horizontal splitter per row
};

class TVisualFramework {
public:
    // Adds a root; false when its ID is taken.
    bool add_object(std::unique_ptr<TVisualObject> root);
    // Adds a child of `parent` (already added); false when its ID is taken.
    bool add_object(TVisualObject& parent, std::unique_ptr<TVisualObject> child);

    // Creates the widgets of every root and its children; the first root's
    // widget is returned (the frame's central widget), nullptr on failure.
    QWidget* create_windows(QWidget* frame);

    TVisualObject* find(int id) const;
    QWidget* find_window(int id) const;
    // The splitter of a splitter node (its grid's outer splitter).
    QSplitter* find_splitter(int id) const;

    void destroy_all();

private:
    std::vector<std::unique_ptr<TVisualObject>> roots_;
    std::map<int, TVisualObject*> by_id_;
};

}  // namespace mw::ui
