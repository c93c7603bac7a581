#include "UpdateWindowFixture.h"
#include "support/GoldenImage.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <httplib.h>
#include <thread>

namespace updates::test {
namespace {

TEST_F(UpdateWindowTest, ComponentsAndTheirTexts) {
    open(historyXml({{"1", "http://h/1.xml", "春季边框"}, {"2", "http://h/2.xml", QString()}}));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("边框更新"));
    EXPECT_EQ(form->size(), QSize(313, 354));
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(form->isModal());
    EXPECT_EQ(form->Label1->text(), QStringLiteral("总进度"));
    EXPECT_EQ(form->Label2->text(), QStringLiteral("边框更新包"));
    EXPECT_EQ(form->Button1->text(), QStringLiteral("更新"));
    EXPECT_EQ(form->Button2->text(), QStringLiteral("取消"));
    // One unticked line per package, its annotation as text; none when it has none.
    ASSERT_EQ(form->CheckListBox1->count(), 2);
    EXPECT_EQ(form->CheckListBox1->item(0)->text(), QStringLiteral("春季边框"));
    EXPECT_EQ(form->CheckListBox1->item(1)->text(), QString());
    EXPECT_EQ(form->CheckListBox1->item(0)->checkState(), Qt::Unchecked);
    // Where each part lies and how it looks, the window's reference picture shows.
    EXPECT_TRUE(testsupport::matchesGolden(form->grab().toImage(), "update_window.png"));
}

TEST_F(UpdateWindowTest, NothingTickedStartsNothing) {
    open(publishPackages({{{"新", {serveFile("a.gif")}}}}));
    form->Button1Click();
    EXPECT_EQ(form->StatusBar1->currentMessage(), QStringLiteral("请至少选择一个更新包"));
    EXPECT_EQ(caption(), QStringLiteral("更新"));
    EXPECT_TRUE(form->CheckListBox1->isEnabled());
    testsupport::spin(50);
    EXPECT_TRUE(site.requests().empty());
}

TEST_F(UpdateWindowTest, ChosenLinesInTheirOrder) {
    const QByteArray history =
        publishPackages({{{"甲", {serveFile("a0.gif"), serveFile("a0.png")}}},
                         {{"乙", {serveFile("b.gif")}}},
                         {{"丙", {serveFile("c.gif"), serveFile("c.png")}}}});
    open(history);
    tick({0, 2});
    // Each save of the local history, as it happens.
    std::vector<QStringList> saves;
    site.route("/f/c.gif", [&](const httplib::Request&, httplib::Response& response) {
        saves.push_back(localNumbers()); // package 0 is recorded before package 2's files
        response.set_content(borderFileBytes(QStringLiteral("c.gif")).toStdString(), "image/gif");
    });
    ASSERT_TRUE(runToEnd());
    settle();

    // Descriptions last line first, then files package by package in line order.
    EXPECT_EQ(sitePaths(), (QStringList{"/d2.xml", "/d0.xml", "/f/a0.gif", "/f/a0.png", "/f/c.gif",
                                        "/f/c.png"}));
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0], (QStringList{"p0"}));
    EXPECT_EQ(localNumbers(), (QStringList{"p0", "p2"}));
    EXPECT_EQ(readFile(path(QStringLiteral("甲/a0.png"))),
              borderFileBytes(QStringLiteral("a0.png")));
    EXPECT_EQ(readFile(path(QStringLiteral("丙/c.gif"))), borderFileBytes(QStringLiteral("c.gif")));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("乙"))));
    // Descriptions are gone once their files are fetched.
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("tempxml0.xml"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("tempxml2.xml"))));
    // The published list now holds only the chosen packages.
    form->hide();
    form->show();
    ASSERT_EQ(form->CheckListBox1->count(), 2);
    EXPECT_EQ(form->CheckListBox1->item(1)->text(), QStringLiteral("包2"));
}

TEST_F(UpdateWindowTest, FailedFileLeavesBothBarsOneShort) {
    QStringList first{serveFile("a.gif"), serveFile("a.png"), serveFile("b.gif")};
    QStringList second{serveFile("c.gif"), serveFile("c.png"), serveFile("d.gif"),
                       site.url(QStringLiteral("/f/missing.png")), serveFile("e.gif")};
    open(publishPackages({{{"一", first}, {"二", second}}}));
    tick({0});
    ASSERT_TRUE(runToEnd());
    settle();
    EXPECT_EQ(form->ProgressBar2->maximum(), 8);
    EXPECT_EQ(form->ProgressBar2->value(), 7);
    EXPECT_EQ(form->ProgressBar1->maximum(), 8);
    EXPECT_EQ(form->ProgressBar1->value(), 7);
    EXPECT_EQ(localNumbers(), QStringList{"p0"}) << "recorded although one file failed";
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("二/missing.png"))));
    EXPECT_EQ(form->StatusBar1->currentMessage(), QStringLiteral("正在下载边框文件"));
    EXPECT_EQ(form->Label2->text(), QStringLiteral("正在下载图片:二-e.gif"));
}

