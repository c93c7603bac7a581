#include "ShellFixture.h"
#include "movie/shell/BlinkingHint.h"

namespace shelltest {
namespace {

const QStringList kHints{"upload_hintMsg_mc", "NewBorder_hintMsg_mc", "BorderDone_hintMsg_mc"};

class HintsTest : public ShellMovie {
protected:
    void SetUp() override { start(QStringLiteral("soft")); }
    shell::BlinkingHint* hint(const QString& name) {
        return dynamic_cast<shell::BlinkingHint*>(clip(name));
    }
};

TEST_F(HintsTest, HiddenAndStillAtStart) {
    for (const QString& name : kHints) {
        ASSERT_NE(hint(name), nullptr) << name.toStdString();
        EXPECT_FALSE(hint(name)->isVisible()) << name.toStdString();
        EXPECT_FALSE(hint(name)->timeline().isPlaying()) << name.toStdString();
    }
    EXPECT_EQ(hint("upload_hintMsg_mc")->text(), "有更新版本，现在升级？");
    EXPECT_EQ(hint("NewBorder_hintMsg_mc")->text(), "有新边框发布，立即下载？");
    EXPECT_EQ(hint("BorderDone_hintMsg_mc")->text(), "重启软件查看更新的边框！");
}

TEST_F(HintsTest, NewBordersThenDoneSwapsTheHints) {
    widget().setVariable("OnNewBorderPublished", "");
    EXPECT_TRUE(hint("NewBorder_hintMsg_mc")->isVisible());
    EXPECT_TRUE(hint("NewBorder_hintMsg_mc")->timeline().isPlaying());
    EXPECT_FALSE(hint("BorderDone_hintMsg_mc")->isVisible());

    for (int i = 0; i < 2; ++i) {
        widget().setVariable("OnReloadBordered", "");
        EXPECT_FALSE(hint("NewBorder_hintMsg_mc")->isVisible());
        EXPECT_FALSE(hint("NewBorder_hintMsg_mc")->timeline().isPlaying());
        EXPECT_TRUE(hint("BorderDone_hintMsg_mc")->isVisible());
        EXPECT_TRUE(hint("BorderDone_hintMsg_mc")->timeline().isPlaying());
    }
    // Published again afterwards: the first hint returns underneath the second.
    widget().setVariable("OnNewBorderPublished", "");
    EXPECT_TRUE(hint("NewBorder_hintMsg_mc")->isVisible());
    EXPECT_LT(hint("NewBorder_hintMsg_mc")->depth(), hint("BorderDone_hintMsg_mc")->depth());
}

TEST_F(HintsTest, ClickingAHintRaisesItsCommand) {
    struct ClickCase {
        const char* variable;
        const char* hint;
        const char* command;
    };
    const ClickCase cases[] = {
        {"OnNewBorderPublished", "NewBorder_hintMsg_mc", "downloadnewborder|"},
        {"OnReloadBordered", "BorderDone_hintMsg_mc", "quitProgram|-"},
    };
    for (const ClickCase& c : cases) {
        widget().setVariable(c.variable, "");
        const QPointF at = hint(c.hint)->mapToScene(QPointF(150, 10));
        ASSERT_EQ(stage().buttonAt(at), hint(c.hint)) << c.hint;
        commands().clear();
        click(at);
        EXPECT_EQ(commands(), QStringList{c.command}) << c.hint;
    }
}

TEST_F(HintsTest, BlinksWhiteThenRedOverItsLoop) {
    struct BlinkCase {
        const char* name;
        int frames;
        int whiteFrames;
    };
    const BlinkCase cases[] = {{"NewBorder_hintMsg_mc", 18, 6},
                               {"BorderDone_hintMsg_mc", 18, 2},
                               {"upload_hintMsg_mc", 10, 2}};
    for (const BlinkCase& c : cases) {
        shell::BlinkingHint* h = hint(c.name);
        h->show();
        for (int frame = 1; frame <= 2 * c.frames; ++frame) {
            const int inLoop = (frame - 1) % c.frames + 1;
            ASSERT_EQ(h->currentFrame(), inLoop) << c.name;
            const QColor expected = inLoop <= c.whiteFrames ? Qt::white : QColor(0xff, 0, 0);
            EXPECT_EQ(h->textColor(), expected) << c.name << " frame " << frame;
            stage().clock().tick();
        }
        h->hide();
        EXPECT_FALSE(h->timeline().isPlaying());
    }
}

} // namespace
} // namespace shelltest
