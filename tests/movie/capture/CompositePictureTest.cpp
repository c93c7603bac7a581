#include "support/CaptureHarness.h"

#include <QApplication>
#include <QGraphicsSceneMouseEvent>
#include <gtest/gtest.h>

namespace capturetest {
namespace {

using player::Clip;

class CompositeTest : public ::testing::Test {
protected:
    void SetUp() override { h.page()->call(QStringLiteral("setFrom"), {QStringLiteral("photo")}); }

    Clip* photo() const { return h.at(QStringLiteral("dv/cam_pic_mc/FromPhoto_mc/photo_mc")); }
    Clip* fromPhoto() const { return h.at(QStringLiteral("dv/cam_pic_mc/FromPhoto_mc")); }
    QString scaleRating() const {
        return h.at(QStringLiteral("local_photo_previews_mc"))
            ->var(QStringLiteral("ScaleRating"))
            .toString();
    }
    // A picture of `size` in one colour, chosen through the root as the file slots do.
    void choose(QSize size, QRgb colour = qRgb(250, 200, 0)) {
        auto bitmap = std::make_shared<player::Bitmap>(size.width(), size.height(), false, colour);
        h.root()->call(QStringLiteral("SelectThisPhoto"), {QVariant::fromValue(bitmap)});
    }
    void mouse(QEvent::Type type, QPointF scenePos) {
        QGraphicsSceneMouseEvent event(type);
        event.setScenePos(scenePos);
        event.setButton(Qt::LeftButton);
        event.setButtons(type == QEvent::GraphicsSceneMouseRelease ? Qt::NoButton : Qt::LeftButton);
        QApplication::sendEvent(&h.stage(), &event);
    }
    // Presses on the shown part of the picture, moves by `by` stage pixels, releases.
    void drag(QPointF by) {
        const QRectF shown = photo()->bounds().intersected(QRectF(0, 0, 240, 180));
        const QPointF start = fromPhoto()->mapToScene(shown.center());
        mouse(QEvent::GraphicsSceneMousePress, start);
        mouse(QEvent::GraphicsSceneMouseMove, start + by);
        mouse(QEvent::GraphicsSceneMouseRelease, start + by);
    }

    CaptureHarness h;
};

TEST_F(CompositeTest, ChosenPictureReplacesTheHintAndStartsAt100) {
    choose({240, 180});
    EXPECT_FALSE(fromPhoto()->child(QStringLiteral("fromphoto_info_txt"))->isVisible());
    EXPECT_EQ(scaleRating(), QStringLiteral("(100%)"));
    EXPECT_EQ(photo()->var(QStringLiteral("MyPhoto_mc")).value<Clip*>(),
              photo()->child(QStringLiteral("MyPhoto")));
    const player::BitmapPtr shot = h.snapshot();
    EXPECT_EQ(shot->getPixel(120, 90), 0xFAC800u);
    // A new choice starts again at the origin and at 100 %.
    h.stage().sendWheel(-30);
    photo()->setPos(-20, -10);
    choose({300, 200}, qRgb(0, 100, 0));
    EXPECT_EQ(photo()->pos(), QPointF(0, 0));
    EXPECT_DOUBLE_EQ(photo()->xScale(), 100);
    EXPECT_EQ(h.snapshot()->getPixel(120, 90), 0x006400u);
}

TEST_F(CompositeTest, UncoveredPartShowsTheTranslucentBackdrop) {
    choose({240, 180});
    photo()->call(QStringLiteral("SetScale2"), {50, 50});
    const player::BitmapPtr shot = h.snapshot();
    EXPECT_EQ(shot->getPixel(60, 45), 0xFAC800u);
    const QRgb uncovered = shot->getPixel32(200, 150);
    EXPECT_EQ(qAlpha(uncovered), 26);
    EXPECT_EQ(qBlue(uncovered), 255);
    EXPECT_LE(qRed(uncovered) + qGreen(uncovered), 20);
}

TEST_F(CompositeTest, WheelZoomIsUniformAndLimited) {
    h.stage().sendWheel(3);
    EXPECT_DOUBLE_EQ(photo()->xScale(), 100) << "no picture chosen yet";
    choose({240, 180});
    photo()->call(QStringLiteral("SetScale2"), {50, 80});
    h.stage().sendWheel(3);
    EXPECT_DOUBLE_EQ(photo()->xScale(), 53);
    EXPECT_DOUBLE_EQ(photo()->yScale(), 53);
    EXPECT_EQ(scaleRating(), QStringLiteral("(53%)"));
    for (int i = 0; i < 100; ++i)
        h.stage().sendWheel(3);
    EXPECT_DOUBLE_EQ(photo()->xScale(), 200);
    h.stage().sendWheel(-1000);
    EXPECT_DOUBLE_EQ(photo()->xScale(), 20);
    EXPECT_EQ(scaleRating(), QStringLiteral("(20%)"));
    // Hidden, in camera mode and under the tray page, it still zooms.
    h.page()->call(QStringLiteral("setFrom"), {QStringLiteral("cam")});
    h.page()->hide();
    h.stage().sendWheel(6);
    EXPECT_DOUBLE_EQ(photo()->xScale(), 26);
}

TEST_F(CompositeTest, SetScale2LimitsThePositionWithTheSizeBeforeRescaling) {
    choose({240, 180});
    photo()->setPos(300, 300);
    photo()->call(QStringLiteral("SetScale2"), {50, 50});
    EXPECT_EQ(photo()->pos(), QPointF(160, 120));
    photo()->call(QStringLiteral("SetScale2"), {100, 100});
    photo()->setPos(-500, -500);
    photo()->call(QStringLiteral("SetScale2"), {20, 20});
    EXPECT_EQ(photo()->pos(), QPointF(160 - 240, 120 - 180));
}

struct DragCase {
    qreal scale;
    QSizeF displayed;
};

class DragTest : public CompositeTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(DragTest, KeepsTheViewCentreCovered) {
    const DragCase c = GetParam();
    choose({240, 180});
    photo()->call(QStringLiteral("SetScale2"), {c.scale, c.scale});
    // Stage pixels per view pixel (about 1).
    const qreal sx = h.view()->xScale() / 100.0, sy = h.view()->yScale() / 100.0;
    drag(QPointF(-1000, -1000));
    EXPECT_NEAR(photo()->x(), 160 - c.displayed.width(), 0.01);
    EXPECT_NEAR(photo()->y(), 120 - c.displayed.height(), 0.01);
    drag(QPointF(1000, 1000));
    EXPECT_NEAR(photo()->x(), 160, 0.01);
    EXPECT_NEAR(photo()->y(), 120, 0.01);
    // Within the bounds the picture follows the pointer without jumping to it.
    drag(QPointF(-10 * sx, -5 * sy));
    EXPECT_NEAR(photo()->x(), 150, 0.1);
    EXPECT_NEAR(photo()->y(), 115, 0.1);
}

INSTANTIATE_TEST_SUITE_P(Sizes, DragTest,
                         ::testing::Values(DragCase{100, {240, 180}}, DragCase{50, {120, 90}},
                                           DragCase{20, {48, 36}}, DragCase{200, {480, 360}}));

} // namespace
} // namespace capturetest
