#include "player/SoundBank.h"

#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QMediaDevices>
#include <QVariant>

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
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(sound->format))
        return;
    auto* sink = new QAudioSink(device, sound->format, this);
    sink->setVolume(0.6);
    auto* buffer = new QBuffer(sink);
    buffer->setData(sound->samples);
    buffer->open(QIODevice::ReadOnly);
    ++m_playing;
    connect(sink, &QAudioSink::stateChanged, this, [this, sink](QAudio::State state) {
        if (state == QAudio::ActiveState || sink->property("done").toBool())
            return;
        sink->setProperty("done", true);
        --m_playing;
        sink->deleteLater();
    });
    sink->start(buffer);
}

void SoundBank::clear() {
    for (QAudioSink* sink : findChildren<QAudioSink*>(Qt::FindDirectChildrenOnly)) {
        sink->disconnect(this);
        sink->stop();
        delete sink;
    }
    m_playing = 0;
    m_sounds.clear();
}

} // namespace player
