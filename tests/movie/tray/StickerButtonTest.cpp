#include "player/Services.h"
#include "support/TrayMovie.h"

#include <gtest/gtest.h>

namespace {

using player::Clip;
using traytest::TrayMovie;

struct Offered {
    QList<QImage> cards;
    int front = -1;
    int times = 0;
};

void record(TrayMovie& movie, Offered& offered) {
    movie.stage().services().openStickerSheet = [&offered](const QList<QImage>& cards, int front,
                                                           QWidget*) {
        offered.cards = cards;
        offered.front = front;
        ++offered.times;
    };
}

QRgb centre(const QImage& picture) {
    return picture.pixel(120, 90) | 0xFF000000u;
}

TEST(StickerButton, OffersEveryShownCardOldestFirstWithTheOneInFront) {
    TrayMovie movie;
    Offered offered;
    record(movie, offered);
    Clip* button = movie.tray()->child("but_stickers");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->pos(), QPointF(651.3, 4));
    button->release();
    EXPECT_EQ(offered.times, 0) << "an empty tray has nothing to print";

    const QRgb colours[] = {0xFFCC3333, 0xFF33CC33, 0xFF3333CC, 0xFFEEEE11};
    for (QRgb colour : colours)
        movie.snap(colour);
    movie.card(4)->child("but_delete")->release();
    button->release();
    ASSERT_EQ(offered.cards.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(offered.cards.at(i).size(), QSize(240, 180));
        EXPECT_EQ(centre(offered.cards.at(i)), colours[i]) << i;
    }
    EXPECT_EQ(offered.front, 2) << "the newest lies on top";

    movie.card(2)->child("pic")->press();
    movie.card(2)->child("pic")->release();
    button->release();
    EXPECT_EQ(offered.front, 1);
}

} // namespace