TEST_F(UpdateWindowTest, CompletedUpdateRebuildsTheClassListAndTellsTheMovie) {
    writeFile(path(QStringLiteral("BVHistory.xml")), "the full published list");
    open(publishPackages({{{"新年", {serveFile("n.gif"), serveFile("n.png")}}}}));
    tick({0});
    ASSERT_TRUE(runToEnd());
    settle();
    const QList<BrowserClass> classes =
        readAsBrowser(readFile(path(QStringLiteral("borders.xml"))));
    ASSERT_EQ(classes.size(), 2);
    EXPECT_EQ(classes[0].name, QStringLiteral("新年"));
    EXPECT_EQ(classes[0].pics, QStringList{"n"});
    EXPECT_EQ(classes[1].name, QStringLiteral("旧"));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("BVHistory.xml"))));
    EXPECT_FALSE(form->Button2->isEnabled());
    EXPECT_EQ(variablesSet(), QStringList{"OnReloadBordered="});
    // "完成" closes the window.
    form->Button1Click();
    EXPECT_FALSE(form->isVisible());
}

TEST_F(UpdateWindowTest, PauseHoldsTheWorkerAndContinueFinishes) {
    QStringList files;
    for (int i = 0; i < 6; ++i) {
        const QString name = QStringLiteral("p%1.gif").arg(i);
        site.delay("/f/" + name.toStdString(), 60, borderFileBytes(name).toStdString());
        files.append(site.url(QStringLiteral("/f/") + name));
    }
    open(publishPackages({{{"暂停", files}}}));
    tick({0});
    form->Button1Click();
    ASSERT_TRUE(testsupport::waitUntil([&] { return site.count("/f/p1.gif") == 1; }));
    form->Button1Click();
    EXPECT_EQ(caption(), QStringLiteral("继续"));
    testsupport::spin(150); // the transfer under way may end
    const std::size_t held = site.requests().size();
    testsupport::spin(400);
    EXPECT_EQ(site.requests().size(), held) << "a paused worker starts no transfer";
    EXPECT_TRUE(form->workerRunning());
    form->Button1Click();
    EXPECT_EQ(caption(), QStringLiteral("暂停"));
    ASSERT_TRUE(testsupport::waitUntil([&] { return caption() == u"完成"; }, 20000));
    settle();
    EXPECT_EQ(form->ProgressBar1->value(), 6);
    EXPECT_EQ(localNumbers(), QStringList{"p0"});
}

TEST_F(UpdateWindowTest, CancelAfterTheFirstPackageKeepsWhatIsDone) {
    writeFile(path(QStringLiteral("BVHistory.xml")), "the full published list");
    const QByteArray classList = readFile(path(QStringLiteral("borders.xml")));
    const QString slow = site.url(QStringLiteral("/f/slow.gif"));
    site.stall("/f/slow.gif", 5000, 10);
    open(publishPackages({{{"一", {serveFile("a.gif")}}}, {{"二", {slow, serveFile("b.gif")}}}}));
    tick({0, 1});
    form->Button1Click();
    ASSERT_TRUE(testsupport::waitUntil([&] { return site.count("/f/slow.gif") == 1; }));
    form->Button2Click();
    EXPECT_FALSE(form->isVisible());
    settle();
    EXPECT_FALSE(form->workerRunning());
    EXPECT_EQ(localNumbers(), QStringList{"p0"});
    EXPECT_EQ(readFile(path(QStringLiteral("borders.xml"))), classList);
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("BVHistory.xml"))));
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("tempxml1.xml"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("tempxml0.xml"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("二/slow.gif"))));
    EXPECT_EQ(site.count("/f/b.gif"), 0);
    EXPECT_TRUE(variablesSet().isEmpty()) << "the movie keeps its hint";
    EXPECT_EQ(caption(), QStringLiteral("暂停")) << "the window keeps its caption";
}

TEST_F(UpdateWindowTest, PackageWithoutDescriptionIsSkippedAndOfferedAgain) {
    QByteArray history =
        publishPackages({{{"一", {serveFile("a.gif")}}}, {}, {{"三", {serveFile("c.gif")}}}});
    site.fail("/d0.xml", 404);
    site.answer("/d1.xml", "<not xml");
    // A description left by an older run is not taken for the one that failed.
    writeFile(path(QStringLiteral("tempxml0.xml")),
              descriptionXml({{"旧的", {site.url(QStringLiteral("/f/old.gif"))}}}));
    open(history);
    tick({0, 1, 2});
    ASSERT_TRUE(runToEnd());
    settle();
    EXPECT_EQ(localNumbers(), QStringList{"p2"});
    EXPECT_EQ(form->ProgressBar1->maximum(), 1);
    EXPECT_EQ(form->ProgressBar1->value(), 1);
    EXPECT_EQ(site.count("/f/old.gif"), 0);
    EXPECT_EQ(site.count("/f/a.gif"), 0);
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("tempxml0.xml"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("tempxml1.xml"))));
}

