#include "player/photos/StoredPng.h"

#include <QtEndian>
#include <array>
#include <cstring>

namespace player {

namespace {

constexpr std::array<quint32, 256> crcTable() {
    std::array<quint32, 256> table{};
    for (quint32 n = 0; n < 256; ++n) {
        quint32 c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<quint32, 256> kCrc = crcTable();

void appendBigEndian(QByteArray& out, quint32 value) {
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

void appendChunk(QByteArray& out, const char* type, const QByteArray& data) {
    appendBigEndian(out, static_cast<quint32>(data.size()));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data);
    quint32 crc = 0xFFFFFFFFu;
    for (qsizetype i = start; i < out.size(); ++i)
        crc = kCrc[(crc ^ static_cast<quint8>(out.at(i))) & 0xFF] ^ (crc >> 8);
    appendBigEndian(out, crc ^ 0xFFFFFFFFu);
}

} // namespace

QByteArray storedPng(const QImage& picture, const QList<QPair<QByteArray, QByteArray>>& texts) {
    const QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888);
    if (rgba.isNull())
        return {};
    const int width = rgba.width();
    const int height = rgba.height();
    QByteArray out("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    appendBigEndian(header, static_cast<quint32>(width));
    appendBigEndian(header, static_cast<quint32>(height));
    header.append("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA, deflate, no filter set, no interlace
    appendChunk(out, "IHDR", header);
    for (const auto& [keyword, text] : texts)
        appendChunk(out, "tEXt", keyword + '\0' + text);
    // Each row starts with its filter type, 0: none.
    const qsizetype rowBytes = qsizetype(width) * 4;
    QByteArray rows(height * (rowBytes + 1), '\0');
    for (int y = 0; y < height; ++y)
        std::memcpy(rows.data() + y * (rowBytes + 1) + 1, rgba.constScanLine(y),
                    static_cast<size_t>(rowBytes));
    // qCompress puts the length in front of the zlib stream; PNG wants the stream alone.
    appendChunk(out, "IDAT", qCompress(rows, 0).mid(4));
    appendChunk(out, "IEND", {});
    return out;
}

} // namespace player
