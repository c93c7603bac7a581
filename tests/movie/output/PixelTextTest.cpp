#include "movie/output/PixelText.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

using output::pixelText;

QImage filled(QRgb colour, QImage::Format format = QImage::Format_RGB32) {
    QImage image(240, 180, format);
    image.fill(colour);
    return image;
}

// The text built the plain way, one number at a time.
QString slowPixelText(const QImage& image) {
    QString text;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y)
            text += QLatin1Char('-') + QString::number(image.pixel(x, y) & 0xFFFFFFu);
    }
    return text;
}

struct Uniform {
    const char* what;
    QRgb colour;
    const char* value;
};

void PrintTo(const Uniform& u, std::ostream* os) {
    *os << u.what;
}

class UniformPixelTextTest : public ::testing::TestWithParam<Uniform> {};

TEST_P(UniformPixelTextTest, EveryValueIsTheColourInDecimal) {
    const QString text = pixelText(filled(GetParam().colour));
    const QString one = QLatin1Char('-') + QLatin1String(GetParam().value);
    EXPECT_EQ(text.size(), 43200 * one.size());
    EXPECT_EQ(text, one.repeated(43200)) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Colours, UniformPixelTextTest,
    ::testing::Values(Uniform{"black", 0xFF000000, "0"}, Uniform{"red", 0xFFFF0000, "16711680"},
                      Uniform{"white", 0xFFFFFFFF, "16777215"}, Uniform{"blue 9", 0xFF000009, "9"},
                      Uniform{"ten", 0xFF00000A, "10"}, Uniform{"hundred", 0xFF000064, "100"},
                      Uniform{"grey", 0xFF999999, "10066329"}));

TEST(PixelText, AllBlackIs86400Characters) {
    EXPECT_EQ(pixelText(filled(0xFF000000)).size(), 86400);
}

TEST(PixelText, ValuesRunColumnByColumn) {
    QImage image = filled(0xFF000000);
    image.setPixel(0, 0, 0xFF000001);
    image.setPixel(0, 1, 0xFF000002);
    image.setPixel(0, 179, 0xFF000003);
    image.setPixel(1, 0, 0xFF0000B4); // 180
    image.setPixel(239, 179, 0xFFFF0000);
    const QStringList values = pixelText(image).split(QLatin1Char('-'));
    ASSERT_EQ(values.size(), 43201);
    EXPECT_TRUE(values[0].isEmpty()) << "the text begins with -";
    EXPECT_EQ(values[1 + 0], "1");
    EXPECT_EQ(values[1 + 1], "2");
    EXPECT_EQ(values[1 + 179], "3");
    EXPECT_EQ(values[1 + 180], "180");
    EXPECT_EQ(values[1 + 43199], "16711680");
}

TEST(PixelText, MatchesThePlainWayOnRandomPictures) {
    QRandomGenerator random(20050901);
    for (int round = 0; round < 3; ++round) {
        QImage image(240, 180, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                // Spread over every digit count, not only the large values.
                const quint32 bits = random.bounded(25);
                image.setPixel(x, y, 0xFF000000u | (random.generate() & ((1u << bits) - 1)));
            }
        }
        EXPECT_EQ(pixelText(image), slowPixelText(image)) << "round " << round;
    }
}

TEST(PixelText, OtherFormatsAndSizesAreReadTheSameWay) {
    QImage rgb888(3, 2, QImage::Format_RGB888);
    rgb888.fill(QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(pixelText(rgb888), QString("-1193046").repeated(6));
    // A picture with alpha reads as laid over black.
    QImage translucent(1, 1, QImage::Format_ARGB32);
    translucent.fill(QColor(255, 0, 0, 0));
    EXPECT_EQ(pixelText(translucent), "-0");
    EXPECT_TRUE(pixelText(QImage()).isEmpty());
}

} // namespace
