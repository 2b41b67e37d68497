// The small modeless box "Importing File ... Please Wait" shown while an import runs.
#pragma once

#include <QDialog>

namespace mw::ui {

inline constexpr char wait_text[] = "Importing File ... Please Wait";

class CWaitWindow : public QDialog {
    Q_OBJECT
public:
    explicit CWaitWindow(QWidget* parent = nullptr);
    // Shows the box and lets it paint before the work blocks the event loop.
    void show_now();
};

}  // namespace mw::ui
