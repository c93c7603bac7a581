#include "player/Clip.h"
#include "player/Stage.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

using player::Clip;
using player::Stage;

namespace {

TEST(FrameClock, RunsOnlyWhileSomethingNeedsFrames) {
    Stage stage;
    EXPECT_FALSE(stage.clock().isRunning());
    Clip* hint = stage.root()->createEmptyMovieClip("hint", 1);
    hint->timeline().setTotalFrames(18);
    hint->play();
    EXPECT_TRUE(stage.clock().isRunning());
    hint->stop();
    EXPECT_FALSE(stage.clock().isRunning());
    hint->onEnterFrame([] {});
    EXPECT_TRUE(stage.clock().isRunning());
    hint->removeMovieClip();
    EXPECT_FALSE(stage.clock().isRunning());
}

TEST(FrameClock, PlayingTimelineLoopsAndRunsFrameScripts) {
    Stage stage;
    Clip* clip = stage.root()->createEmptyMovieClip("loop", 1);
    QList<int> entered;
    for (int f = 1; f <= 3; ++f)
        clip->timeline().setScript(f, [&entered, f] { entered << f; });
    clip->gotoAndPlay(1);
    for (int i = 0; i < 4; ++i)
        stage.clock().tick();
    EXPECT_EQ(entered, QList<int>({1, 2, 3, 1, 2}));
}

TEST(FrameClock, ScriptThatStopsItsTimelineStaysOnItsFrame) {
    Stage stage;
    Clip* root = stage.root();
    root->timeline().setScript(2, [root] { root->stop(); });
    root->gotoAndPlay(1);
    stage.clock().tick();
    stage.clock().tick();
    EXPECT_EQ(root->currentFrame(), 2);
    EXPECT_FALSE(stage.clock().isRunning());
}

TEST(FrameClock, GotoLabelAndStop) {
    Stage stage;
    Clip* bar = stage.root()->createEmptyMovieClip("title_mc", 108);
    bar->timeline().setLabel("capture", 1);
    bar->timeline().setLabel("manage", 10);
    bar->timeline().setLabel("photo", 20);
    bar->gotoAndStop("manage");
    EXPECT_EQ(bar->currentFrame(), 10);
    bar->gotoAndStop("photo");
    EXPECT_EQ(bar->currentFrame(), 20);
}

TEST(Intervals, OneShotClearedInsideItsCallbackRunsOnce) {
    Stage stage;
    int runs = 0;
    int handle = 0;
    handle = stage.intervals().setInterval(
        [&] {
            ++runs;
            stage.intervals().clearInterval(handle);
        },
        5);
    testsupport::spin(80);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(stage.intervals().count(), 0);
}

TEST(Intervals, RepeatsUntilCleared) {
    Stage stage;
    int runs = 0;
    const int handle = stage.intervals().setInterval([&] { ++runs; }, 5);
    ASSERT_TRUE(testsupport::waitUntil([&] { return runs >= 3; }));
    stage.intervals().clearInterval(handle);
    const int seen = runs;
    testsupport::spin(40);
    EXPECT_EQ(runs, seen);
}

} // namespace
