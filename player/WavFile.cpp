#include "player/WavFile.h"

#include <QtEndian>

namespace player {

namespace {

quint32 u32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}
quint16 u16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}

} // namespace

std::optional<WavSound> parseWav(const QByteArray& bytes) {
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    std::optional<WavSound> format;
    qsizetype at = 12;
    while (at + 8 <= size) {
        const QByteArray id(data + at, 4);
        const quint32 length = u32(data + at + 4);
        const qsizetype body = at + 8;
        if (length > quint32(size - body))
            return std::nullopt;
        if (id == "fmt ") {
            if (length < 16)
                return std::nullopt;
            const quint16 encoding = u16(data + body);
            const quint16 channels = u16(data + body + 2);
            const quint32 rate = u32(data + body + 4);
            const quint16 bits = u16(data + body + 14);
            if (encoding != 1 || channels < 1 || channels > 2 || rate < 1000 || rate > 192000 ||
                (bits != 8 && bits != 16))
                return std::nullopt;
            format = WavSound{.sampleRate = int(rate), .channels = channels, .bitsPerSample = bits};
        } else if (id == "data") {
            if (!format)
                return std::nullopt;
            const qsizetype frame = format->bytesPerFrame();
            const qsizetype usable = qsizetype(length) - qsizetype(length) % frame;
            WavSound sound = *format;
            sound.samples = bytes.mid(body, usable);
            return sound;
        }
        at = body + qsizetype(length) + (length & 1);
    }
    return std::nullopt;
}

} // namespace player
