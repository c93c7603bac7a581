#include "player/Clip.h"

#include "player/Bitmap.h"
#include "player/Stage.h"
#include "support/Wait.h"

#include <QPointer>
#include <gtest/gtest.h>

using player::Clip;
using player::Stage;

namespace {

struct ClipTest : ::testing::Test {
    Stage stage;
    Clip* root = stage.root();
};

TEST_F(ClipTest, TargetPathsResolveFromRootAndRelative) {
    Clip* page = root->createEmptyMovieClip("capture_mc", 14);
    Clip* list = page->createEmptyMovieClip("local_photo_previews_mc", 16);
    Clip* slot = list->createEmptyMovieClip("photo_1", 1);

    EXPECT_EQ(slot->targetPath(), "/capture_mc/local_photo_previews_mc/photo_1");
    EXPECT_EQ(root->resolve("/capture_mc/local_photo_previews_mc/photo_1"), slot);
    EXPECT_EQ(slot->resolve("/capture_mc"), page);
    EXPECT_EQ(slot->resolve("../.."), page);
    EXPECT_EQ(page->resolve("local_photo_previews_mc/photo_1"), slot);
    EXPECT_EQ(root->resolve("/capture_mc/nothing"), nullptr);
    EXPECT_EQ(root->resolve("/"), root);
    EXPECT_EQ(root->targetPath(), "/");
}

TEST_F(ClipTest, AttachingAtATakenDepthReplacesTheClipThere) {
    QPointer<Clip> first = root->createEmptyMovieClip("a", 5);
    Clip* second = root->createEmptyMovieClip("b", 5);
    EXPECT_EQ(root->childAtDepth(5), second);
    EXPECT_EQ(root->child("a"), nullptr);
    testsupport::spin(1);
    EXPECT_TRUE(first.isNull());
}

TEST_F(ClipTest, SwapDepthsExchangesWithTheHolderOfTheTargetDepth) {
    Clip* a = root->createEmptyMovieClip("a", 11);
    Clip* b = root->createEmptyMovieClip("b", 12);
    a->swapDepths(655);
    EXPECT_EQ(a->depth(), 655);
    b->swapDepths(655);
    EXPECT_EQ(b->depth(), 655);
    EXPECT_EQ(a->depth(), 12);
    b->swapDepths(655);
    EXPECT_EQ(b->depth(), 655);
    EXPECT_EQ(a->depth(), 12);
}

TEST_F(ClipTest, UnloadKeepsNameAndDepthButDropsContent) {
    Clip* card = root->createEmptyMovieClip("Photo1", 11);
    card->createEmptyMovieClip("pic", 3)->setRect({0, 0, 240, 180}, Qt::gray);
    card->unloadMovie();
    testsupport::spin(1);
    EXPECT_EQ(root->child("Photo1"), card);
    EXPECT_EQ(card->depth(), 11);
    EXPECT_TRUE(card->childClips().isEmpty());
    EXPECT_TRUE(card->bounds().isNull());
}

TEST_F(ClipTest, RemovedClipFreesItsNameAndDepthAtOnce) {
    Clip* card = root->createEmptyMovieClip("Photo1", 11);
    card->removeMovieClip();
    EXPECT_EQ(root->child("Photo1"), nullptr);
    EXPECT_EQ(root->childAtDepth(11), nullptr);
    Clip* again = root->createEmptyMovieClip("Photo1", 11);
    EXPECT_EQ(root->child("Photo1"), again);
}

TEST_F(ClipTest, WatcherRunsOnEveryAssignmentAndDecidesTheStoredValue) {
    int runs = 0;
    QVariant seenOld;
    root->setVar("SetIdeType", "ie");
    root->watch("SetIdeType", [&](const QVariant& oldValue, const QVariant&) {
        ++runs;
        seenOld = oldValue;
        return QVariant("soft");
    });
    root->setVar("SetIdeType", "anything");
    root->setVar("SetIdeType", "anything");
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(seenOld.toString(), "soft");
    EXPECT_EQ(root->var("SetIdeType").toString(), "soft");
}

TEST_F(ClipTest, FunctionsAreCalledByNameAndUnknownOnesAreTraced) {
    QStringList traces;
    QObject::connect(&stage, &Stage::traced, [&](const QString& t) { traces << t; });
    root->define("twice", [](const QVariantList& a) { return a.value(0).toInt() * 2; });
    EXPECT_EQ(root->call("twice", {21}).toInt(), 42);
    EXPECT_FALSE(root->call("missing").isValid());
    ASSERT_EQ(traces.size(), 1);
    EXPECT_TRUE(traces.first().contains("missing"));
}

TEST_F(ClipTest, BoundsIncludeHiddenChildrenAndFollowScale) {
    Clip* tray = root->createEmptyMovieClip("manage_mc", 9);
    Clip* hint = tray->createEmptyMovieClip("Rect_Hint_mc", 1);
    hint->setRect({0, 0, 780, 523}, Qt::white);
    hint->hide();
    Clip* card = tray->createEmptyMovieClip("Photo1", 11);
    card->setRect({0, 0, 240, 180}, Qt::gray);
    card->setPos(700, 500);
    EXPECT_DOUBLE_EQ(tray->width(), 940);
    EXPECT_DOUBLE_EQ(tray->height(), 680);
    tray->setScale(50, 200);
    EXPECT_DOUBLE_EQ(tray->width(), 470);
    EXPECT_DOUBLE_EQ(tray->height(), 1360);
}

TEST_F(ClipTest, AttachedBitmapIsSharedNotCopied) {
    auto bitmap = std::make_shared<player::Bitmap>(240, 180, true, 0);
    Clip* pic = root->createEmptyMovieClip("pic", 3);
    Clip* holder = pic->attachBitmap(bitmap, 50);
    EXPECT_EQ(holder->bitmap().get(), bitmap.get());
    EXPECT_EQ(pic->childAtDepth(50), holder);
}

TEST_F(ClipTest, AttachMovieBuildsFromTheLibraryWithInitialValues) {
    stage.library().define("Photo_model", [](Clip& c) {
        c.createEmptyMovieClip("pic", 3);
        c.setVar("built", c.var("PhotoType"));
    });
    Clip* card = root->attachMovie("Photo_model", "Photo1", 11, {{"PhotoType", 2}});
    ASSERT_NE(card, nullptr);
    EXPECT_NE(card->child("pic"), nullptr);
    EXPECT_EQ(card->var("built").toInt(), 2);
    EXPECT_EQ(root->attachMovie("NoSuchSymbol", "x", 12), nullptr);
}

} // namespace
