// The first road from camera to file: the still-image camera, the shutter, a card in the
// tray, its save button, the host's save dialog and the JPEG on disc.
#include "HostFixture.h"
#include "movie/shell/IvembaMovie.h"
#include "support/GoldenImage.h"
#include "support/TestPictures.h"
#include "support/Wait.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <cmath>

namespace {

class EndToEnd : public HostFixture {};

TEST_F(EndToEnd, ShutterCardSaveWritesTheCameraWindowAsJpeg) {
    const QString camera = dir.filePath("camera.png");
    const QImage scene = testsupport::smoothCameraScene();
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
    const QRect inside(2, 2, 236, 176);
    const double quality = testsupport::psnr(photo.copy(inside), expected.copy(inside));
    RecordProperty("psnr_db", std::to_string(quality));
    EXPECT_GT(quality, 32.0);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// The shutter's card is on disc in the program directory at once, and the next start of
// the program brings it back to the tray.
TEST_F(EndToEnd, TheShuttersCardIsKeptInTheProgramDirectoryAndComesBack) {
    const QString camera = dir.filePath("camera.png");
    ASSERT_TRUE(testsupport::smoothCameraScene().save(camera));
    qputenv("IVEMBA_TEST_CAMERA", QFile::encodeName(camera));
    const auto play = [this] {
        player::MovieRegistry registry;
        shell::registerMovie(registry);
        start(std::move(registry));
        form1->show();
        player::Clip* root = form1->ShockwaveFlash1->stage().root();
        EXPECT_TRUE(testsupport::waitUntil([&] { return root->resolve("/manage_mc") != nullptr; }));
        return root;
    };
    player::Clip* root = play();
    ASSERT_TRUE(testsupport::waitUntil([&] { return root->var("caminited").toBool(); }));
    testsupport::spin(300);
    root->call("CaptureDo");
    const QDir photos(dir.filePath("photos"));
    EXPECT_EQ(photos.entryList({"*.png"}, QDir::Files).size(), 1);
    form1.reset();
    qunsetenv("IVEMBA_TEST_CAMERA");

    root = play();
    ASSERT_TRUE(testsupport::waitUntil([&] {
        player::Clip* kept = root->resolve("/manage_mc/KeptPhoto1");
        return kept && kept->resolve("pic");
    }));
    EXPECT_EQ(root->var("info_Capture_count").toInt(), 0);
}

} // namespace
