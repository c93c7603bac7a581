#include "player/Stage.h"

#include "player/Clip.h"
#include "support/Wait.h"

#include <QCoreApplication>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <gtest/gtest.h>

using player::Clip;
using player::Stage;

namespace {

struct StageTest : ::testing::Test {
    Stage stage;
    Clip* root = stage.root();
    QStringList events;

    Clip* button(Clip* parent, const QString& name, int depth, QRectF rect) {
        Clip* b = parent->createEmptyMovieClip(name, depth);
        b->createEmptyMovieClip("face", 1)->setRect(rect, Qt::red);
        b->onPress([this, name] { events << name + ":press"; });
        b->onRelease([this, name] { events << name + ":release"; });
        b->onReleaseOutside([this, name] { events << name + ":outside"; });
        return b;
    }
};

TEST_F(StageTest, TopmostButtonUnderThePointerGetsThePress) {
    Clip* low = button(root, "low", 1, {0, 0, 100, 100});
    Clip* high = button(root, "high", 2, {50, 50, 100, 100});
    EXPECT_EQ(stage.buttonAt({75, 75}), high);
    EXPECT_EQ(stage.buttonAt({25, 25}), low);
    EXPECT_EQ(stage.buttonAt({300, 300}), nullptr);
    high->hide();
    EXPECT_EQ(stage.buttonAt({75, 75}), low);
}

TEST_F(StageTest, PlainGraphicsAboveAButtonDoNotBlockIt) {
    Clip* b = button(root, "b", 1, {0, 0, 100, 100});
    root->createEmptyMovieClip("veil", 2)->setRect({0, 0, 800, 600}, QColor(255, 255, 255, 40));
    EXPECT_EQ(stage.buttonAt({10, 10}), b);
}

TEST_F(StageTest, ButtonInsideAMaskIsHitOnlyWithinTheMask) {
    Clip* holder = root->createEmptyMovieClip("photo_mc", 1);
    holder->setMaskRect({0, 0, 240, 180});
    Clip* b = button(holder, "pic", 1, {-100, -100, 600, 600});
    EXPECT_EQ(stage.buttonAt({100, 100}), b);
    EXPECT_EQ(stage.buttonAt({300, 100}), nullptr);
}

TEST_F(StageTest, HitAreaFollowsPositionAndScale) {
    Clip* b = button(root, "b", 1, {0, 0, 10, 10});
    b->setPos(100, 100);
    b->setScale(200, 200);
    EXPECT_EQ(stage.buttonAt({115, 115}), b);
    EXPECT_EQ(stage.buttonAt({125, 125}), nullptr);
}

void sendMouse(Stage& stage, QEvent::Type type, QPointF at) {
    QGraphicsSceneMouseEvent event(type);
    event.setScenePos(at);
    event.setButton(type == QEvent::GraphicsSceneMouseMove ? Qt::NoButton : Qt::LeftButton);
    event.setButtons(type == QEvent::GraphicsSceneMouseRelease ? Qt::NoButton : Qt::LeftButton);
    QCoreApplication::sendEvent(&stage, &event);
}

TEST_F(StageTest, DragFollowsThePointerWithoutCentringAndKeepsTheOriginWithinBounds) {
    Clip* tray = root->createEmptyMovieClip("manage_mc", 9);
    tray->setPos(11, 66);
    Clip* card = tray->createEmptyMovieClip("Photo1", 11);
    card->setRect({0, 0, 240, 180}, Qt::gray);
    card->setPos(40, 14);
    card->onPress([&] { card->startDrag(false, QRectF(QPointF(5, 5), QPointF(200, 100))); });
    card->onRelease([&] { card->stopDrag(); });
    card->onReleaseOutside([&] { card->stopDrag(); });

    sendMouse(stage, QEvent::GraphicsSceneMousePress, {61, 90}); // 10,10 into the card
    EXPECT_EQ(stage.dragging(), card);
    sendMouse(stage, QEvent::GraphicsSceneMouseMove, {81, 100});
    EXPECT_EQ(card->pos(), QPointF(60, 24)) << "moved with the pointer, not centred";
    sendMouse(stage, QEvent::GraphicsSceneMouseMove, {700, 500});
    EXPECT_EQ(card->pos(), QPointF(200, 100));
    sendMouse(stage, QEvent::GraphicsSceneMouseMove, {0, 0});
    EXPECT_EQ(card->pos(), QPointF(5, 5));
    sendMouse(stage, QEvent::GraphicsSceneMouseRelease, {0, 0});
    EXPECT_EQ(stage.dragging(), nullptr);
    sendMouse(stage, QEvent::GraphicsSceneMouseMove, {300, 300});
    EXPECT_EQ(card->pos(), QPointF(5, 5)) << "the drag ended with the release";
}

TEST_F(StageTest, ReleaseAwayFromThePressedButtonIsAReleaseOutside) {
    button(root, "b", 1, {0, 0, 100, 100});
    sendMouse(stage, QEvent::GraphicsSceneMousePress, {50, 50});
    sendMouse(stage, QEvent::GraphicsSceneMouseRelease, {300, 300});
    sendMouse(stage, QEvent::GraphicsSceneMousePress, {50, 50});
    sendMouse(stage, QEvent::GraphicsSceneMouseRelease, {60, 60});
    EXPECT_EQ(events, QStringList({"b:press", "b:outside", "b:press", "b:release"}));
}

TEST_F(StageTest, WheelListenersHearEveryTurnUntilTheirOwnerGoes) {
    QList<int> deltas;
    auto* owner = new QObject;
    stage.addWheelListener(owner, [&](int d) { deltas << d; });
    stage.sendWheel(3);
    stage.sendWheel(-3);
    delete owner;
    stage.sendWheel(3);
    EXPECT_EQ(deltas, QList<int>({3, -3}));
}

TEST_F(StageTest, HiddenBuiltInItemsLeaveOnlyThePlayersOwnEntries) {
    EXPECT_GT(stage.contextMenuEntries().size(), 2);
    EXPECT_TRUE(stage.contextMenuEntries().contains(player::Stage::settingsEntry()));
    stage.setBuiltInMenuItemsHidden(true);
    EXPECT_EQ(stage.contextMenuEntries(),
              QStringList({QStringLiteral("设置..."), QStringLiteral("关于 iVemba 播放器")}));
}

TEST_F(StageTest, AddressOpenerSeesUrlAndTarget) {
    QString url, target;
    stage.setAddressOpener([&](const QString& u, const QString& t) { url = u, target = t; });
    stage.getURL("http://127.0.0.1:9/iVemba/bugs.asp", "_blank");
    EXPECT_EQ(url, "http://127.0.0.1:9/iVemba/bugs.asp");
    EXPECT_EQ(target, "_blank");
}

TEST_F(StageTest, WorkAfterTheFirstPaintWaitsForAShownViewToPaint) {
    QStringList done;
    stage.afterFirstPaint(&stage, [&done] { done << "unseen"; });
    EXPECT_EQ(done, QStringList{"unseen"}) << "no view will paint: at once";
    QGraphicsView view(&stage);
    view.show();
    QObject gone;
    auto* context = new QObject;
    stage.afterFirstPaint(&gone, [&done] { done << "shown"; });
    stage.afterFirstPaint(context, [&done] { done << "dropped"; });
    delete context;
    QCoreApplication::processEvents();
    EXPECT_EQ(done.size(), 1) << "nothing before the first frame is painted";
    stage.firstFramePainted();
    EXPECT_EQ(done.size(), 1) << "not inside the paint either";
    QCoreApplication::processEvents();
    EXPECT_EQ(done, (QStringList{"unseen", "shown"}));
    stage.afterFirstPaint(&stage, [&done] { done << "later"; });
    EXPECT_EQ(done.last(), "later");
}

TEST_F(StageTest, WindowClosedRightAfterItsFirstFrameSkipsTheWaitingWork) {
    QStringList done;
    QGraphicsView view(&stage);
    view.show();
    stage.afterFirstPaint(&stage, [&done] { done << "devices"; });
    stage.firstFramePainted();
    // Asked for after the frame as a queued call, as a quit on the first frame is.
    QMetaObject::invokeMethod(
        &view,
        [&] {
            done << "closed";
            view.close();
        },
        Qt::QueuedConnection);
    testsupport::spin(50);
    EXPECT_EQ(done, QStringList{"closed"});
}

} // namespace
