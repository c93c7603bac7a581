#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <optional>

namespace player {

// A PCM sound read from a RIFF/WAVE file held in memory.
struct WavSound {
    QAudioFormat format;
    QByteArray samples;
};

// The sound in `bytes`, or nothing when they are not an uncompressed 8- or 16-bit PCM
// WAVE file. Chunk sizes are checked against the data, never trusted.
[[nodiscard]] std::optional<WavSound> parseWav(const QByteArray& bytes);

} // namespace player
