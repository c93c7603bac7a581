#include "player/media/Camera.h"

#include "player/Bitmap.h"
#include "player/media/StillCamera.h"
#include "player/media/VideoClip.h"
#include "support/Wait.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using media::StillCamera;

// What a camera reported, in order.
struct Reports {
    explicit Reports(media::Camera& camera) {
        QObject::connect(&camera, &media::Camera::frame,
                         [this](const QImage& i) { frames.append(i); });
        QObject::connect(&camera, &media::Camera::status,
                         [this](const QString& s) { status.append(s); });
    }
    QList<QImage> frames;
    QStringList status;
};

class StillCameraTest : public ::testing::Test {
protected:
    void SetUp() override {
        QImage picture(640, 480, QImage::Format_RGB32);
        picture.fill(Qt::white);
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                picture.setPixel(x, y, qRgb(200, 10, 10)); // top-left quarter red
        path = dir.filePath(QStringLiteral("still.png"));
        ASSERT_TRUE(QImageWriter(path, "png").write(picture));
    }

    QTemporaryDir dir;
    QString path;
};

TEST_F(StillCameraTest, TheTestCameraSettingChoosesTheCameras) {
    struct Case {
        QString setting;
        QStringList names;
        bool muted;
    };
    const QString name = QStringLiteral("iVemba 测试摄像头");
    for (const Case& c :
         {Case{path, {name}, false}, Case{QStringLiteral("busy:") + path, {name}, false},
          Case{QStringLiteral("denied:") + path, {name}, true},
          Case{QStringLiteral("none"), {}, false}}) {
        const media::CameraSource cameras = media::systemCameras(c.setting);
        EXPECT_EQ(cameras.names(), c.names) << c.setting.toStdString();
        auto camera = cameras.openDefault(nullptr);
        EXPECT_EQ(bool(camera), !c.names.isEmpty());
        if (camera) {
            EXPECT_EQ(camera->name(), name);
            EXPECT_EQ(camera->muted(), c.muted);
            EXPECT_EQ(cameras.defaultName(), name);
        }
    }
}

TEST_F(StillCameraTest, DeliversThePictureInTheModeSizeAtTheModeRate) {
    StillCamera camera(path, StillCamera::Access::Allowed);
    camera.setMode({320, 240}, 15);
    Reports reports(camera);
    const auto& frames = reports.frames;
    camera.start();
    ASSERT_EQ(frames.size(), 1) << "the first frame comes at once";
    const QImage frame = frames.at(0);
    EXPECT_EQ(frame.size(), QSize(320, 240));
    EXPECT_EQ(frame.pixel(80, 60), qRgb(200, 10, 10));
    EXPECT_EQ(frame.pixel(240, 180), qRgb(255, 255, 255));
    ASSERT_TRUE(testsupport::waitUntil([&] { return frames.size() >= 4; }, 2000));
    camera.stop();
    const qsizetype stopped = frames.size();
    testsupport::spin(200);
    EXPECT_EQ(frames.size(), stopped);
}

TEST_F(StillCameraTest, BusyDeviceReportsMutedWhenStarted) {
    StillCamera camera(path, StillCamera::Access::Busy);
    Reports reports(camera);
    camera.start();
    ASSERT_TRUE(testsupport::waitUntil([&] { return reports.status.size() == 1; }));
    EXPECT_EQ(reports.status.at(0), QStringLiteral("Camera.Muted"));
    EXPECT_FALSE(camera.isActive());
}

TEST_F(StillCameraTest, UnreadablePictureDeliversNothing) {
    StillCamera camera(dir.filePath(QStringLiteral("missing.png")), StillCamera::Access::Allowed);
    Reports reports(camera);
    camera.start();
    testsupport::spin(150);
    EXPECT_TRUE(reports.frames.isEmpty());
}

TEST_F(StillCameraTest, VideoClipShowsTheLatestFrameInItsBox) {
    StillCamera camera(path, StillCamera::Access::Allowed);
    camera.setMode({320, 240}, 15);
    media::VideoClip video(QStringLiteral("my_video"), {160, 120});
    video.attachCamera(&camera);
    camera.start();
    player::Bitmap bitmap(160, 120, true, 0);
    bitmap.draw(video);
    EXPECT_EQ(bitmap.getPixel(40, 30), 0xC80A0Au);
    EXPECT_EQ(bitmap.getPixel(120, 90), 0xFFFFFFu);
    video.attachCamera(nullptr);
    EXPECT_EQ(video.currentFrame().size(), QSize(320, 240)) << "keeps the last picture";
}

