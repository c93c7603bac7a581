#pragma once

#include <QByteArray>
#include <optional>

namespace player {

// A PCM sound read from a RIFF/WAVE file held in memory: unsigned 8-bit or signed 16-bit
// little-endian samples, one or two channels interleaved.
struct WavSound {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    QByteArray samples;

    [[nodiscard]] int bytesPerFrame() const { return channels * bitsPerSample / 8; }
};

// The sound in `bytes`, or nothing when they are not an uncompressed 8- or 16-bit PCM
// WAVE file. Chunk sizes are checked against the data, never trusted.
[[nodiscard]] std::optional<WavSound> parseWav(const QByteArray& bytes);

} // namespace player
