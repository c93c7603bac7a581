#include "ShellFixture.h"

namespace shelltest {
namespace {

struct Placement {
    int depth;
    const char* name; // "" for the clips without an instance name
    bool shown;       // in the browser edition, once the movie waits on frame 2
};

const Placement kStage[] = {
    {1, "", true},
    {7, "bg_mc", true},
    {9, "manage_mc", false},
    {14, "capture_mc", true},
    {106, "", true},
    {108, "title_mc", true},
    {120, "Lwz", false},
    {123, "Upload_mc", false},
    {126, "", true},
    {127, "", true},
    {128, "softinfo_button", true},
    {130, "软件边框_mc", true},
    {132, "Upload_Status_mc", false},
    {137, "but_quit", false},
    {140, "but_help", false},
    {143, "but_miniapp", false},
    {146, "Uploadsetting_mc", false},
    {159, "", true},
    {161, "upload_hintMsg_mc", false},
    {165, "NewBorder_hintMsg_mc", false},
    {168, "BorderDone_hintMsg_mc", false},
};

using LayoutTest = ShellMovie;

// Where each clip lies and how large it is, the stage's reference pictures show.
TEST_F(LayoutTest, EveryClipAtItsDepth) {
    start();
    QList<int> depths;
    for (const Placement& p : kStage) {
        SCOPED_TRACE(p.depth);
        player::Clip* c = root()->childAtDepth(p.depth);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->name(), QString::fromUtf8(p.name));
        EXPECT_EQ(c->isVisible(), p.shown);
        depths << p.depth;
    }
    for (player::Clip* c : root()->childClips())
        EXPECT_TRUE(depths.contains(c->depth())) << "unexpected clip at depth " << c->depth();
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
