#include "support/CaptureHarness.h"
#include "support/RenderStage.h"

#include <QDir>
#include <QPainter>
#include <gtest/gtest.h>

namespace capturetest {
namespace {

using player::Clip;

QString lookPath(const QString& name) {
    const QString dir = qEnvironmentVariableIsSet("IVEMBA_LOOK_DIR")
                            ? qEnvironmentVariable("IVEMBA_LOOK_DIR")
                            : QDir::tempPath();
    return QDir(dir).filePath(name);
}

// A border with a transparent window and a rounded orange frame.
QImage border() {
    QImage image(240, 180, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(0xff, 0x8a, 0x3d));
    QPainter p(&image);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(16, 16, 208, 148), 24, 24);
    return image;
}

// Renders the page in both modes (IVEMBA_LOOK_DIR names where the pictures go) and checks
// that what the stage shows in the view is what the snapshot holds.
TEST(CaptureLook, ViewShowsWhatTheSnapshotTakes) {
    CaptureHarness h;
    h.root()
        ->createEmptyMovieClip(QStringLiteral("window"), 1)
        ->setImage(h.stage().image(QStringLiteral("art/window.png")));
    h.loadBorder(1, h.writePng(QStringLiteral("border.png"), border()));
    Clip* shutter = h.at(QStringLiteral("Capture_Enter_mc"));
    shutter->rollOver();
    shutter->press();
    shutter->release();
    const QImage camera = testsupport::renderStage(h.stage());
    EXPECT_TRUE(camera.save(lookPath(QStringLiteral("ivemba_capture_look.png"))));
    EXPECT_TRUE(
        h.newPhotos().at(0)->image().save(lookPath(QStringLiteral("ivemba_capture_snapshot.png"))));

    // The view's centre on the stage: page (9, 66) + view (270.3, 36.05) + 120, 90 scaled.
    const QPointF centre = h.at(QStringLiteral("dv/cam_pic_mc"))->mapToScene(QPointF(120, 90));
    EXPECT_LE(
        colourDistance(camera.pixel(centre.toPoint()), h.newPhotos().at(0)->getPixel32(120, 90)),
        4);

    h.page()->call(QStringLiteral("setFrom"), {QStringLiteral("photo")});
    auto picture = std::make_shared<player::Bitmap>(300, 200, false);
    QPainter p(&picture->image());
    QLinearGradient sky(0, 0, 0, 200);
    sky.setColorAt(0, QColor(0x2f, 0x74, 0xc8));
    sky.setColorAt(1, QColor(0xf2, 0xf7, 0xfd));
    p.fillRect(QRect(0, 0, 300, 200), sky);
    p.end();
    h.root()->call(QStringLiteral("SelectThisPhoto"), {QVariant::fromValue(picture)});
    h.stage().sendWheel(-30);
    shutter->press();
    shutter->release();
    const QImage composite = testsupport::renderStage(h.stage());
    EXPECT_TRUE(composite.save(lookPath(QStringLiteral("ivemba_composite_look.png"))));
    ASSERT_EQ(h.newPhotos().size(), 2);
    const QRgb shown = composite.pixel(centre.toPoint());
    const QRgb taken = h.newPhotos().at(1)->getPixel32(120, 90);
    EXPECT_LE(colourDistance(shown, taken), 4) << "the composite snapshot is what the view shows";
    // The sky picture, not the camera: blue over red, and unlike the first snapshot.
    EXPECT_GT(qBlue(taken), qRed(taken) + 20);
    EXPECT_GT(colourDistance(taken, h.newPhotos().at(0)->getPixel32(120, 90)), 30);
}

} // namespace
} // namespace capturetest
