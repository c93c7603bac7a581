#include "movie/widgets/PopupMenu.h"
#include "support/CaptureHarness.h"

#include <gtest/gtest.h>

namespace capturetest {
namespace {

using player::Clip;

struct Placement {
    const char* path;
    int depth;
    QPointF pos;
};

TEST(CapturePage, ElementsSitAtTheirDepthsAndPositions) {
    CaptureHarness h;
    const Placement cases[] = {
        {"listiview_form_mc", 3, {5.5, 277}},
        {"panel", 11, {-9, 95}},
        {"local_photo_previews_mc", 16, {33, 25}},
        {"Capture_Enter_mc", 53, {590.95, 81.5}},
        {"No_border_button", 55, {369.95, 244.7}},
        {"cam_tip_msg", 59, {17, -21.3}},
        {"Capture_Enter_mc2", 60, {591, 81.5}},
        {"fromphoto_tip_msg", 62, {17, -21}},
        {"button_clessselect", 63, {449.3, 244.75}},
        {"dv", 67, {270.3, 36.05}},
        {"dv/cam_pic_mc", 3, {0, 0}},
        {"dv/Load_Prec", 23, {0.2, 159.2}},
        {"dv/cam_pic_mc/my_video_mc", 1, {0, 0}},
        {"dv/cam_pic_mc/my_video_mc/my_video", 1, {-39.8, -30.7}},
        {"dv/cam_pic_mc/FromPhoto_mc", 9, {0, 0}},
        {"dv/cam_pic_mc/border_mc", 17, {33.8, -42.65}},
        {"dv/cam_pic_mc/border_mc/Boder_inside_mc", 1, {-33.8, 42.65}},
    };
    for (const Placement& c : cases) {
        const Clip* clip = h.at(QString::fromUtf8(c.path));
        ASSERT_TRUE(clip) << c.path;
        EXPECT_EQ(clip->depth(), c.depth) << c.path;
        EXPECT_EQ(clip->pos(), c.pos) << c.path;
    }
    EXPECT_FALSE(h.page()->childAtDepth(1)->isVisible());
    EXPECT_EQ(h.page()->childAtDepth(1)->name(), QStringLiteral("Rect_Hint_mc"));
    EXPECT_DOUBLE_EQ(h.view()->xScale(), 100.62);
    EXPECT_DOUBLE_EQ(h.view()->yScale(), 100.83);
    EXPECT_DOUBLE_EQ(h.at(QStringLiteral("dv/cam_pic_mc/my_video_mc/my_video"))->xScale(), 200);
    EXPECT_FALSE(h.at(QStringLiteral("dv/Load_Prec"))->isVisible());
    EXPECT_EQ(h.page()->var(QStringLiteral("classname")).toString(), QStringLiteral("(节日祝福)"));
}

struct ModeCase {
    const char* mode;
    bool camera;
};

class SetFromTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(SetFromTest, ShowsOneModesElements) {
    CaptureHarness h;
    const ModeCase c = GetParam();
    h.page()->call(QStringLiteral("setFrom"), {QString::fromUtf8(c.mode)});
    const auto shown = [&h](const char* path) {
        const Clip* clip = h.at(QString::fromUtf8(path));
        return clip->isVisibleTo(clip->parentItem());
    };
    EXPECT_EQ(shown("dv/cam_pic_mc/my_video_mc"), c.camera);
    EXPECT_EQ(shown("dv/cam_pic_mc/FromPhoto_mc"), !c.camera);
    EXPECT_EQ(shown("Capture_Enter_mc"), c.camera);
    EXPECT_EQ(shown("Capture_Enter_mc2"), !c.camera);
    EXPECT_EQ(shown("local_photo_previews_mc"), !c.camera);
    EXPECT_EQ(shown("fromphoto_tip_msg"), !c.camera);
    EXPECT_EQ(shown("cam_tip_msg"), c.camera);
}

INSTANTIATE_TEST_SUITE_P(Modes, SetFromTest,
                         ::testing::Values(ModeCase{"cam", true}, ModeCase{"photo", false},
                                           ModeCase{"", false}, ModeCase{"CAM", false}));

TEST(ClassMenu, AlertsUntilTheClassListExists) {
    CaptureHarness h;
    Clip* button = h.at(QStringLiteral("button_clessselect"));
    button->press();
    button->release();
    EXPECT_TRUE(h.traced(QStringLiteral("Alert: 提示 / 边框分类信息还未加载！")));
    // An empty class list builds no menu.
    h.page()->call(QStringLiteral("InitClassMenu"));
    EXPECT_FALSE(h.root()->var(QStringLiteral("BorderMenu")).value<QObject*>());
}

TEST(ClassMenu, ListsTheClassesAndLoadsTheChosenOne) {
    CaptureHarness h;
    const auto record = [](const QString& name, int pictures) {
        QStringList pics;
        for (int i = 0; i < pictures; ++i)
            pics.append(QString::number(i));
        return QVariantMap{{QStringLiteral("name"), name},
                           {QStringLiteral("path"), QStringLiteral("borders/x/")},
                           {QStringLiteral("pics"), pics}};
    };
    h.root()->setVar(
        QStringLiteral("_PicClasses"),
        QVariantList{record(QStringLiteral("节日祝福"), 3), record(QStringLiteral("卡通"), 1)});
    QVariantList loaded;
    h.at(QStringLiteral("listiview_form_mc"))
        ->define(QStringLiteral("LoadClass"), [&loaded](const QVariantList& args) {
            loaded.append(args.value(0));
            return QVariant();
        });
    h.page()->call(QStringLiteral("InitClassMenu"));
    EXPECT_EQ(h.page()->var(QStringLiteral("classname")).toString(), QStringLiteral("(节日祝福)"));
    auto* menu = qobject_cast<widgets::PopupMenu*>(
        h.root()->var(QStringLiteral("BorderMenu")).value<QObject*>());
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->rowHeight(), 25);
    ASSERT_EQ(menu->items().size(), 2);
    EXPECT_EQ(menu->items().at(0).label, QStringLiteral("节日祝福(3)"));
    EXPECT_EQ(menu->items().at(1).label, QStringLiteral("卡通(1)"));
    EXPECT_EQ(menu->items().at(1).id.toInt(), 2);
    EXPECT_EQ(h.root()->var(QStringLiteral("MenuItems")).toList().size(), 2);
    menu->choose(1);
    EXPECT_EQ(h.page()->var(QStringLiteral("classname")).toString(), QStringLiteral("(卡通(1))"));
    EXPECT_EQ(loaded, QVariantList{2});
    // The class button now opens the menu instead of the alert.
    const int alerts = h.traces().count(QStringLiteral("Alert: 提示 / 边框分类信息还未加载！"));
    Clip* button = h.at(QStringLiteral("button_clessselect"));
    button->press();
    button->release();
    EXPECT_EQ(h.traces().count(QStringLiteral("Alert: 提示 / 边框分类信息还未加载！")), alerts);
}

} // namespace
} // namespace capturetest
