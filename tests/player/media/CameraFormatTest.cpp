#include "player/media/CameraFormat.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using media::FormatOffer;

// The formats of a device as `v4l2-ctl --list-formats-ext` lists them: one offer a size,
// its frame-rate range spanning the intervals listed under it.
QList<FormatOffer> parseV4l2(const char* listing) {
    static const QRegularExpression fourcc(QStringLiteral(R"(\[\d+\]: '(\w+)')"));
    static const QRegularExpression size(QStringLiteral(R"(Size: Discrete (\d+)x(\d+))"));
    static const QRegularExpression fps(QStringLiteral(R"(\(([\d.]+) fps\))"));
    QList<FormatOffer> offers;
    QVideoFrameFormat::PixelFormat pixelFormat = QVideoFrameFormat::Format_Invalid;
    for (const QString& line : QString::fromLatin1(listing).split(QLatin1Char('\n'))) {
        if (const auto m = fourcc.match(line); m.hasMatch()) {
            const QString code = m.captured(1);
            pixelFormat = code == QLatin1String("YUYV")   ? QVideoFrameFormat::Format_YUYV
                          : code == QLatin1String("MJPG") ? QVideoFrameFormat::Format_Jpeg
                          : code == QLatin1String("NV12") ? QVideoFrameFormat::Format_NV12
                                                          : QVideoFrameFormat::Format_Invalid;
        } else if (const auto s = size.match(line); s.hasMatch()) {
            offers.append(
                {QSize(s.captured(1).toInt(), s.captured(2).toInt()), 1e9, 0, pixelFormat});
        } else if (const auto f = fps.match(line); f.hasMatch() && !offers.isEmpty()) {
            const double rate = f.captured(1).toDouble();
            offers.last().minFps = std::min(offers.last().minFps, rate);
            offers.last().maxFps = std::max(offers.last().maxFps, rate);
        }
    }
    return offers;
}

struct Device {
    const char* name;
    const char* listing;
    QSize chosen; // empty: no format can feed the view
    QVideoFrameFormat::PixelFormat chosenFormat;
};

