#include "ui/sound_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/sound_player.h"

namespace mw::ui {

CPlayWAVDlg::CPlayWAVDlg(SoundPlayer& player, std::filesystem::path file, std::function<void()> focus_tree,
                         QWidget* parent)
    : QWidget(parent), player_(player), file_(std::move(file)), focus_tree_(std::move(focus_tree))
{
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MediaVolume).pixmap(32, 32));
    auto* button = new QPushButton(tr("Play"), this);
    button->setObjectName(QStringLiteral("play"));
    connect(button, &QPushButton::clicked, this, &CPlayWAVDlg::play);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(button);
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addStretch();
}

void CPlayWAVDlg::play()
{
    player_.play(file_);
    if (focus_tree_) focus_tree_();
}

}  // namespace mw::ui
