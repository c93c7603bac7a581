#include "ShellFixture.h"

namespace shelltest {
namespace {

struct Placement {
    int depth;
    const char* name; // "" for the clips without an instance name
    qreal x;
    qreal y;
    bool shown; // in the browser edition, once the movie waits on frame 2
};

const Placement kStage[] = {
    {1, "", 0, 0, true},
    {7, "bg_mc", -1, 1, true},
    {9, "manage_mc", 11, 66, false},
    {14, "capture_mc", 9, 66, true},
    {106, "", 340, 574, true},
    {108, "title_mc", 53, 5, true},
    {120, "Lwz", 0.15, -37.7, false},
    {123, "Upload_mc", 85.3, -38, false},
    {126, "", 18, 573, true},
    {127, "", 661, 573, true},
    {128, "softinfo_button", 14.35, 8.55, true},
    {130, "软件边框_mc", 0, 0, true},
    {132, "Upload_Status_mc", 195, 279, false},
    {137, "but_quit", 767.05, 7.85, false},
    {140, "but_help", 718.45, 7.85, false},
    {143, "but_miniapp", 743.45, 7.85, false},
    {146, "Uploadsetting_mc", 0, 0, false},
    {159, "", 0, 0, true},
    {161, "upload_hintMsg_mc", 558.95, 8.95, false},
    {165, "NewBorder_hintMsg_mc", 547.95, 10.25, false},
    {168, "BorderDone_hintMsg_mc", 548, 9.25, false},
};

using LayoutTest = ShellMovie;

TEST_F(LayoutTest, EveryClipAtItsDepthAndPosition) {
    start();
    QList<int> depths;
    for (const Placement& p : kStage) {
        SCOPED_TRACE(p.depth);
        player::Clip* c = root()->childAtDepth(p.depth);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->name(), QString::fromUtf8(p.name));
        EXPECT_DOUBLE_EQ(c->x(), p.x);
        EXPECT_DOUBLE_EQ(c->y(), p.y);
        EXPECT_EQ(c->isVisible(), p.shown);
        depths << p.depth;
    }
    for (player::Clip* c : root()->childClips())
        EXPECT_TRUE(depths.contains(c->depth())) << "unexpected clip at depth " << c->depth();
}

TEST_F(LayoutTest, WindowPartsHaveTheirSizes) {
    start();
    EXPECT_EQ(root()->childAtDepth(1)->bounds(), QRectF(0, 0, 800, 600));
    EXPECT_EQ(clip("bg_mc")->bounds(), QRectF(-1, 1, 804, 62));
    EXPECT_NEAR(clip("bg_mc")->bounds().width(), 804, 0.01);
    EXPECT_EQ(clip("软件边框_mc")->bounds(), QRectF(0, 0, 800, 600));
    for (const char* name : {"but_quit", "but_help", "but_miniapp"})
        EXPECT_EQ(clip(name)->bounds().size(), QSizeF(19, 19)) << name;
    EXPECT_EQ(clip("title_mc")->bounds().size(), QSizeF(360, 30));
    auto* version = dynamic_cast<player::TextField*>(root()->childAtDepth(126)->childClips()[0]);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), "Ver 1.0");
}

// The outline and the veil are drawings: neither may take a click meant for the page.
TEST_F(LayoutTest, DrawingsCatchNoClicks) {
    start();
    for (const char* name : {"软件边框_mc", "Upload_Status_mc", "capture_mc"})
        EXPECT_FALSE(clip(name)->isButton()) << name;
    EXPECT_EQ(stage().buttonAt({0.5, 300}), nullptr);
}

} // namespace
} // namespace shelltest