const Device kDevices[] = {
    {"LogitechC270",
     R"(ioctl: VIDIOC_ENUM_FMT
	Type: Video Capture

	[0]: 'YUYV' (YUYV 4:2:2)
		Size: Discrete 640x480
			Interval: Discrete 0.033s (30.000 fps)
			Interval: Discrete 0.200s (5.000 fps)
		Size: Discrete 160x120
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 176x144
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 320x176
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 320x240
			Interval: Discrete 0.033s (30.000 fps)
			Interval: Discrete 0.200s (5.000 fps)
		Size: Discrete 352x288
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 432x240
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 544x288
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 640x360
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 752x416
			Interval: Discrete 0.040s (25.000 fps)
		Size: Discrete 800x448
			Interval: Discrete 0.050s (20.000 fps)
		Size: Discrete 800x600
			Interval: Discrete 0.050s (20.000 fps)
		Size: Discrete 864x480
			Interval: Discrete 0.050s (20.000 fps)
		Size: Discrete 960x544
			Interval: Discrete 0.067s (15.000 fps)
		Size: Discrete 960x720
			Interval: Discrete 0.100s (10.000 fps)
		Size: Discrete 1024x576
			Interval: Discrete 0.100s (10.000 fps)
		Size: Discrete 1184x656
			Interval: Discrete 0.100s (10.000 fps)
		Size: Discrete 1280x720
			Interval: Discrete 0.133s (7.500 fps)
		Size: Discrete 1280x960
			Interval: Discrete 0.133s (7.500 fps)
	[1]: 'MJPG' (Motion-JPEG, compressed)
		Size: Discrete 640x480
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 320x240
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 1280x720
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 1280x960
			Interval: Discrete 0.033s (30.000 fps)
)",
     {320, 240},
     QVideoFrameFormat::Format_YUYV},
    {"LogitechC920",
     R"(ioctl: VIDIOC_ENUM_FMT
	Type: Video Capture

	[0]: 'YUYV' (YUYV 4:2:2)
		Size: Discrete 640x480
			Interval: Discrete 0.033s (30.000 fps)
			Interval: Discrete 0.042s (24.000 fps)
			Interval: Discrete 0.050s (20.000 fps)
			Interval: Discrete 0.067s (15.000 fps)
			Interval: Discrete 0.100s (10.000 fps)
			Interval: Discrete 0.133s (7.500 fps)
			Interval: Discrete 0.200s (5.000 fps)
		Size: Discrete 160x90
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 160x120
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 176x144
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 320x180
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 320x240
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 352x288
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 432x240
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 640x360
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 800x448
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 800x600
			Interval: Discrete 0.042s (24.000 fps)
		Size: Discrete 864x480
			Interval: Discrete 0.042s (24.000 fps)
		Size: Discrete 960x720
			Interval: Discrete 0.067s (15.000 fps)
		Size: Discrete 1024x576
			Interval: Discrete 0.067s (15.000 fps)
		Size: Discrete 1280x720
			Interval: Discrete 0.100s (10.000 fps)
		Size: Discrete 1600x896
			Interval: Discrete 0.133s (7.500 fps)
		Size: Discrete 1920x1080
			Interval: Discrete 0.200s (5.000 fps)
		Size: Discrete 2304x1296
			Interval: Discrete 0.500s (2.000 fps)
		Size: Discrete 2304x1536
			Interval: Discrete 0.500s (2.000 fps)
	[1]: 'H264' (H.264, compressed)
		Size: Discrete 640x480
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 320x240
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 1920x1080
			Interval: Discrete 0.033s (30.000 fps)
	[2]: 'MJPG' (Motion-JPEG, compressed)
		Size: Discrete 640x480
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 320x240
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 960x720
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 1280x720
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 1920x1080
			Interval: Discrete 0.033s (30.000 fps)
)",
     {320, 240},
     QVideoFrameFormat::Format_YUYV},
    {"MicrosoftLifeCamHD3000",
     R"(ioctl: VIDIOC_ENUM_FMT
	Type: Video Capture

	[0]: 'YUYV' (YUYV 4:2:2)
		Size: Discrete 640x480
			Interval: Discrete 0.033s (30.000 fps)
			Interval: Discrete 0.067s (15.000 fps)
			Interval: Discrete 0.133s (7.500 fps)
		Size: Discrete 1280x720
			Interval: Discrete 0.100s (10.000 fps)
		Size: Discrete 960x544
			Interval: Discrete 0.067s (15.000 fps)
		Size: Discrete 800x448
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 640x360
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 800x600
			Interval: Discrete 0.067s (15.000 fps)
		Size: Discrete 416x240
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 352x288
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 176x144
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 320x240
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 160x120
			Interval: Discrete 0.033s (30.000 fps)
	[1]: 'MJPG' (Motion-JPEG, compressed)
		Size: Discrete 640x480
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 1280x720
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 320x240
			Interval: Discrete 0.033s (30.000 fps)
)",
     {320, 240},
     QVideoFrameFormat::Format_YUYV},
    // A laptop's built-in camera with a wide sensor: nothing in 4:3, and only small sizes
    // uncompressed at a usable rate.
    {"LaptopIntegrated16by9",
     R"(ioctl: VIDIOC_ENUM_FMT
	Type: Video Capture

	[0]: 'MJPG' (Motion-JPEG, compressed)
		Size: Discrete 1280x720
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 640x360
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 424x240
			Interval: Discrete 0.033s (30.000 fps)
	[1]: 'YUYV' (YUYV 4:2:2)
		Size: Discrete 1280x720
			Interval: Discrete 0.100s (10.000 fps)
		Size: Discrete 640x360
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 424x240
			Interval: Discrete 0.033s (30.000 fps)
)",
     {424, 240},
     QVideoFrameFormat::Format_YUYV},
    // A built-in camera that offers VGA beside its wide sizes: the larger VGA picture is
    // taken over the smaller wide one, which would lose its sides.
    {"LaptopIntegratedWithVga",
     R"(ioctl: VIDIOC_ENUM_FMT
	Type: Video Capture

	[0]: 'YUYV' (YUYV 4:2:2)
		Size: Discrete 640x480
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 1280x720
			Interval: Discrete 0.100s (10.000 fps)
		Size: Discrete 640x360
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 424x240
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 320x180
			Interval: Discrete 0.033s (30.000 fps)
)",
     {640, 480},
     QVideoFrameFormat::Format_YUYV},
    // A generic "HD USB Camera" module that sends Motion-JPEG only.
    {"MjpegOnlyUsbModule",
     R"(ioctl: VIDIOC_ENUM_FMT
	Type: Video Capture

	[0]: 'MJPG' (Motion-JPEG, compressed)
		Size: Discrete 1920x1080
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 1280x720
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 1024x768
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 800x600
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 640x480
			Interval: Discrete 0.033s (30.000 fps)
)",
     {640, 480},
     QVideoFrameFormat::Format_Jpeg},
    // Large 4:3 sizes only at slide-show rates: the wide size that keeps up wins.
    {"SlowLarge4by3",
     R"(ioctl: VIDIOC_ENUM_FMT
	Type: Video Capture

	[0]: 'YUYV' (YUYV 4:2:2)
		Size: Discrete 1280x960
			Interval: Discrete 0.200s (5.000 fps)
		Size: Discrete 640x480
			Interval: Discrete 0.100s (10.000 fps)
		Size: Discrete 640x360
			Interval: Discrete 0.033s (30.000 fps)
)",
     {640, 360},
     QVideoFrameFormat::Format_YUYV},
    {"TooSmallForTheView",
     R"(ioctl: VIDIOC_ENUM_FMT
	Type: Video Capture

	[0]: 'YUYV' (YUYV 4:2:2)
		Size: Discrete 176x144
			Interval: Discrete 0.033s (30.000 fps)
		Size: Discrete 160x120
			Interval: Discrete 0.033s (30.000 fps)
	[1]: 'H264' (H.264, compressed)
		Size: Discrete 1280x720
			Interval: Discrete 0.033s (30.000 fps)
)",
     {},
     QVideoFrameFormat::Format_Invalid},
};

