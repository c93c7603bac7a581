// The first road from camera to file: the still-image camera, the shutter, a card in the
// tray, its save button, the host's save dialog and the JPEG on disc.
#include "HostFixture.h"
#include "movie/shell/IvembaMovie.h"
#include "support/Wait.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>

namespace {

// A smooth, colourful scene, so that sub-pixel placement hardly changes a pixel.
QImage cameraScene() {
    QImage scene(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            scene.setPixel(x, y, qRgb(40 + x * 200 / 320, 30 + y * 200 / 240, 180 - x * 120 / 320));
    QPainter painter(&scene);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient sun(QPointF(170, 120), 60);
    sun.setColorAt(0, QColor(255, 230, 90));
    sun.setColorAt(1, QColor(255, 230, 90, 0));
    painter.fillRect(scene.rect(), sun);
    return scene;
}

double psnr(const QImage& got, const QImage& want, QRect area) {
    double sum = 0;
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb a = got.pixel(x, y), b = want.pixel(x, y);
            for (int shift : {16, 8, 0}) {
                const double d = double((a >> shift) & 0xFF) - double((b >> shift) & 0xFF);
                sum += d * d;
                ++n;
            }
        }
    }
    const double mse = sum / n;
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

class EndToEnd : public HostFixture {};

TEST_F(EndToEnd, ShutterCardSaveWritesTheCameraWindowAsJpeg) {
    const QString camera = dir.filePath("camera.png");
    const QImage scene = cameraScene();
    ASSERT_TRUE(scene.save(camera));
    qputenv("IVEMBA_TEST_CAMERA", QFile::encodeName(camera));

    player::MovieRegistry registry;
    shell::registerMovie(registry);
    start(std::move(registry));
    form1->show();
    player::Clip* root = form1->ShockwaveFlash1->stage().root();
    ASSERT_TRUE(testsupport::waitUntil([&] { return root->resolve("/manage_mc") != nullptr; }));
    EXPECT_EQ(var("SetIdeType"), "soft");
    ASSERT_TRUE(testsupport::waitUntil([&] { return root->var("caminited").toBool(); }));
    testsupport::spin(300); // a few camera frames

    root->call("CaptureDo");
    player::Clip* card = root->resolve("/manage_mc/Photo1");
    ASSERT_NE(card, nullptr);

    const QString target = dir.filePath("photo");
    dialogs.files.push_back(target);
    card->resolve("but_save")->release();
    ASSERT_TRUE(testsupport::waitUntil([&] { return QFile::exists(target + ".jpg"); }));
    qunsetenv("IVEMBA_TEST_CAMERA");

    const QImage photo(target + ".jpg");
    ASSERT_EQ(photo.size(), QSize(240, 180));
    QImage expected(240, 180, QImage::Format_RGB32);
    for (int y = 0; y < 180; ++y)
        for (int x = 0; x < 240; ++x)
            expected.setPixel(x, y, scene.pixel(std::lround(x + 39.8), std::lround(y + 30.7)));
    // The one-pixel white outline of the view is part of the photo; compare inside it.
    const double quality = psnr(photo, expected, QRect(2, 2, 236, 176));
    RecordProperty("psnr_db", std::to_string(quality));
    EXPECT_GT(quality, 32.0);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
