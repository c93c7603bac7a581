#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QSoundEffect;

namespace player {

// Short sounds of the movie. Each is loaded once, on its first use, so a movie that never
// plays a sound never opens the audio device; with no device the sound is simply silent.
class SoundBank : public QObject {
    Q_OBJECT
public:
    explicit SoundBank(QObject* parent = nullptr);
    void play(const QString& resourcePath);
    void clear();

private:
    QHash<QString, QSoundEffect*> m_effects;
};

} // namespace player
