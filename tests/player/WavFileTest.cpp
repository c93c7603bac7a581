#include "player/WavFile.h"

#include <QDirIterator>
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

using player::parseWav;

namespace {

QByteArray le32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}
QByteArray le16(quint16 v) {
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray wav(quint16 encoding, quint16 bits, const QByteArray& samples,
               quint32 dataLength = 0xFFFFFFFF) {
    const quint16 channels = 1;
    const quint32 rate = 22050;
    QByteArray fmt = le16(encoding) + le16(channels) + le32(rate) +
                     le32(rate * channels * bits / 8) + le16(channels * bits / 8) + le16(bits);
    QByteArray body = "WAVE" + QByteArray("fmt ") + le32(fmt.size()) + fmt + "LIST" + le32(3) +
                      "abc" + QByteArray(1, '\0') + "data" +
                      le32(dataLength == 0xFFFFFFFF ? samples.size() : dataLength) + samples;
    return "RIFF" + le32(body.size()) + body;
}

TEST(WavFile, ReadsPcmAndSkipsOtherChunksWithTheirPadding) {
    const QByteArray samples(100, '\x10');
    const auto sound = parseWav(wav(1, 16, samples));
    ASSERT_TRUE(sound.has_value());
    EXPECT_EQ(sound->sampleRate, 22050);
    EXPECT_EQ(sound->bitsPerSample, 16);
    EXPECT_EQ(sound->samples, samples);
}

TEST(WavFile, RefusesWhatItCannotPlayOrWhatLiesAboutItsLength) {
    EXPECT_FALSE(parseWav({}).has_value());
    EXPECT_FALSE(parseWav("RIFF\0\0\0\0WAVX").has_value());
    EXPECT_FALSE(parseWav(wav(3, 32, QByteArray(8, 'x'))).has_value()) << "float samples";
    EXPECT_FALSE(parseWav(wav(1, 16, QByteArray(8, 'x'), 1u << 30)).has_value())
        << "data chunk longer than the file";
    EXPECT_FALSE(parseWav(wav(1, 16, QByteArray(8, 'x')).left(30)).has_value());
}

TEST(WavFile, EveryShippedSoundIsPlayable) {
    int seen = 0;
    QDirIterator it(QStringLiteral(IVEMBA_SOURCE_DIR "/resources/movie/sounds"),
                    {QStringLiteral("*.wav")});
    while (it.hasNext()) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const auto sound = parseWav(file.readAll());
        ASSERT_TRUE(sound.has_value()) << file.fileName().toStdString();
        EXPECT_GT(sound->samples.size(), 1000);
        ++seen;
    }
    EXPECT_EQ(seen, 5);
}

} // namespace
