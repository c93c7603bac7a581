#pragma once

#include "player/WavFile.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>

namespace player {

// Short sounds of the movie. Each is read into memory on its first use and played from
// there, so nothing reads the movie's bundle after the movie is gone; a movie that never
// plays a sound never opens the audio device, and with no device a sound is silent.
class SoundBank : public QObject {
    Q_OBJECT
public:
    explicit SoundBank(QObject* parent = nullptr);
    ~SoundBank() override;
    void play(const QString& resourcePath);
    void clear();
    [[nodiscard]] int playing() const { return m_playing; }

private:
    const std::optional<WavSound>& load(const QString& resourcePath);

    QHash<QString, std::optional<WavSound>> m_sounds;
    QList<QPointer<QObject>> m_outputs; // each goes by itself when its sound ends
    int m_playing = 0;
};

} // namespace player
