#include "player/Bitmap.h"

#include "player/Clip.h"
#include "player/Stage.h"

#include <gtest/gtest.h>

using player::Bitmap;
using player::Clip;

namespace {

TEST(Bitmap, NewTransparentBitmapIsTransparentBlackAndOpaqueIsFilled) {
    Bitmap snapshot(240, 180, true, 0);
    EXPECT_EQ(snapshot.getPixel32(0, 0), 0u);
    Bitmap save(240, 180, false, 0xFF000000);
    EXPECT_EQ(save.getPixel(239, 179), 0u);
    EXPECT_EQ(save.getPixel32(239, 179), 0xFF000000u);
    EXPECT_EQ(save.getPixel(240, 0), 0u) << "outside reads as 0";
}

TEST(Bitmap, DrawUsesTheSourcesOwnCoordinatesNotItsPlacement) {
    player::Stage stage;
    Clip* view = stage.root()->createEmptyMovieClip("dv", 67);
    view->setPos(270, 36);
    view->setScale(100.62, 100.83);
    Clip* picture = view->createEmptyMovieClip("cam_pic_mc", 3);
    picture->setPos(10, 10);
    picture->createEmptyMovieClip("red", 1)->setRect({0, 0, 10, 10}, Qt::red);

    Bitmap snapshot(240, 180, true, 0);
    snapshot.draw(*picture);
    EXPECT_EQ(snapshot.getPixel(5, 5), 0xFF0000u);
    EXPECT_EQ(snapshot.getPixel32(15, 15), 0u);
}

TEST(Bitmap, HiddenChildrenAreNotDrawnAndMasksCut) {
    player::Stage stage;
    Clip* picture = stage.root()->createEmptyMovieClip("cam_pic_mc", 3);
    Clip* hidden = picture->createEmptyMovieClip("border_mc", 17);
    hidden->setRect({0, 0, 240, 180}, Qt::green);
    hidden->hide();
    Clip* masked = picture->createEmptyMovieClip("my_video_mc", 1);
    masked->setMaskRect({0, 0, 100, 100});
    masked->createEmptyMovieClip("video", 1)->setRect({-50, -50, 400, 400}, Qt::blue);

    Bitmap snapshot(240, 180, true, 0);
    snapshot.draw(*picture);
    EXPECT_EQ(snapshot.getPixel(50, 50), 0x0000FFu);
    EXPECT_EQ(snapshot.getPixel32(150, 150), 0u);
}

TEST(Bitmap, AlphaOfChildrenBlendsOverWhatLiesBelow) {
    player::Stage stage;
    Clip* picture = stage.root()->createEmptyMovieClip("pic", 3);
    picture->createEmptyMovieClip("plate", 1)->setRect({0, 0, 10, 10}, QColor(0x99, 0x99, 0x99));
    Clip* top = picture->createEmptyMovieClip("top", 2);
    top->setRect({0, 0, 10, 10}, Qt::white);
    top->setAlpha(50);
    Bitmap save(240, 180, false, 0xFF000000);
    save.draw(*picture);
    const quint32 grey = save.getPixel(5, 5) & 0xFF;
    EXPECT_NEAR(grey, (0x99 + 0xFF) / 2, 2);
}

} // namespace
