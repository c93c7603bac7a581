#include "support/CaptureHarness.h"

#include <gtest/gtest.h>

namespace capturetest {
namespace {

using player::Clip;

// Points well inside the frame, off its white outline.
const QList<QPoint> kSamples = {{1, 1},    {5, 7},     {60, 40},   {120, 90},
                                {200, 30}, {237, 170}, {238, 178}, {100, 150}};

void expectCameraWindow(const player::Bitmap& bitmap) {
    for (const QPoint& p : kSamples) {
        const QRgb expected = CaptureHarness::cameraAt(p.x() + 39.8, p.y() + 30.7);
        const QRgb got = bitmap.getPixel32(p.x(), p.y());
        EXPECT_EQ(qAlpha(got), 255) << p.x() << "," << p.y();
        EXPECT_LE(colourDistance(got, expected), 3)
            << p.x() << "," << p.y() << " got " << std::hex << got << " expected " << expected;
    }
}

TEST(Snapshot, HoldsTheCameraWindowOfTheView) {
    CaptureHarness h;
    const player::BitmapPtr shot = h.snapshot();
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->width(), 240);
    EXPECT_EQ(shot->height(), 180);
    expectCameraWindow(*shot);
    // The white outline of the frame lies on top.
    EXPECT_EQ(shot->getPixel(0, 90), 0xFFFFFFu);
    EXPECT_EQ(shot->getPixel(239, 90), 0xFFFFFFu);
}

TEST(Snapshot, CountsAndHandsTheBitmapToTheTray) {
    CaptureHarness h;
    const player::BitmapPtr first = h.snapshot();
    const player::BitmapPtr second = h.snapshot();
    EXPECT_EQ(h.root()->var(QStringLiteral("info_Capture_count")).toInt(), 2);
    EXPECT_EQ(h.root()->var(QStringLiteral("CpRecord")).toInt(), 2);
    EXPECT_EQ(h.page()->var(QStringLiteral("info_Capture_count_txt")).toString(),
              QStringLiteral("您已拍摄 2 张！"));
    ASSERT_EQ(h.newPhotos().size(), 2);
    EXPECT_EQ(h.newPhotos().at(0), first);
    EXPECT_EQ(h.newPhotos().at(1), second);
}

TEST(Snapshot, TwoSnapshotsAreIndependentBitmaps) {
    CaptureHarness h;
    const player::BitmapPtr first = h.snapshot();
    const QImage before = first->image().copy();
    QImage border(240, 180, QImage::Format_ARGB32);
    border.fill(qRgba(255, 0, 0, 255));
    h.loadBorder(1, h.writePng(QStringLiteral("red.png"), border));
    const player::BitmapPtr second = h.snapshot();
    EXPECT_NE(first, second);
    EXPECT_EQ(first->image(), before);
    EXPECT_EQ(second->getPixel(120, 90), 0xFF0000u);
}

TEST(Snapshot, ShutterReleaseTakesASnapshot) {
    CaptureHarness h;
    Clip* shutter = h.at(QStringLiteral("Capture_Enter_mc"));
    ASSERT_TRUE(shutter);
    shutter->press();
    shutter->release();
    EXPECT_EQ(h.newPhotos().size(), 1);
    h.page()->call(QStringLiteral("setFrom"), {QStringLiteral("photo")});
    Clip* composite = h.at(QStringLiteral("Capture_Enter_mc2"));
    composite->press();
    composite->release();
    EXPECT_EQ(h.newPhotos().size(), 2);
}

TEST(Snapshot, LeavesOutTheViewsScaleAndShadow) {
    CaptureHarness h;
    // The view is drawn a little enlarged with a shadow; neither reaches the snapshot,
    // whose right and bottom edges are still the frame's outline.
    const player::BitmapPtr shot = h.snapshot();
    EXPECT_EQ(shot->getPixel(120, 179), 0xFFFFFFu);
    EXPECT_EQ(shot->getPixel(239, 179), 0xFFFFFFu);
    EXPECT_LE(colourDistance(shot->getPixel32(238, 178),
                             CaptureHarness::cameraAt(238 + 39.8, 178 + 30.7)),
              3);
}

TEST(PhotoType, FollowsTheMode) {
    CaptureHarness h;
    EXPECT_EQ(h.root()->call(QStringLiteral("getPhotoType")).toInt(), 1);
    h.page()->call(QStringLiteral("setFrom"), {QStringLiteral("photo")});
    EXPECT_EQ(h.root()->call(QStringLiteral("getPhotoType")).toInt(), 2);
    // Another page shown over it changes nothing: the mode is what counts.
    h.page()->hide();
    EXPECT_EQ(h.root()->call(QStringLiteral("getPhotoType")).toInt(), 2);
}

} // namespace
} // namespace capturetest
