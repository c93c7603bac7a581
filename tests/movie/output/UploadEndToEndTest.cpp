// The browser edition's save, end to end: the movie served by the real site, the still
// camera, the shutter, the card's save button, the settings panel, the upload decoded by
// the site, and the composed picture downloaded under the name the site answered.
#include "movie/output/UploadSettings.h"
#include "movie/shell/IvembaMovie.h"
#include "player/Bitmap.h"
#include "player/Clip.h"
#include "player/Services.h"
#include "site/SiteServer.h"
#include "support/GoldenImage.h"
#include "support/MoviePlayer.h"
#include "support/TestPictures.h"
#include "support/Wait.h"

#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <httplib.h>

namespace {

using player::Clip;
using testsupport::waitUntil;

TEST(UploadEndToEnd, TheSiteComposesThePhotoAndItIsDownloadedUnderItsName) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString camera = dir.filePath("camera.png");
    ASSERT_TRUE(testsupport::smoothCameraScene().save(camera));

    site::SiteOptions options;
    options.port = 0;
    options.data = dir.filePath("site").toStdString();
    options.movie = IVEMBA_TEST_BUNDLE;
    options.log = false;
    site::SiteServer server(options);
    const int port = server.start();
    const QString base = QStringLiteral("http://127.0.0.1:%1").arg(port);
    common::Settings playerSettings;
    playerSettings.siteBase = base;
    playerSettings.testCamera = camera;

    player::MovieRegistry registry;
    shell::registerMovie(registry);
    testsupport::MoviePlayer player(std::move(registry), std::nullopt, playerSettings);
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
    const double quality = testsupport::psnr(photo, shown.image());
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
