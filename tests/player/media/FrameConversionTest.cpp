#include "player/media/FrameConverter.h"
#include "player/media/LatestFrameConverter.h"
#include "support/Wait.h"

#include <QBuffer>
#include <QImageWriter>
#include <QThread>
#include <QVideoFrame>
#include <atomic>
#include <gtest/gtest.h>

namespace {

constexpr QRgb kTopLeft = 0xffd02020;
constexpr QRgb kTopRight = 0xff20c020;
constexpr QRgb kBottomLeft = 0xff2040e0;
constexpr QRgb kBottomRight = 0xffe0d020;
constexpr QRgb kMarker = 0xffffffff;
constexpr QRgb kOutside = 0xffff00ff;

// Four coloured quadrants with a white marker in the top-left corner, filling the centre
// 4:3 part of a picture of `size`; whatever lies beside it is magenta, which a correct cut
// never shows.
QImage pattern(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kOutside);
    const int w = std::min(size.width(), size.height() * 4 / 3);
    const int h = w * 3 / 4;
    const int x0 = (size.width() - w) / 2;
    const int y0 = (size.height() - h) / 2;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            QRgb c = y < h / 2 ? (x < w / 2 ? kTopLeft : kTopRight)
                               : (x < w / 2 ? kBottomLeft : kBottomRight);
            if (x < w / 8 && y < h / 8)
                c = kMarker;
            image.setPixel(x0 + x, y0 + y, c);
        }
    }
    return image;
}

// BT.601, video range: what a webcam's YUV carries.
int lumaOf(QRgb c) {
    return 16 + ((66 * qRed(c) + 129 * qGreen(c) + 25 * qBlue(c) + 128) >> 8);
}
int blueDiffOf(QRgb c) {
    return 128 + ((-38 * qRed(c) - 74 * qGreen(c) + 112 * qBlue(c) + 128) >> 8);
}
int redDiffOf(QRgb c) {
    return 128 + ((112 * qRed(c) - 94 * qGreen(c) - 18 * qBlue(c) + 128) >> 8);
}

QVideoFrame yuyvFrame(const QImage& image) {
    QVideoFrameFormat format(image.size(), QVideoFrameFormat::Format_YUYV);
    format.setColorRange(QVideoFrameFormat::ColorRange_Video);
    QVideoFrame frame(format);
    frame.map(QVideoFrame::WriteOnly);
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = frame.bits(0) + y * frame.bytesPerLine(0);
        for (int x = 0; x < image.width(); x += 2) {
            const QRgb a = image.pixel(x, y);
            line[x * 2] = uchar(lumaOf(a));
            line[x * 2 + 1] = uchar(blueDiffOf(a));
            line[x * 2 + 2] = uchar(lumaOf(image.pixel(x + 1, y)));
            line[x * 2 + 3] = uchar(redDiffOf(a));
        }
    }
    frame.unmap();
    return frame;
}

QVideoFrame nv12Frame(const QImage& image) {
    QVideoFrameFormat format(image.size(), QVideoFrameFormat::Format_NV12);
    format.setColorRange(QVideoFrameFormat::ColorRange_Video);
    QVideoFrame frame(format);
    frame.map(QVideoFrame::WriteOnly);
    for (int y = 0; y < image.height(); ++y) {
        uchar* luma = frame.bits(0) + y * frame.bytesPerLine(0);
        uchar* chroma = frame.bits(1) + (y / 2) * frame.bytesPerLine(1);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            luma[x] = uchar(lumaOf(c));
            if (y % 2 == 0 && x % 2 == 0) {
                chroma[x] = uchar(blueDiffOf(c));
                chroma[x + 1] = uchar(redDiffOf(c));
            }
        }
    }
    frame.unmap();
    return frame;
}

QByteArray jpegOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.write(image);
    return bytes;
}

QVideoFrame jpegFrame(const QImage& image) {
    const QByteArray bytes = jpegOf(image);
    QVideoFrame frame(QVideoFrameFormat(image.size(), QVideoFrameFormat::Format_Jpeg));
    frame.map(QVideoFrame::WriteOnly);
    std::fill_n(frame.bits(0), frame.mappedBytes(0), uchar(0));
    std::copy(bytes.begin(), bytes.end(), frame.bits(0));
    frame.unmap();
    return frame;
}

int distance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

struct Source {
    const char* name;
    QVideoFrame (*make)(const QImage&);
    QSize size;
};

class FrameConversion : public ::testing::TestWithParam<Source> {};