class CameraFormatChoice : public ::testing::TestWithParam<Device> {};

TEST_P(CameraFormatChoice, PicksTheSmallestFittingFormatOfTheViewsShape) {
    const Device& device = GetParam();
    const QList<FormatOffer> offers = parseV4l2(device.listing);
    ASSERT_FALSE(offers.isEmpty());
    const auto chosen = media::chooseCameraFormat(offers, {320, 240}, 15);
    if (device.chosen.isEmpty()) {
        EXPECT_FALSE(chosen.has_value());
        return;
    }
    ASSERT_TRUE(chosen.has_value());
    const FormatOffer& offer = offers.at(*chosen);
    EXPECT_EQ(offer.resolution, device.chosen);
    EXPECT_EQ(offer.pixelFormat, device.chosenFormat);
    EXPECT_GE(offer.maxFps, 15);
}

INSTANTIATE_TEST_SUITE_P(Webcams, CameraFormatChoice, ::testing::ValuesIn(kDevices),
                         [](const auto& info) { return std::string(info.param.name); });

struct Crop {
    const char* name;
    QSize source;
    QRect expected;
};

class CentreCrop : public ::testing::TestWithParam<Crop> {};

TEST_P(CentreCrop, CutsTheCentreToFourByThree) {
    EXPECT_EQ(media::centreCrop(GetParam().source, {320, 240}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Shapes, CentreCrop,
                         ::testing::Values(Crop{"Same", {640, 480}, {0, 0, 640, 480}},
                                           Crop{"Wide", {1280, 720}, {160, 0, 960, 720}},
                                           Crop{"WideOddWidth", {424, 240}, {52, 0, 320, 240}},
                                           Crop{"Tall", {352, 288}, {0, 12, 352, 264}},
                                           Crop{"Empty", {0, 0}, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
