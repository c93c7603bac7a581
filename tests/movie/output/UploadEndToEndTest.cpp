// The browser edition's save, end to end: the movie served by the real site, the still
// camera, the shutter, the card's save button, the settings panel, the upload decoded by
// the site, and the composed picture downloaded under the name the site answered.
#include "movie/output/UploadSettings.h"
#include "movie/shell/IvembaMovie.h"
#include "player/Bitmap.h"
#include "player/Clip.h"
#include "player/Services.h"
#include "site/SiteServer.h"
#include "support/MoviePlayer.h"
#include "support/ScopedEnv.h"
#include "support/Wait.h"

#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <httplib.h>

namespace {

using player::Clip;
using testsupport::waitUntil;

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

double psnr(const QImage& got, const QImage& want) {
    double sum = 0;
    int n = 0;
    for (int y = 0; y < want.height(); ++y) {
        for (int x = 0; x < want.width(); ++x) {
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

TEST(UploadEndToEnd, TheSiteComposesThePhotoAndItIsDownloadedUnderItsName) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString camera = dir.filePath("camera.png");
    ASSERT_TRUE(cameraScene().save(camera));

    site::SiteOptions options;
    options.port = 0;
    options.data = dir.filePath("site").toStdString();
    options.movie = IVEMBA_TEST_BUNDLE;
    options.log = false;
    site::SiteServer server(options);
    const int port = server.start();
    const QString base = QStringLiteral("http://127.0.0.1:%1").arg(port);
    testsupport::ScopedEnv siteBase("IVEMBA_SITE_BASE", base.toUtf8());
    testsupport::ScopedEnv stillCamera("IVEMBA_TEST_CAMERA", QFile::encodeName(camera));

    player::MovieRegistry registry;
    shell::registerMovie(registry);
    testsupport::MoviePlayer player(std::move(registry));
    player.widget().show();
    QStringList offered;
    const QString target = dir.filePath("download.jpg");
    player.stage().services().chooseSaveFile = [&](const QString& name) {
        offered.append(name);
        return target;
    };
    player.load(base + "/iVemba/ivemba.swf");

    Clip* root = player.root();
    ASSERT_TRUE(waitUntil([&] { return root->resolve("/manage_mc") != nullptr; }, 10000));
    EXPECT_EQ(root->var("SetIdeType").toString(), "ie");
    ASSERT_TRUE(waitUntil([&] { return root->var("caminited").toBool(); }));
    testsupport::spin(300);
    root->call("CaptureDo");
    Clip* card = root->resolve("/manage_mc/Photo1");
    ASSERT_NE(card, nullptr);
    player::Bitmap shown(240, 180, false, 0xFF000000);
    shown.draw(*card->child("pic"));

    card->resolve("but_save")->release();
    Clip* settings = root->resolve("/Uploadsetting_mc");
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(waitUntil([&] { return settings->isVisible(); }));
    output::uploadSettingsField(*settings, output::kTitleField)->setText("春天的海边");
    output::uploadSettingsField(*settings, output::kAuthorField)->setText("小明");
    output::uploadSettingsButton(*settings, output::kEnterButton)->click();

    ASSERT_TRUE(waitUntil([&] { return QFile::exists(target); }, 15000));
    ASSERT_EQ(offered.size(), 1);
    EXPECT_TRUE(offered[0].endsWith(".jpg")) << offered[0].toStdString();
    EXPECT_EQ(player.opened, QStringList{base + "/photos.aspx _blank"});
    EXPECT_FALSE(root->resolve("/Upload_Status_mc")->isVisible());

    const QImage photo(target);
    ASSERT_EQ(photo.size(), QSize(240, 180));
    const double quality = psnr(photo, shown.image());
    RecordProperty("psnr_db", std::to_string(quality));
    EXPECT_GE(quality, 40.0);

    httplib::Client client("127.0.0.1", port);
    const auto page = client.Get("/photos.aspx");
    ASSERT_TRUE(page);
    EXPECT_NE(page->body.find(offered[0].toStdString()), std::string::npos);
    EXPECT_NE(page->body.find("春天的海边"), std::string::npos);
    EXPECT_NE(page->body.find("小明"), std::string::npos);
    server.stop();
}

} // namespace
