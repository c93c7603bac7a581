#include "support/CaptureHarness.h"

#include "movie/capture/CapturePage.h"
#include "support/Wait.h"

#include <QImageWriter>
#include <cmath>
#include <gtest/gtest.h>

namespace capturetest {

using player::Clip;

namespace {

class CapturePageMovie : public player::MovieProgram {
public:
    void start(player::Stage& stage) override {
        capture::defineSymbols(stage);
        Clip* root = stage.root();
        root->timeline().setScript(2, [root] {
            root->stop();
            Clip* tray = root->createEmptyMovieClip(QStringLiteral("manage_mc"), 9);
            tray->setVar(QStringLiteral("photos"), QVariantList());
            tray->define(QStringLiteral("NewPhoto"), [root, tray](const QVariantList&) {
                QVariantList photos = tray->var(QStringLiteral("photos")).toList();
                photos.append(root->var(QStringLiteral("CaptingBmp")));
                tray->setVar(QStringLiteral("photos"), photos);
                return QVariant();
            });
            Clip* page =
                root->attachMovie(QStringLiteral("capture_page"), QStringLiteral("capture_mc"), 14);
            page->setPos(9, 66);
            root->setVar(QStringLiteral("info_Capture_count"), 0);
            root->setVar(QStringLiteral("CpRecord"), 0);
            capture::defineRootFunctions(*root);
        });
    }
};

} // namespace

QImage CaptureHarness::gradient() {
    QImage image(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            image.setPixel(x, y, qRgb(x * 255 / 319, y * 255 / 239, 128));
    return image;
}

QRgb CaptureHarness::cameraAt(double x, double y) {
    const double r = std::clamp(x, 0.0, 319.0) * 255.0 / 319.0;
    const double g = std::clamp(y, 0.0, 239.0) * 255.0 / 239.0;
    return qRgb(int(std::lround(r)), int(std::lround(g)), 128);
}

int colourDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// The camera is chosen when the player is built; its picture goes to the folder, which
// comes first.
CaptureHarness::CaptureHarness(const QString& cameraSetting,
                               const std::function<void(common::Settings&)>& adjust)
    : m_movie(testsupport::registryOf<CapturePageMovie>(), std::nullopt, [&] {
          common::Settings settings = common::Settings::fromEnvironment();
          settings.testCamera =
              QString(cameraSetting)
                  .replace(QLatin1String("%1"), writePng(QStringLiteral("camera.png"), gradient()));
          if (adjust)
              adjust(settings);
          return settings;
      }()) {
    m_movie.load(QStringLiteral(IVEMBA_TEST_BUNDLE));
    // Main frame 2 places the page; the next frame takes the page and its view to frame 2.
    EXPECT_TRUE(testsupport::waitUntil([this] { return page() != nullptr; }));
    stage().clock().tick();
    stage().clock().tick();
    QCoreApplication::processEvents();
}

Clip* CaptureHarness::page() const {
    return root()->child(QStringLiteral("capture_mc"));
}

Clip* CaptureHarness::view() const {
    return at(QStringLiteral("dv"));
}

Clip* CaptureHarness::at(const QString& pathFromPage) const {
    Clip* p = page();
    return p ? p->resolve(pathFromPage) : nullptr;
}

QList<player::BitmapPtr> CaptureHarness::newPhotos() const {
    QList<player::BitmapPtr> photos;
    const QVariantList list =
        root()->child(QStringLiteral("manage_mc"))->var(QStringLiteral("photos")).toList();
    for (const QVariant& v : list)
        photos.append(v.value<player::BitmapPtr>());
    return photos;
}

player::BitmapPtr CaptureHarness::snapshot() {
    root()->call(QStringLiteral("CaptureDo"));
    return root()->var(QStringLiteral("CaptingBmp")).value<player::BitmapPtr>();
}

void CaptureHarness::loadBorder(const QVariant& id, const QString& address) {
    view()->call(QStringLiteral("LoadBorder"), {id, address});
    Clip* strip = view()->child(QStringLiteral("Load_Prec"));
    EXPECT_TRUE(testsupport::waitUntil([strip] { return !strip->isVisible(); }));
}

QString CaptureHarness::writePng(const QString& name, const QImage& image) const {
    const QString path = m_dir.filePath(name);
    QImageWriter writer(path, "png");
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return path;
}

} // namespace capturetest