TEST_P(FrameConversion, TheViewGetsThePatternUncutUnstretchedUnturned) {
    const Source& source = GetParam();
    const QImage image = media::convertFrame(source.make(pattern(source.size)), {320, 240});
    ASSERT_EQ(image.size(), QSize(320, 240));
    struct Probe {
        QPoint at;
        QRgb colour;
    };
    // Well inside each area, clear of the blur a scaled or compressed edge may get.
    for (const Probe& p :
         {Probe{{120, 60}, kTopLeft}, Probe{{240, 60}, kTopRight}, Probe{{80, 180}, kBottomLeft},
          Probe{{240, 180}, kBottomRight}, Probe{{12, 10}, kMarker}, Probe{{3, 100}, kTopLeft},
          Probe{{316, 236}, kBottomRight}, Probe{{316, 3}, kTopRight}}) {
        EXPECT_LE(distance(image.pixel(p.at), p.colour), 24)
            << "at " << p.at.x() << "," << p.at.y() << ": " << std::hex << image.pixel(p.at);
    }
    // The marker keeps its size: an eighth of the width and height.
    EXPECT_LE(distance(image.pixel(36, 26), kMarker), 24);
    EXPECT_GT(distance(image.pixel(44, 34), kMarker), 60);
    for (int y = 0; y < 240; y += 4) {
        ASSERT_GT(distance(image.pixel(0, y), kOutside), 60) << "left edge, row " << y;
        ASSERT_GT(distance(image.pixel(319, y), kOutside), 60) << "right edge, row " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Webcam, FrameConversion,
                         ::testing::Values(Source{"Yuyv640x480", &yuyvFrame, {640, 480}},
                                           Source{"Yuyv424x240", &yuyvFrame, {424, 240}},
                                           Source{"Nv12_640x360", &nv12Frame, {640, 360}},
                                           Source{"Nv12_320x240", &nv12Frame, {320, 240}},
                                           Source{"Mjpeg1280x720", &jpegFrame, {1280, 720}},
                                           Source{"Mjpeg640x480", &jpegFrame, {640, 480}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FrameConversionFailures, DamagedFramesGiveNoPicture) {
    QByteArray cut = jpegOf(pattern({640, 480})).left(20);
    EXPECT_TRUE(media::decodeJpegFrame(reinterpret_cast<const uchar*>(cut.constData()), cut.size(),
                                       {320, 240})
                    .isNull());
    EXPECT_TRUE(media::convertFrame(QVideoFrame(), {320, 240}).isNull());
}

// A converter that takes its time and records which frames it got, by start time.
struct SlowConversions {
    std::atomic<int> calls{0};
    std::atomic<bool> offTheUiThread{true};
    QThread* uiThread = QThread::currentThread();

    media::LatestFrameConverter::Convert convert() {
        return [this](const QVideoFrame& frame, QSize target) {
            ++calls;
            if (QThread::currentThread() == uiThread)
                offTheUiThread = false;
            QThread::msleep(80);
            QImage image(target, QImage::Format_RGB32);
            image.fill(QColor::fromRgb(QRgb(frame.startTime())));
            return image;
        };
    }
};

QVideoFrame numbered(int n) {
    QVideoFrame frame(QVideoFrameFormat({320, 240}, QVideoFrameFormat::Format_YUYV));
    frame.setStartTime(0xff000000 | n);
    return frame;
}

TEST(LatestFrameConverter, ASlowConversionDropsFramesAndShowsTheLatest) {
    SlowConversions slow;
    media::LatestFrameConverter converter({320, 240}, slow.convert());
    QList<int> shown;
    bool onUiThread = true;
    QObject::connect(&converter, &media::LatestFrameConverter::converted, [&](const QImage& image) {
        onUiThread = onUiThread && QThread::currentThread() == slow.uiThread;
        shown.append(int(image.pixel(0, 0) & 0xffffff));
    });
    for (int n = 1; n <= 10; ++n) {
        converter.submit(numbered(n));
        QThread::msleep(2);
    }
    ASSERT_TRUE(testsupport::waitUntil([&] { return shown.contains(10); }));
    testsupport::spin(200);
    EXPECT_EQ(slow.calls, 2) << "the first frame, then only the latest of the rest";
    EXPECT_EQ(converter.dropped(), 8);
    EXPECT_EQ(shown.last(), 10);
    EXPECT_LE(shown.size(), 2);
    EXPECT_TRUE(slow.offTheUiThread);
    EXPECT_TRUE(onUiThread);
}

TEST(LatestFrameConverter, FramesFasterThanTheModeAreDroppedUnconverted) {
    media::LatestFrameConverter converter({320, 240}, [](const QVideoFrame& f, QSize t) {
        QImage image(t, QImage::Format_RGB32);
        image.fill(QColor::fromRgb(QRgb(f.startTime())));
        return image;
    });
    converter.setMinSpacing(60);
    QList<int> shown;
    QObject::connect(&converter, &media::LatestFrameConverter::converted,
                     [&](const QImage& image) { shown.append(int(image.pixel(0, 0) & 0xffffff)); });
    converter.submit(numbered(1));
    converter.submit(numbered(2));
    ASSERT_TRUE(testsupport::waitUntil([&] { return !shown.isEmpty(); }));
    QThread::msleep(70);
    converter.submit(numbered(3));
    ASSERT_TRUE(testsupport::waitUntil([&] { return shown.size() == 2; }));
    EXPECT_EQ(shown, (QList<int>{1, 3}));
    EXPECT_EQ(converter.dropped(), 1);
}

TEST(LatestFrameConverter, MakesEachPictureInTheScreenLookToo) {
    // Left half red, right half blue: a mirrored copy has them the other way round.
    media::LatestFrameConverter converter({320, 240}, [](const QVideoFrame&, QSize t) {
        QImage image(t, QImage::Format_RGB32);
        image.fill(kTopLeft);
        for (int y = 0; y < t.height(); ++y)
            for (int x = t.width() / 2; x < t.width(); ++x)
                image.setPixel(x, y, kBottomLeft);
        return image;
    });
    converter.setScreenLook({{100, 75}, true});
    QImage picture;
    media::ScreenCopy onScreen;
    QObject::connect(&converter, &media::LatestFrameConverter::converted,
                     [&](const QImage& image, const media::ScreenCopy& copy) {
                         picture = image;
                         onScreen = copy;
                     });
    converter.submit(numbered(1));
    ASSERT_TRUE(testsupport::waitUntil([&] { return !picture.isNull(); }));
    EXPECT_EQ(picture.size(), QSize(320, 240)) << "the picture itself keeps the mode's size";
    EXPECT_EQ(onScreen.image.size(), QSize(100, 75));
    EXPECT_EQ(onScreen.image.pixel(10, 37), kBottomLeft);
    EXPECT_EQ(onScreen.image.pixel(89, 37), kTopLeft);
    EXPECT_TRUE(onScreen.look == (media::ScreenLook{{100, 75}, true}));
    EXPECT_EQ(onScreen.frameKey, picture.cacheKey());
}

} // namespace
