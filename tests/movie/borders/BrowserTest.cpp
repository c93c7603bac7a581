#include "BrowserHarness.h"
#include "movie/widgets/PopupMenu.h"
#include "player/Bitmap.h"
#include "support/LocalSite.h"
#include "support/RenderStage.h"
#include "support/Wait.h"

#include <QScrollBar>
#include <gtest/gtest.h>

namespace borderstest {
namespace {

using player::Clip;

QList<int> range(int from, int to) {
    QList<int> list;
    for (int i = from; i <= to; ++i)
        list << i;
    return list;
}

bool scrollBarShown(const BrowserHarness& h) {
    return h.listClip()->child(QStringLiteral("scroll_mc"))->isVisible();
}

void loadClass(BrowserHarness& h, int id) {
    h.browser()->call(QStringLiteral("LoadClass"), {id});
    h.waitForThumbnails();
}

TEST(BrowserTest, TwoClassesFillTheMenuAndTheGrid) {
    BrowserHarness h;
    h.writeBorders({3, 25});
    h.start();
    ASSERT_EQ(h.browser()->currentFrame(), 8)
        << h.status().toStdString() << h.browser()->timeline().isPlaying();
    EXPECT_EQ(h.browser()->child(QStringLiteral("Rect_Hint_mc")), nullptr);
    EXPECT_TRUE(h.traces().contains(QStringLiteral("分类信息xml解析成功：2")));

    // The shipped artwork gives 6 columns and a pool of 3 rows.
    EXPECT_DOUBLE_EQ(h.listClip()->var("_ItemWidth").toDouble(), 113.3);
    EXPECT_DOUBLE_EQ(h.listClip()->var("_ItemHeight").toDouble(), 106.25);
    EXPECT_EQ(h.listClip()->var("_Cols").toInt(), 6);
    EXPECT_EQ(h.listClip()->var("_Rows").toInt(), 3);

    EXPECT_EQ(h.root()->var("MenuItems").toList().size(), 2);
    EXPECT_EQ(h.shownIndices(), range(1, 3));
    EXPECT_FALSE(scrollBarShown(h));

    auto* menu = qobject_cast<widgets::PopupMenu*>(h.root()->var("BorderMenu").value<QObject*>());
    ASSERT_NE(menu, nullptr);
    menu->choose(1);
    h.waitForThumbnails();
    EXPECT_EQ(h.root()->resolve("capture_mc")->var("classname").toString(), "(c2(21))");
    EXPECT_EQ(h.listClip()->var("_Pics").toStringList().size(), 21);
    EXPECT_EQ(h.shownIndices(), range(1, 18));
    EXPECT_TRUE(scrollBarShown(h));

    menu->choose(0);
    h.waitForThumbnails();
    EXPECT_EQ(h.shownIndices(), range(1, 3));
    EXPECT_FALSE(scrollBarShown(h));
    EXPECT_EQ(h.itemShowing(2)->var("pic_name").toString(), "2");
    EXPECT_TRUE(h.itemShowing(2)->child("mypic_mc")->isVisible());
}

TEST(BrowserTest, ScrollBarOnlyWhenThePoolIsNotGreaterThanThePictures) {
    BrowserHarness h;
    h.writeBorders({17, 18, 2});
    h.start();
    const struct {
        int id;
        bool shown;
    } cases[] = {{1, false}, {2, true}, {3, false}, {2, true}};
    for (const auto& c : cases) {
        loadClass(h, c.id);
        EXPECT_EQ(scrollBarShown(h), c.shown) << "class " << c.id;
    }
}

TEST(BrowserTest, ScrollingShiftsRowsContinuously) {
    BrowserHarness h;
    h.writeBorders({21});
    h.start();
    Clip* list = h.listClip();
    EXPECT_DOUBLE_EQ(list->var("_ScrollHeight").toDouble(), 445);
    QScrollBar* bar = h.list()->scrollBar();
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->pageStep(), 30);

    bar->setValue(50);
    EXPECT_DOUBLE_EQ(list->var("_ScrollTop").toDouble(), 222.5);
    EXPECT_EQ(h.shownIndices(), range(13, 21));
    for (int index = 13; index <= 21; ++index) {
        Clip* item = h.itemShowing(index);
        ASSERT_NE(item, nullptr) << index;
        const int column = (index - 1) % 6, row = (index - 13) / 6;
        EXPECT_DOUBLE_EQ(item->x(), column * 123.3 + 8) << index;
        EXPECT_DOUBLE_EQ(item->y(), 111.25 + (row - 1) * 111.25 + 5) << index;
    }

