#include "ui/sound_player.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include "ui/file_filter.h"

namespace mw::ui {

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() { stop(); }

bool SoundPlayer::play(const std::filesystem::path& file)
{
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        emit note(QString::fromLatin1(no_audio_note));
        return false;
    }
    // A fresh effect per sound: the old one is stopped and gone, whatever its state.
    effect_ = std::make_unique<QSoundEffect>(device);
    effect_->setSource(QUrl::fromLocalFile(to_qt(file)));
    effect_->play();
    return true;
}

void SoundPlayer::stop()
{
    if (effect_) effect_->stop();
    effect_.reset();
}

}  // namespace mw::ui
