#include "movie/tray/Cascade.h"
#include "support/TrayMovie.h"
#include "support/Wait.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

using player::Clip;
using traytest::TrayMovie;

// A point on a card's picture near its top-left corner, which later cards of the cascade
// (30 to the right, 4 down) leave uncovered, in stage coordinates.
QPointF onPicture(const Clip& card) {
    return card.mapToScene(QPointF(6, 6));
}

TEST(TrayPage, StartsWithHiddenHintRectAndNoCards) {
    TrayMovie movie;
    Clip* tray = movie.tray();
    ASSERT_NE(tray, nullptr);
    Clip* rect = tray->child("Rect_Hint_mc");
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->depth(), 1);
    EXPECT_FALSE(rect->isVisible());
    Clip* button = tray->child("but_deleteALl_photo");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->depth(), 4);
    EXPECT_EQ(button->pos(), QPointF(717.3, 4));
    EXPECT_TRUE(tray->var("Photos_Previews").toStringList().isEmpty());
    EXPECT_TRUE(traytest::cardNames(*tray).isEmpty());
}

TEST(NewPhoto, MakesCardsOfTheSnapshotAtCascadePlacesAndDepths) {
    TrayMovie movie;
    movie.root()->setVar("testPhotoType", 2);
    auto snapshot = std::make_shared<player::Bitmap>(240, 180, true, 0xFF00FF00);
    for (int n = 1; n <= 3; ++n) {
        Clip* card = n == 2 ? movie.snapBitmap(snapshot) : movie.snap();
        ASSERT_NE(card, nullptr);
        EXPECT_EQ(card->name(), QString("Photo%1").arg(n));
        EXPECT_EQ(card->depth(), n + 10);
        EXPECT_EQ(card->pos(), tray::cascadePosition(n));
        EXPECT_EQ(card->var("PhotoType").toInt(), 2);
    }
    // The card shows the snapshot itself, so later drawing into it shows on the card.
    Clip* held = movie.card(2)->child("pic")->childAtDepth(50);
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->bitmap(), snapshot);
    EXPECT_TRUE(movie.card(2)->child("pic")->isVisible());
    EXPECT_EQ(movie.tray()->var("Photos_Previews").toStringList(),
              QStringList({"/manage_mc/Photo1", "/manage_mc/Photo2", "/manage_mc/Photo3"}));
}

TEST(NewPhoto, WithoutACountedSnapshotMakesNoCard) {
    TrayMovie movie;
    movie.tray()->call("NewPhoto", {QVariant()});
    EXPECT_TRUE(traytest::cardNames(*movie.tray()).isEmpty());
    EXPECT_TRUE(movie.tray()->var("Photos_Previews").toStringList().isEmpty());
}

TEST(BringToFront, PressedCardTakesTheFrontDepthAndTheFormerFrontCardItsOld) {
    TrayMovie movie;
    Clip* a = movie.snap();
    Clip* b = movie.snap();
    Clip* c = movie.snap();
    // Apart, so that a press reaches the card meant whichever lies in front.
    a->setPos(0, 0);
    b->setPos(300, 0);
    c->setPos(0, 250);
    movie.press(onPicture(*a));
    movie.release(onPicture(*a));
    EXPECT_EQ(a->depth(), tray::kFrontDepth);
    movie.press(onPicture(*b));
    movie.release(onPicture(*b));
    EXPECT_EQ(b->depth(), tray::kFrontDepth);
    EXPECT_EQ(a->depth(), 12);
    EXPECT_EQ(c->depth(), 13);
    // Pressing the front card again changes no depth.
    movie.press(onPicture(*b));
    movie.release(onPicture(*b));
    EXPECT_EQ(b->depth(), tray::kFrontDepth);
    EXPECT_EQ(a->depth(), 12);
}

TEST(Drag, KeepsTheCardWithinTheTrayAsMeasuredAtThePress) {
    TrayMovie movie;
    Clip* card = movie.snap();
    Clip* tray = movie.tray();
    // Hint rectangle 780×523 at 0,0 and the hint text from y = −21: 780 wide, 544 high.
    const QSizeF extent = tray->bounds(tray).size();
    ASSERT_DOUBLE_EQ(extent.width(), 780);
    ASSERT_DOUBLE_EQ(extent.height(), 544);

    const QPointF grip = onPicture(*card);
    movie.press(grip);
    movie.move(grip + QPointF(100, 20));
    EXPECT_EQ(card->pos(), tray::cascadePosition(1) + QPointF(100, 20)) << "no jump to centre";
    movie.move({5000, 5000});
    EXPECT_EQ(card->pos(), QPointF(780 - 30, 544 - 30));
    movie.move({-5000, -5000});
    EXPECT_EQ(card->pos(), QPointF(5, 5));
    movie.move({5000, 5000});
    movie.release({5000, 5000}); // outside the picture: stops the drag too
    const QPointF dropped = card->pos();
    movie.move({100, 100});
    EXPECT_EQ(card->pos(), dropped);

    // The card now reaches beyond the hint rectangle, so the next press allows more.
    const QSizeF grown = tray->bounds(tray).size();
    ASSERT_GT(grown.width(), 780);
    movie.press(onPicture(*card));
    movie.move({9000, 9000});
    EXPECT_EQ(card->pos(), QPointF(grown.width() - 30, grown.height() - 30));
    movie.release({9000, 9000});
}

