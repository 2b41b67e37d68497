// Help > About: "About Marrowick".
#pragma once

#include <QDialog>

namespace mw::ui {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace mw::ui