TEST_F(StillCameraTest, AWidePictureIsCutToTheModesShapeNotStretched) {
    // 16:9 with magenta strips where a 4:3 cut of its centre ends.
    QImage wide(640, 360, QImage::Format_RGB32);
    wide.fill(qRgb(255, 0, 255));
    for (int y = 0; y < 360; ++y)
        for (int x = 80; x < 560; ++x)
            wide.setPixel(x, y, x < 320 ? qRgb(200, 10, 10) : qRgb(10, 10, 200));
    const QString widePath = dir.filePath(QStringLiteral("wide.png"));
    ASSERT_TRUE(QImageWriter(widePath, "png").write(wide));
    StillCamera camera(widePath, StillCamera::Access::Allowed);
    camera.setMode({320, 240}, 15);
    Reports reports(camera);
    camera.start();
    ASSERT_EQ(reports.frames.size(), 1);
    const QImage frame = reports.frames.at(0);
    EXPECT_EQ(frame.pixel(0, 120), qRgb(200, 10, 10));
    EXPECT_EQ(frame.pixel(319, 120), qRgb(10, 10, 200));
    EXPECT_EQ(frame.pixel(150, 120), qRgb(200, 10, 10)) << "the halves stay halves";
    EXPECT_EQ(frame.pixel(170, 120), qRgb(10, 10, 200));
}

// A camera that delivers whatever the test hands it.
class HandCamera : public media::Camera {
public:
    HandCamera() : Camera(QStringLiteral("hand")) {}
    [[nodiscard]] bool muted() const override { return false; }
    void start() override {}
    void stop() override {}
    [[nodiscard]] bool isActive() const override { return true; }
    using Camera::deliver;
};

QImage filled(QSize size, QRgb colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The view tells the camera the look it shows the frames in, and copies the camera's
// picture for that look pixel for pixel; a copy for another look or another frame is
// never shown, the frame itself is scaled instead.
TEST(VideoClipOnScreen, CopiesTheCamerasPictureForItsLookOneToOne) {
    constexpr QRgb kFrame = 0xffc80a0a;
    constexpr QRgb kCopy = 0xff0ac80a;
    struct Case {
        const char* name;
        qreal xScale;
        bool shownAsCopy;
        std::function<void(media::ScreenCopy&)> spoil;
    };
    const std::vector<Case> cases{
        {"the view's look", 0.75, true, {}},
        {"mirrored", -0.75, true, {}},
        {"another size", 0.75, false,
         [](media::ScreenCopy& c) {
             c.look.size = {200, 150};
         }},
        {"unmirrored copy", -0.75, false, [](media::ScreenCopy& c) { c.look.mirrored = false; }},
        {"an older frame", 0.75, false, [](media::ScreenCopy& c) { c.frameKey = 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HandCamera camera;
        QGraphicsScene scene(0, 0, 400, 300);
        auto* video = new media::VideoClip(QStringLiteral("my_video"), {320, 240});
        scene.addItem(video);
        // A box of 240×180 screen pixels from (10.3, 20.6): whole pixels from (10, 21).
        video->setTransform(QTransform(c.xScale, 0, 0, 0.75, c.xScale < 0 ? 250.3 : 10.3, 20.6));
        QGraphicsView view(&scene);
        view.setFrameShape(QFrame::NoFrame);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        view.resize(400, 300);
        view.show();
        video->attachCamera(&camera);
        camera.deliver(filled({320, 240}, kFrame));
        ASSERT_TRUE(testsupport::waitUntil([&] { return !camera.screenLook().size.isEmpty(); }));
        EXPECT_EQ(camera.screenLook().size, QSize(240, 180));
        EXPECT_EQ(camera.screenLook().mirrored, c.xScale < 0);

        const QImage frame = filled({320, 240}, kFrame);
        media::ScreenCopy copy{filled({240, 180}, kCopy), camera.screenLook(), frame.cacheKey()};
        if (c.spoil)
            c.spoil(copy);
        camera.deliver(frame, copy);
        const QImage shown =
            view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb inside = c.shownAsCopy ? kCopy : kFrame;
        EXPECT_EQ(shown.pixel(10, 21), inside);
        EXPECT_EQ(shown.pixel(249, 200), inside);
        EXPECT_EQ(shown.pixel(130, 110), inside);
        EXPECT_EQ(shown.pixel(250, 110), 0xffffffffu) << "nothing beside the box";
        video->attachCamera(nullptr);
        EXPECT_TRUE(camera.screenLook().size.isEmpty()) << "no copies for a view gone";
    }
}

} // namespace
