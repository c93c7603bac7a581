#include "ShellFixture.h"
#include "support/GoldenImage.h"
#include "support/RenderStage.h"

#include <QDir>
#include <QImage>

namespace shelltest {
namespace {

class RenderTest : public ShellMovie {
protected:
    // The stage as the player shows it. With IVEMBA_SHOT_DIR set the picture is also saved
    // there, for a look by eye.
    QImage render(const QString& name) {
        const QImage image = testsupport::renderStage(stage());
        if (const QString dir = qEnvironmentVariable("IVEMBA_SHOT_DIR"); !dir.isEmpty())
            image.save(QDir(dir).filePath(name + ".png"));
        return image;
    }
};

QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xffffff;
}

TEST_F(RenderTest, BrowserEditionShowsNoWindowButtons) {
    start();
    const QImage shot = render("browser");
    // The black outline runs round the whole stage.
    for (const QPoint p : {QPoint(0, 300), QPoint(799, 300), QPoint(400, 0), QPoint(400, 599)})
        EXPECT_EQ(at(shot, p.x(), p.y()), 0x000000u) << p.x() << "," << p.y();
    // Where the quit button would be, the title band shows through as it does further left.
    EXPECT_EQ(at(shot, 776, 17), at(shot, 640, 17));
}

TEST_F(RenderTest, DesktopEditionShowsWindowButtonsHintAndStatus) {
    start(QStringLiteral("soft"));
    widget().setVariable("OnNewBorderPublished", "");
    const QImage shot = render("desktop");
    for (const int x : {728, 753, 776})
        EXPECT_NE(at(shot, x, 17), at(shot, 640, 17)) << x;

    clip("Upload_Status_mc")->setVar("text", "正在保存图片，请稍候…");
    clip("Upload_Status_mc")->show();
    const QImage status = render("status");
    // Blue box in the middle, a lighter veil elsewhere.
    const QColor box = QColor(at(status, 200, 300));
    EXPECT_GT(box.blue(), box.red() + 60);
    const QColor veiled(at(status, 100, 250));
    const QColor bare(at(shot, 100, 250));
    ASSERT_LT(bare.lightness(), 230) << "a white spot cannot show the veil";
    EXPECT_GT(veiled.lightness(), bare.lightness() + 10);
}

// The highlight lies behind the current tab, and only there.
TEST_F(RenderTest, HighlightFollowsTheCurrentTab) {
    start(QStringLiteral("soft"));
    struct TabCase {
        const char* page;
        int highlightedTab;
    };
    for (const TabCase& c : {TabCase{"manage", 2}, TabCase{"photo", 1}, TabCase{"capture", 0}}) {
        root()->call("Shiftpage", {QString::fromUtf8(c.page)});
        widget().setVariable("OnReloadBordered", "");
        for (int i = 0; i < 3; ++i)
            stage().clock().tick();
        const QImage shot = render(QStringLiteral("tabs_") + c.page);
        for (int tab = 0; tab < 3; ++tab) {
            // A point of the tab's lower left corner, away from its label.
            const QColor under(at(shot, 53 + 120 * tab + 6, 32));
            EXPECT_EQ(under.lightness() > 230, tab == c.highlightedTab) << c.page << " " << tab;
        }
    }
}

// The whole stage against its reference picture, one row per look a person meets first.
struct LookCase {
    const char* name;
    bool desktop;
    const char* page; // "" for the page the movie starts on
    bool status;      // the status panel over the page
};

void PrintTo(const LookCase& c, std::ostream* out) {
    *out << c.name;
}

class StageLook : public RenderTest, public ::testing::WithParamInterface<LookCase> {};

TEST_P(StageLook, MatchesItsReferencePicture) {
    const LookCase& c = GetParam();
    if (c.desktop)
        start(QStringLiteral("soft"));
    else
        start();
    if (*c.page) {
        root()->call("Shiftpage", {QString::fromUtf8(c.page)});
        for (int i = 0; i < 3; ++i)
            stage().clock().tick();
    }
    if (c.status) {
        clip("Upload_Status_mc")->setVar("text", "正在保存图片，请稍候…");
        clip("Upload_Status_mc")->show();
    }
    const QString name = QStringLiteral("stage_") + QString::fromUtf8(c.name);
    EXPECT_TRUE(testsupport::matchesGolden(render(name), name + QStringLiteral(".png")));
}

INSTANTIATE_TEST_SUITE_P(Pages, StageLook,
                         ::testing::Values(LookCase{"browser", false, "", false},
                                           LookCase{"desktop", true, "", false},
                                           LookCase{"desktop_status", true, "", true},
                                           LookCase{"tray", true, "manage", false},
                                           LookCase{"photo", true, "photo", false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace shelltest