TEST_F(UpdateWindowTest, FaultyServersCostOneFileEach) {
    makeWindow({.idleTimeoutMs = 300, .totalTimeoutMs = 20000});
    site.stall("/f/stalled.gif", 5000, 100);
    site.flood("/f/huge.png", 100u * 1024 * 1024, false);
    site.flood("/f/huge2.png", 100u * 1024 * 1024, true);
    testsupport::RawSite cut("HTTP/1.1 200 OK\r\nContent-Length: 4000\r\n\r\n" +
                             std::string(500, 'c'));
    open(publishPackages({{{"坏",
                            {site.url(QStringLiteral("/f/stalled.gif")), serveFile("after1.gif"),
                             site.url(QStringLiteral("/f/huge.png")), serveFile("after2.gif"),
                             site.url(QStringLiteral("/f/huge2.png")),
                             cut.url(QStringLiteral("/cut.gif")), serveFile("after3.gif")}}}}));
    tick({0});
    ASSERT_TRUE(runToEnd());
    settle();
    EXPECT_EQ(entriesOf(path(QStringLiteral("坏"))),
              (QStringList{"after1.gif", "after2.gif", "after3.gif"}));
    EXPECT_EQ(form->ProgressBar2->value(), 3);
    EXPECT_EQ(localNumbers(), QStringList{"p0"});
}

TEST_F(UpdateWindowTest, ClosingWhileTheWorkerRunsStopsItWithNothingHalfWritten) {
    site.stall("/f/slow.png", 4'000'000, 100'000);
    open(
        publishPackages({{{"一", {serveFile("a.gif"), site.url(QStringLiteral("/f/slow.png"))}}}}));
    tick({0});
    form->Button1Click();
    ASSERT_TRUE(testsupport::waitUntil([&] { return site.count("/f/slow.png") == 1; }));
    form->Button1Click(); // paused as well: a stop must end a held worker too
    delete form;
    form = nullptr;
    EXPECT_EQ(entriesOf(path(QStringLiteral("一"))), QStringList{"a.gif"});
    EXPECT_EQ(localNumbers(), QStringList{});
}

TEST_F(UpdateWindowTest, EscapeCancelsLikeTheCancelButton) {
    const QString slow = site.url(QStringLiteral("/f/slow.gif"));
    site.stall("/f/slow.gif", 5000, 10);
    open(publishPackages({{{"一", {slow, serveFile("b.gif")}}}}));
    tick({0});
    form->Button1Click();
    ASSERT_TRUE(testsupport::waitUntil([&] { return site.count("/f/slow.gif") == 1; }));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(form, &escape);
    EXPECT_FALSE(form->isVisible());
    settle();
    EXPECT_FALSE(form->workerRunning()) << "the worker ends, it does not go on unseen";
    EXPECT_EQ(site.count("/f/b.gif"), 0);
    EXPECT_EQ(localNumbers(), QStringList{});
}

} // namespace
} // namespace updates::test

namespace updates::test {
namespace {

// The window at each step of an update, drawn into pictures; with IVEMBA_SNAPSHOT_DIR set
// they are kept there for a look.
TEST_F(UpdateWindowTest, DrawsEveryStep) {
    const QString keep = qEnvironmentVariable("IVEMBA_SNAPSHOT_DIR");
    const auto shot = [&](const char* name) {
        const QPixmap picture = form->grab();
        EXPECT_EQ(picture.size(), QSize(313, 354) * picture.devicePixelRatio());
        if (!keep.isEmpty())
            picture.save(keep + u'/' + QString::fromLatin1(name) + QStringLiteral(".png"));
    };
    QStringList files;
    for (int i = 0; i < 4; ++i) {
        const QString name = QStringLiteral("节日%1.gif").arg(i);
        site.delay("/f/" + name.toStdString(), 150, borderFileBytes(name).toStdString());
        files.append(site.url(QStringLiteral("/f/") + name));
    }
    open(publishPackages({{{"春节", files}}, {{"生日", {serveFile("b.gif")}}}}));
    shot("1-opened");
    form->Button1Click();
    shot("2-nothing-ticked");
    tick({0});
    form->Button1Click();
    ASSERT_TRUE(testsupport::waitUntil([&] { return form->ProgressBar1->value() >= 2; }));
    shot("3-downloading");
    form->Button1Click();
    shot("4-paused");
    form->Button1Click();
    ASSERT_TRUE(testsupport::waitUntil([&] { return caption() == u"完成"; }));
    settle();
    shot("5-done");
}

} // namespace
} // namespace updates::test
