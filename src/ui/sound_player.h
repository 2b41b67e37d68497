// Plays WAV files one at a time: a new sound stops the previous one. Without
// an audio device nothing plays and the owner gets a note for the status bar.
#pragma once

#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>

class QSoundEffect;

namespace mw::ui {

inline constexpr char no_audio_note[] = "No audio device: the sound cannot be played";

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Starts `file` asynchronously; false (after `note`) when there is no audio device.
    bool play(const std::filesystem::path& file);
    void stop();

signals:
    void note(const QString& text);

private:
    std::unique_ptr<QSoundEffect> effect_;
};

}  // namespace mw::ui
