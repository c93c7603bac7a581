#include "ShellFixture.h"
#include "common/Settings.h"

namespace shelltest {
namespace {

struct ButtonCase {
    const char* clip;
    QPointF at; // a point on the button, stage coordinates
    const char* command;
};

using TitleBarTest = ShellMovie;

TEST_F(TitleBarTest, EachButtonRaisesItsCommand) {
    start(QStringLiteral("soft"));
    const ButtonCase cases[] = {
        {"bg_mc", {600, 50}, "ReleaseCapture|-"},     {"bg_mc", {2, 2}, "ReleaseCapture|-"},
        {"but_quit", {776.5, 17.3}, "quitProgram|-"}, {"but_help", {728, 17.3}, "requesthelp|-"},
        {"but_miniapp", {753, 17.3}, "miniapp|-"},    {"softinfo_button", {32, 26}, "ivembaabout|"},
    };
    for (const ButtonCase& c : cases) {
        ASSERT_EQ(stage().buttonAt(c.at), clip(c.clip)) << c.clip;
        commands().clear();
        click(c.at);
        EXPECT_EQ(commands(), QStringList{c.command}) << c.clip;
    }
}

TEST_F(TitleBarTest, WindowButtonsActOnReleaseAndTheStripOnPress) {
    start(QStringLiteral("soft"));
    for (const char* name : {"but_quit", "but_help", "but_miniapp", "softinfo_button"}) {
        commands().clear();
        clip(name)->press();
        EXPECT_TRUE(commands().isEmpty()) << name;
        clip(name)->releaseOutside();
        EXPECT_TRUE(commands().isEmpty()) << name;
    }
    commands().clear();
    clip("bg_mc")->press();
    EXPECT_EQ(commands(), QStringList{"ReleaseCapture|-"});
    clip("bg_mc")->release();
    EXPECT_EQ(commands().size(), 1);
}

TEST_F(TitleBarTest, FooterLinksOpenTheSiteInANewWindow) {
    start();
    struct LinkCase {
        int depth;
        const char* label;
        QString address;
    };
    const LinkCase links[] = {
        {106, "|我发现Bug或有好建议|",
         common::Settings::fromEnvironment().siteUrl("/iVemba/bugs.asp") + " _blank"},
        {127, "127.0.0.1", common::Settings::fromEnvironment().siteUrl("/") + " _blank"},
    };
    for (const LinkCase& l : links) {
        player::Clip* link = root()->childAtDepth(l.depth);
        ASSERT_NE(link, nullptr);
        auto* text = dynamic_cast<player::TextField*>(link->childClips().value(0));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->text(), QString::fromUtf8(l.label));
        opened().clear();
        click(link->bounds().center());
        EXPECT_EQ(opened(), QStringList{l.address});
    }
    EXPECT_TRUE(commands() == QStringList{"iVembaInited|"});
}

// The status panel's veil covers the stage but must not swallow clicks.
TEST_F(TitleBarTest, StatusPanelLeavesTheButtonsBelowUsable) {
    start(QStringLiteral("soft"));
    player::Clip* status = clip("Upload_Status_mc");
    status->setVar("text", "正在保存…");
    status->show();
    auto* text = dynamic_cast<player::TextField*>(status->child("text_txt"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), "正在保存…");
    commands().clear();
    click({776.5, 17.3});
    click(clip("title_mc")->child("manage_tab")->mapToScene(QPointF(60, 15)));
    EXPECT_EQ(commands(), QStringList{"quitProgram|-"});
    EXPECT_EQ(clip("title_mc")->currentFrame(), 10);
}

} // namespace
} // namespace shelltest