    // A quarter row down: every shown row moves by the same fraction.
    bar->setValue(5);
    const double top = 445 * 5 / 100.0;
    EXPECT_EQ(h.shownIndices(), range(1, 18));
    EXPECT_DOUBLE_EQ(h.itemShowing(1)->y(), 5 - top);
    EXPECT_DOUBLE_EQ(h.itemShowing(7)->y(), 5 - top + 111.25);

    bar->setValue(100);
    EXPECT_TRUE(h.shownIndices().isEmpty());

    // A new class starts at the top again, bar and grid alike.
    loadClass(h, 1);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(h.shownIndices(), range(1, 18));
}

TEST(BrowserTest, PoolIsBuiltOnceAndThumbnailsLoadOnlyForNewIndices) {
    testsupport::LocalSite site;
    BrowserHarness h;
    h.settings.siteBase = site.base();
    h.writeBorders({21, 4});
    site.serveFolder(h.dir());
    site.answer("/iVemba/tclass.xml", BrowserHarness::classList({21, 4}).toStdString(), "text/xml");
    // Nobody answers the handshake: the browser edition, played over http.
    h.start(site.url("/ivemba.swf"));
    ASSERT_EQ(h.browser()->currentFrame(), 8);
    EXPECT_EQ(site.count("/borders/borders.xml"), 0);
    EXPECT_EQ(site.count("/iVemba/tclass.xml"), 1);
    const int pool = h.itemClipCount();
    EXPECT_EQ(pool, 18 + 1); // the pool and the hidden sample

    const auto thumbs = [&site](int from, int to) {
        int n = 0;
        for (int i = from; i <= to; ++i)
            n += site.count(QStringLiteral("/borders/c1/p%1.gif").arg(i).toStdString());
        return n;
    };
    site.clearRequests();
    QScrollBar* bar = h.list()->scrollBar();
    for (int position : {1, 3, 7, 9}) { // within the first row pitch: items only move
        bar->setValue(position);
        h.waitForThumbnails();
    }
    EXPECT_EQ(thumbs(1, 21), 0);
    bar->setValue(50); // indices 19-21 take over the slots of 1-3
    h.waitForThumbnails();
    EXPECT_EQ(thumbs(19, 21), 3);
    EXPECT_EQ(thumbs(1, 18), 0);
    EXPECT_EQ(h.itemShowing(20)->var("pic_name").toString(), "20");

    site.clearRequests();
    loadClass(h, 2);
    loadClass(h, 1);
    EXPECT_EQ(thumbs(1, 18), 18); // a class change reloads every shown item once
    EXPECT_EQ(thumbs(19, 21), 0);
    EXPECT_EQ(h.itemClipCount(), pool);
}

TEST(BrowserTest, MissingThumbnailMarksOnlyItsItemAndStillOffersItsBorder) {
    BrowserHarness h;
    h.writeBorders({4});
    QFile::remove(h.dir() + "/borders/c1/p2.gif");
    h.writeFile("borders/c1/p3.gif", "this is not a picture");
    h.start();
    for (int index : {2, 3}) {
        EXPECT_EQ(h.itemShowing(index)->var("pic_name").toString(), "图片不存在！") << index;
        EXPECT_FALSE(h.itemShowing(index)->child("mypic_mc")->isVisible()) << index;
    }
    for (int index : {1, 4}) {
        EXPECT_EQ(h.itemShowing(index)->var("pic_name").toString(), QString::number(index));
        EXPECT_TRUE(h.itemShowing(index)->child("mypic_mc")->isVisible()) << index;
    }
    Clip* view = h.root()->resolve("capture_mc/dv");
    Clip* select = h.itemShowing(2)->child("ListView_item_select_mc");
    ASSERT_EQ(h.stage().buttonAt(select->mapToScene(QPointF(56, 42))), select);
    select->release();
    EXPECT_EQ(view->var("_CurrentId").toInt(), 2);
}

TEST(BrowserTest, ClickLaysTheBorderOverThePictureAndTheSnapshotHoldsIt) {
    BrowserHarness h;
    h.writeBorders({2});
    h.start();
    Clip* holder = h.root()->resolve("capture_mc/dv/cam_pic_mc/border_mc");
    ASSERT_NE(holder, nullptr);
    h.root()->call("CaptureDo");
    const QImage before = h.root()->var("CaptingBmp").value<player::BitmapPtr>()->image();

    h.itemShowing(1)->child("ListView_item_select_mc")->release();
    ASSERT_TRUE(testsupport::waitUntil([holder] { return holder->isVisible(); }));
    h.root()->call("CaptureDo");
    const QImage after = h.root()->var("CaptingBmp").value<player::BitmapPtr>()->image();
    int changed = 0;
    for (int y = 0; y < 180; y += 4)
        for (int x = 0; x < 240; x += 4)
            changed += before.pixel(x, y) != after.pixel(x, y) ? 1 : 0;
    EXPECT_GT(changed, 60 * 45 / 10);

    QImage stage = testsupport::renderStage(h.stage());
    if (const QByteArray out = qgetenv("IVEMBA_BORDERS_SHOT"); !out.isEmpty())
        stage.save(QString::fromUtf8(out));
}

TEST(BrowserTest, StatusTextsWhenThereIsNothingToShow) {
    const QString decl = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>");
    struct Case {
        const char* what;
        std::optional<QString> list;
        const char* status;
        bool loaded;
    };
    const Case cases[] = {
        {"missing class list", std::nullopt, "加载边框失败，请确定网络连接！", false},
        {"no white space after the declaration",
         decl + "<borders><class name=\"a\" path=\"borders/a/\"><pic>x</pic></class></borders>",
         "暂时没有边框！", true},
        {"not a document", decl + "\n<borders><class>", "加载边框失败，请确定网络连接！", false},
        {"only unsafe classes",
         decl + "\n<b><class name=\"a\" path=\"../../\"><pic>x</pic></class></b>", "暂时没有边框！",
         true},
    };
    for (const Case& c : cases) {
        BrowserHarness h;
        if (c.list)
            h.writeClassList(*c.list);
        h.start();
        EXPECT_EQ(h.status(), QString::fromUtf8(c.status)) << c.what;
        EXPECT_EQ(h.browser()->currentFrame(), 7) << c.what;
        EXPECT_EQ(h.listClip(), nullptr) << c.what;
        EXPECT_EQ(h.root()->var("_PicClassesInfoLoaded").toBool(), c.loaded) << c.what;
        if (!c.loaded && c.list) {
            EXPECT_TRUE(h.traces().contains(QStringLiteral("分类信息xml格式错误，解析失败")));
        }
    }
}

TEST(BrowserTest, DesktopEditionFromTheWebReadsTheMoviesOwnFolder) {
    testsupport::LocalSite site;
    BrowserHarness h;
    h.settings.siteBase = site.base();
    h.writeBorders({2});
    site.serveFolder(h.dir());
    h.start(site.url("/ivemba.swf"), QStringLiteral("soft"));
    EXPECT_EQ(site.count("/iVemba/tclass.xml"), 0);
    EXPECT_EQ(site.count("/borders/borders.xml"), 1);
    EXPECT_EQ(h.shownIndices(), range(1, 2));
    EXPECT_EQ(h.browser()->call("getPicUrl", {2}).toString(), site.url("/borders/c1/p2.png"));
}

TEST(BrowserTest, ClassListAssignedAgainIsAppended) {
    BrowserHarness h;
    h.writeBorders({2});
    h.start();
    h.root()->setVar("OnClassInfoLoadOK", BrowserHarness::classList({5, 6}));
    const QVariantList classes = h.root()->var("_PicClasses").toList();
    ASSERT_EQ(classes.size(), 3);
    EXPECT_EQ(classes[0].toMap().value("pics").toStringList().size(), 2);
    EXPECT_EQ(classes[2].toMap().value("pics").toStringList().size(), 6);
    EXPECT_TRUE(h.traces().contains(QStringLiteral("分类信息xml解析成功：3")));
}

TEST(BrowserTest, DoneHintAloneThenNewBordersUnderneath) {
    BrowserHarness h;
    h.writeBorders({1});
    h.start();
    Clip* fresh = h.root()->child("NewBorder_hintMsg_mc");
    Clip* done = h.root()->child("BorderDone_hintMsg_mc");
    h.root()->setVar("OnReloadBordered", QString());
    EXPECT_TRUE(done->isVisible());
    EXPECT_FALSE(fresh->isVisible());
    h.root()->setVar("OnNewBorderPublished", QString());
    EXPECT_TRUE(fresh->isVisible());
    EXPECT_TRUE(done->isVisible());
    EXPECT_LT(fresh->depth(), done->depth());
}

} // namespace
} // namespace borderstest
