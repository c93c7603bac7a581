#include "player/SoundBank.h"

#include "player/media/Backend.h"

#include <QFile>
#include <utility>

namespace player {

namespace {
// Sounds are short effects; a few at once is plenty, more would only pile up noise.
constexpr int kMaxPlaying = 4;
constexpr qint64 kMaxSoundBytes = 8 * 1024 * 1024;
} // namespace

SoundBank::SoundBank(QObject* parent) : QObject(parent) {}

SoundBank::~SoundBank() {
    clear();
}

const std::optional<WavSound>& SoundBank::load(const QString& resourcePath) {
    auto it = m_sounds.find(resourcePath);
    if (it == m_sounds.end()) {
        QFile file(resourcePath);
        std::optional<WavSound> sound;
        if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxSoundBytes)
            sound = parseWav(file.readAll());
        it = m_sounds.insert(resourcePath, sound);
    }
    return it.value();
}

void SoundBank::play(const QString& resourcePath) {
    const std::optional<WavSound>& sound = load(resourcePath);
    if (!sound || sound->samples.isEmpty() || m_playing >= kMaxPlaying)
        return;
    media::Backend* backend = media::systemBackend();
    if (!backend)
        return;
    QObject* output = backend->play(*sound, this, [this] { --m_playing; });
    if (!output)
        return;
    ++m_playing;
    m_outputs.removeIf([](const QPointer<QObject>& ended) { return ended.isNull(); });
    m_outputs.append(output);
}

void SoundBank::clear() {
    for (const QPointer<QObject>& output : std::exchange(m_outputs, {})) {
        if (output) {
            // Gone without telling: the count starts again from nothing below.
            output->disconnect();
            delete output;
        }
    }
    m_playing = 0;
    m_sounds.clear();
}

} // namespace player
