#include "support/CaptureHarness.h"
#include "support/Wait.h"

#include <QPointer>
#include <QUrl>
#include <gtest/gtest.h>

namespace capturetest {
namespace {

using player::Clip;

// A border: opaque red band on top, half-transparent green band at the bottom, clear
// in between.
QImage borderPicture() {
    QImage image(240, 180, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 240; ++x)
            image.setPixel(x, y, qRgba(255, 0, 0, 255));
    for (int y = 150; y < 180; ++y)
        for (int x = 0; x < 240; ++x)
            image.setPixel(x, y, qRgba(0, 255, 0, 128));
    return image;
}

bool hasBorder(const player::Bitmap& shot) {
    return shot.getPixel(120, 15) == 0xFF0000u;
}

class BorderTest : public ::testing::Test {
protected:
    CaptureHarness h;
    QString border = h.writePng(QStringLiteral("border.png"), borderPicture());
    Clip* holder() const { return h.at(QStringLiteral("dv/cam_pic_mc/border_mc")); }
    Clip* strip() const { return h.at(QStringLiteral("dv/Load_Prec")); }
};

TEST_F(BorderTest, CompositesOverTheCameraPicture) {
    h.loadBorder(5, border);
    EXPECT_TRUE(holder()->isVisible());
    EXPECT_EQ(h.view()->var(QStringLiteral("_CurrentId")).toInt(), 5);
    const player::BitmapPtr shot = h.snapshot();
    EXPECT_EQ(shot->getPixel(120, 15), 0xFF0000u);
    // Clear part: the camera.
    EXPECT_LE(colourDistance(shot->getPixel(120, 90), CaptureHarness::cameraAt(159.8, 120.7)), 3);
    // Half-transparent part: half camera, half green.
    const QRgb camera = CaptureHarness::cameraAt(159.8, 160 + 30.7);
    const QRgb blended = qRgb((qRed(camera) * 127) / 255, (qGreen(camera) * 127 + 255 * 128) / 255,
                              (qBlue(camera) * 127) / 255);
    EXPECT_LE(colourDistance(shot->getPixel(120, 160), blended), 4);
    EXPECT_EQ(qAlpha(shot->getPixel32(120, 160)), 255);
}

TEST_F(BorderTest, NoBorderButtonHidesItButKeepsThePicture) {
    h.loadBorder(1, border);
    Clip* button = h.at(QStringLiteral("No_border_button"));
    button->press();
    button->release();
    EXPECT_FALSE(holder()->isVisible());
    EXPECT_FALSE(hasBorder(*h.snapshot()));
    const Clip* inside = holder()->child(QStringLiteral("Boder_inside_mc"));
    EXPECT_EQ(inside->contentRect().size(), QSizeF(240, 180));
}

TEST_F(BorderTest, IsAbsentWhileLoading) {
    h.loadBorder(1, border);
    h.view()->call(QStringLiteral("LoadBorder"), {2, border});
    EXPECT_TRUE(strip()->isVisible());
    EXPECT_EQ(strip()->var(QStringLiteral("TheValue_text")).toString(),
              QStringLiteral("加载边框 ......0 %"));
    EXPECT_FALSE(hasBorder(*h.snapshot()));
    EXPECT_TRUE(testsupport::waitUntil([this] { return holder()->isVisible(); }));
    EXPECT_FALSE(strip()->isVisible());
    EXPECT_TRUE(hasBorder(*h.snapshot()));
}

TEST_F(BorderTest, FailedLoadHidesTheStripAndLeavesNoBorder) {
    const QString notAPicture = h.dir() + QStringLiteral("/text.png");
    QFile file(notAPicture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture at all");
    file.close();
    for (const QString& address :
         {h.dir() + QStringLiteral("/missing.png"), notAPicture, QStringLiteral("")}) {
        h.loadBorder(1, border);
        h.loadBorder(9, address);
        EXPECT_FALSE(strip()->isVisible()) << address.toStdString();
        EXPECT_FALSE(holder()->isVisible()) << address.toStdString();
        EXPECT_FALSE(hasBorder(*h.snapshot())) << address.toStdString();
    }
}

TEST_F(BorderTest, LoadsFileAddressesToo) {
    h.loadBorder(3, QUrl::fromLocalFile(border).toString());
    EXPECT_TRUE(holder()->isVisible());
    EXPECT_TRUE(hasBorder(*h.snapshot()));
}

TEST_F(BorderTest, StripShowsThePercentageRoundedDown) {
    strip()->call(QStringLiteral("SetValue"), {42.7});
    EXPECT_EQ(strip()->var(QStringLiteral("TheValue_text")).toString(),
              QStringLiteral("加载边框 ......42 %"));
    EXPECT_DOUBLE_EQ(strip()->child(QStringLiteral("Load_head_mc"))->xScale(), 42.7);
}

TEST_F(BorderTest, RedetectionKeepsAShownBorderAndResetsTheId) {
    h.loadBorder(7, border);
    QPointer<QObject> oldLoader = h.view()->var(QStringLiteral("mcLoader")).value<QObject*>();
    h.view()->gotoAndPlay(1);
    EXPECT_EQ(h.view()->var(QStringLiteral("_CurrentId")).toInt(), 0);
    EXPECT_TRUE(oldLoader.isNull());
    EXPECT_TRUE(h.view()->var(QStringLiteral("mcLoader")).value<QObject*>());
    EXPECT_TRUE(holder()->isVisible());
    EXPECT_FALSE(strip()->isVisible());
    h.stage().clock().tick();
    EXPECT_TRUE(hasBorder(*h.snapshot()));
    // The new loader works.
    h.loadBorder(8, border);
    EXPECT_TRUE(holder()->isVisible());
}

TEST_F(BorderTest, RedetectionDuringALoadDropsIt) {
    h.view()->call(QStringLiteral("LoadBorder"), {4, border});
    h.view()->gotoAndPlay(1);
    h.stage().clock().tick();
    testsupport::spin(300);
    EXPECT_FALSE(strip()->isVisible());
    EXPECT_FALSE(holder()->isVisible());
}

} // namespace
} // namespace capturetest
