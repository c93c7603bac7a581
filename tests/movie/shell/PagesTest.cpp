#include "ShellFixture.h"

namespace shelltest {
namespace {

struct PageCase {
    const char* target;
    int titleFrame;
    bool captureShown;
    bool manageShown;
    const char* captureMode; // argument of capture_mc.setFrom, nullptr when not called
    const char* currentTab;
};

void PrintTo(const PageCase& c, std::ostream* os) {
    *os << "Shiftpage(\"" << c.target << "\")";
}

class PagesTest : public ShellMovie, public ::testing::WithParamInterface<PageCase> {
protected:
    void SetUp() override {
        start(QStringLiteral("soft"));
        // Record the mode the page is asked for.
        clip("capture_mc")->define("setFrom", [this](const QVariantList& args) {
            modes << args.value(0).toString();
            return QVariant();
        });
    }
    QStringList modes;
};

const PageCase kPages[] = {
    {"manage", 10, false, true, nullptr, "manage_tab"},
    {"photo", 20, true, false, "photo", "photo_tab"},
    {"capture", 1, true, false, "cam", "capture_tab"},
    {"", 1, true, false, "cam", "capture_tab"},
    {"Manage", 1, true, false, "cam", "capture_tab"},
    {"cam", 1, true, false, "cam", "capture_tab"},
};

void expectState(player::Clip* title, player::Clip* capture, player::Clip* manage,
                 const PageCase& c) {
    EXPECT_EQ(title->currentFrame(), c.titleFrame);
    EXPECT_EQ(capture->isVisible(), c.captureShown);
    EXPECT_EQ(manage->isVisible(), c.manageShown);
    for (const char* tab : {"capture_tab", "photo_tab", "manage_tab"}) {
        const bool current = QLatin1String(tab) == QLatin1String(c.currentTab);
        EXPECT_EQ(title->child(tab)->isButton(), !current) << tab;
    }
}

TEST_P(PagesTest, ShiftpageSetsTabBarAndPages) {
    const PageCase& c = GetParam();
    // From every other page.
    for (const char* from : {"manage", "photo", "capture"}) {
        root()->call("Shiftpage", {from});
        modes.clear();
        root()->call("Shiftpage", {QString::fromUtf8(c.target)});
        expectState(clip("title_mc"), clip("capture_mc"), clip("manage_mc"), c);
        EXPECT_EQ(modes, c.captureMode ? QStringList{c.captureMode} : QStringList{}) << from;
    }
}

TEST_P(PagesTest, TabsSwitchPagesAndTheCurrentTabIsInert) {
    const PageCase& c = GetParam();
    root()->call("Shiftpage", {QString::fromUtf8(c.target)});
    player::Clip* title = clip("title_mc");
    player::Clip* current = title->child(c.currentTab);
    const QPointF centre = current->mapToScene(QPointF(60, 15));
    EXPECT_NE(stage().buttonAt(centre), current);
    modes.clear();
    click(centre);
    expectState(title, clip("capture_mc"), clip("manage_mc"), c);
    EXPECT_TRUE(modes.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Targets, PagesTest, ::testing::ValuesIn(kPages));

using TabBarTest = ShellMovie;

TEST_F(TabBarTest, EachTabLeadsToItsPage) {
    start();
    struct TabCase {
        const char* tab;
        const char* label;
        qreal x;
        int frame;
    };
    const TabCase tabs[] = {{"manage_tab", "整  理", 240, 10},
                            {"photo_tab", "合  成", 120, 20},
                            {"capture_tab", "拍   摄", 0, 1},
                            {"manage_tab", "整  理", 240, 10}};
    player::Clip* title = clip("title_mc");
    for (const TabCase& t : tabs) {
        player::Clip* tab = title->child(t.tab);
        EXPECT_EQ(tab->x(), t.x);
        auto* label = dynamic_cast<player::TextField*>(tab->child("label_txt"));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(t.label));
        const QPointF centre = tab->mapToScene(QPointF(60, 15));
        ASSERT_EQ(stage().buttonAt(centre), tab) << t.tab;
        click(centre);
        EXPECT_EQ(title->currentFrame(), t.frame) << t.tab;
        EXPECT_EQ(title->child("highlight_mc")->x(), t.x);
        EXPECT_FALSE(tab->isButton());
    }
    EXPECT_TRUE(commands().filter("Shiftpage").isEmpty());
}

} // namespace
} // namespace shelltest
