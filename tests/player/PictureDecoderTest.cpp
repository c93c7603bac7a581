#include "player/PictureDecoder.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A 40×30 picture, red on the left half and blue on the right, in the given format.
QByteArray picture(const char* format) {
    // Qt writes no GIF; this one was made by another program.
    if (qstrcmp(format, "gif") == 0)
        return QByteArray::fromHex(
            "47494638396128001e00f00000ff00000000ff21f90400000000002c0000000028001e00"
            "00024b848f99c1edff9494b0d6898fdd2d67ce7918b889136999140aa90adbba081cc91a"
            "ddd9069eeb3ca3dbfd82805f8068440e8349e6d2f7b435a13c65d579a5e2ac5b6c574be3"
            "86bd6330ac00003b");
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 20; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) < 24 && std::abs(qGreen(a) - qGreen(b)) < 24 &&
           std::abs(qBlue(a) - qBlue(b)) < 24;
}

struct Readable {
    const char* name;
    const char* format;
    const char* fileName;
};

class PictureDecoderReads : public testing::TestWithParam<Readable> {};

TEST_P(PictureDecoderReads, FromBytesAndFromAFileWhateverItsName) {
    const Readable row = GetParam();
    const QByteArray bytes = picture(row.format);
    ASSERT_FALSE(bytes.isEmpty());
    QTemporaryDir dir;
    QFile file(dir.filePath(QString::fromLatin1(row.fileName)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    for (const player::DecodedPicture& decoded :
         {player::decodePicture(bytes), player::decodePictureFile(file.fileName())}) {
        ASSERT_FALSE(decoded.image.isNull()) << decoded.error.toStdString();
        EXPECT_TRUE(decoded.error.isEmpty());
        EXPECT_EQ(decoded.image.size(), QSize(40, 30));
        EXPECT_EQ(decoded.image.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_TRUE(near(decoded.image.pixel(5, 15), qRgb(255, 0, 0)));
        EXPECT_TRUE(near(decoded.image.pixel(35, 15), qRgb(0, 0, 255)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PictureDecoderReads,
    testing::Values(Readable{"png", "png", "a.png"}, Readable{"jpeg", "jpeg", "a.jpg"},
                    Readable{"gif", "gif", "a.gif"}, Readable{"bmp", "bmp", "a.bmp"},
                    Readable{"png_named_jpg", "png", "a.jpg"},
                    Readable{"jpeg_without_suffix", "jpeg", "photo"},
                    // Announces nothing the decoder knows by its first bytes: guessed.
                    Readable{"ppm", "ppm", "a.ppm"}),
    [](const testing::TestParamInfo<Readable>& info) { return info.param.name; });

TEST(PictureDecoder, BrokenOrForgedPicturesGiveAReasonAndNoPicture) {
    QByteArray forged = picture("png");
    // The header's width, made 30,000: more pixels than the decoder may allocate.
    forged[16] = 0, forged[17] = 0, forged[18] = char(0x75), forged[19] = char(0x30);
    const struct {
        const char* name;
        QByteArray bytes;
    } rows[] = {
        {"truncated png", picture("png").left(60)},
        {"truncated jpeg", picture("jpeg").left(200)},
        {"png signature then noise", QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(64, 'x')},
        {"forged size", forged},
        {"text", QByteArray("not a picture at all")},
        {"nothing", QByteArray()},
    };
    for (const auto& row : rows) {
        const player::DecodedPicture decoded = player::decodePicture(row.bytes);
        EXPECT_TRUE(decoded.image.isNull()) << row.name;
        EXPECT_FALSE(decoded.error.isEmpty()) << row.name;
    }
    const player::DecodedPicture missing =
        player::decodePictureFile(QStringLiteral("/no/such.png"));
    EXPECT_TRUE(missing.image.isNull());
    EXPECT_FALSE(missing.error.isEmpty());
}

} // namespace
