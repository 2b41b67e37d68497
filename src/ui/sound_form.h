// The form shown for sound entries: a "Play" button and an icon. Play
// starts the converted WAV file and hands the keyboard back to the tree.
#pragma once

#include <QWidget>

#include <filesystem>
#include <functional>

namespace mw::ui {

class SoundPlayer;

class CPlayWAVDlg : public QWidget {
    Q_OBJECT
public:
    CPlayWAVDlg(SoundPlayer& player, std::filesystem::path file, std::function<void()> focus_tree,
                QWidget* parent = nullptr);

    const std::filesystem::path& file() const { return file_; }
    void play();

private:
    SoundPlayer& player_;
    std::filesystem::path file_;
    std::function<void()> focus_tree_;
};

}  // namespace mw::ui
