// Pieces every record form is built from.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

namespace mw::ui {

// The form's title line, in bold.
QLabel* form_title(const QString& text);

// Fills `form` with a frameless scroll area and returns the page inside it,
// for forms taller than the display view.
QWidget* scrolled_page(QWidget* form);

}  // namespace mw::ui