TEST(Drag, RollingOntoThePictureStopsIt) {
    TrayMovie movie;
    Clip* card = movie.snap();
    movie.press(onPicture(*card));
    card->child("pic")->rollOver();
    const QPointF at = card->pos();
    movie.move({300, 300});
    EXPECT_EQ(card->pos(), at);
}

TEST(DeleteOne, EmptiesTheCardButKeepsItsNameDepthAndNumbering) {
    TrayMovie movie;
    movie.snap();
    Clip* second = movie.snap();
    movie.snap();
    second->child("but_delete")->press();
    second->child("but_delete")->release();
    QCoreApplication::processEvents();
    ASSERT_EQ(movie.card(2), second);
    EXPECT_EQ(second->depth(), 12);
    EXPECT_TRUE(second->childClips().isEmpty());
    EXPECT_EQ(movie.tray()->var("Photos_Previews").toStringList().size(), 3);
    EXPECT_EQ(movie.root()->var("info_Capture_count").toInt(), 3);
    Clip* fourth = movie.snap();
    ASSERT_NE(fourth, nullptr);
    EXPECT_EQ(fourth->name(), "Photo4");
    EXPECT_EQ(fourth->pos(), tray::cascadePosition(4));
}

void deleteAll(TrayMovie& movie) {
    Clip* button = movie.tray()->child("but_deleteALl_photo");
    button->press();
    button->release();
    QCoreApplication::processEvents();
}

TEST(DeleteAll, RemovesEveryCardOnceAndResetsTheCounter) {
    TrayMovie movie;
    Clip* capture = movie.root()->child("capture_mc");
    for (int i = 0; i < 4; ++i)
        movie.snap();
    movie.card(3)->child("but_delete")->release();
    deleteAll(movie);
    EXPECT_TRUE(traytest::cardNames(*movie.tray()).isEmpty());
    EXPECT_EQ(movie.root()->var("info_Capture_count").toInt(), 0);
    EXPECT_EQ(capture->var("info_Capture_count_txt").toString(), "您已拍摄 0 张！");
    // The page's own parts stay.
    EXPECT_NE(movie.tray()->child("Rect_Hint_mc"), nullptr);
    EXPECT_NE(movie.tray()->child("but_deleteALl_photo"), nullptr);

    // New cards reuse the old names; the list keeps growing and a later delete-all
    // takes each new card once.
    Clip* first = movie.snap(0xFFFF0000);
    movie.snap();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->name(), "Photo1");
    EXPECT_EQ(first->pos(), QPointF(40, 14));
    EXPECT_EQ(movie.tray()->var("Photos_Previews").toStringList().size(), 6);
    int destroyed = 0;
    for (Clip* card : {movie.card(1), movie.card(2)})
        QObject::connect(card, &QObject::destroyed, [&destroyed] { ++destroyed; });
    deleteAll(movie);
    // Taken off the tray at once, not only when the event loop frees them: a card still
    // found by its name would be taken again by the list's second entry of that name.
    EXPECT_TRUE(traytest::cardNames(*movie.tray()).isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(destroyed, 2);
    EXPECT_TRUE(traytest::cardNames(*movie.tray()).isEmpty());
    EXPECT_EQ(movie.tray()->var("Photos_Previews").toStringList().size(), 6);
}

TEST(DeleteAll, OnAnEmptyTrayOnlyResetsTheCounter) {
    TrayMovie movie;
    movie.root()->setVar("info_Capture_count", 7);
    deleteAll(movie);
    EXPECT_EQ(movie.root()->var("info_Capture_count").toInt(), 0);
    EXPECT_EQ(movie.root()->child("capture_mc")->var("info_Capture_count_txt").toString(),
              "您已拍摄 0 张！");
    // Hint rect, hint text and the two buttons.
    EXPECT_EQ(movie.tray()->childClips().size(), 4);
}

TEST(ManyCards, From645OnNoNewCardReplacesTheFrontCardOrAnother) {
    TrayMovie movie;
    Clip* front = movie.snap();
    movie.press(onPicture(*front));
    movie.release(onPicture(*front));
    ASSERT_EQ(front->depth(), tray::kFrontDepth);

    movie.root()->setVar("info_Capture_count", 643);
    Clip* c644 = movie.snap();
    Clip* c645 = movie.snap();
    Clip* c646 = movie.snap();
    QCoreApplication::processEvents();
    ASSERT_NE(c644, nullptr);
    ASSERT_NE(c645, nullptr);
    ASSERT_NE(c646, nullptr);
    EXPECT_EQ(movie.card(1), front);
    EXPECT_EQ(front->depth(), tray::kFrontDepth);
    EXPECT_EQ(c644->depth(), 654);
    EXPECT_EQ(c645->depth(), 656);
    EXPECT_EQ(c646->depth(), 657);
    EXPECT_EQ(c645->pos(), tray::cascadePosition(645));
    EXPECT_EQ(traytest::cardNames(*movie.tray()).size(), 4);

    // Pressing the 645th card brings it to the front; the old front card takes 656.
    movie.press(onPicture(*c645));
    movie.release(onPicture(*c645));
    EXPECT_EQ(c645->depth(), tray::kFrontDepth);
    EXPECT_EQ(front->depth(), 656);
}

} // namespace
