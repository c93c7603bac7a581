#include "HostFixture.h"
#include "support/LocalSite.h"
#include "support/Wait.h"
#include "updates/BorderHistory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

using BorderUpdateQuit = HostFixture;

// The new-border hint opens the update window; quitting while its worker is in the middle
// of a border file stops the worker, keeps nothing half-written, and still removes the
// movie file.
TEST_F(BorderUpdateQuit, StopsTheWorkerAndRemovesTheMovieFile) {
    testsupport::LocalSite site;
    site.answer("/a.gif", "GIF89a");
    site.stall("/slow.png", 1'000'000, 50'000);
    site.answer("/d.xml", "<p><c name=\"新\"><f>" + site.url("/a.gif").toStdString() + "</f><f>" +
                              site.url("/slow.png").toStdString() + "</f></c></p>");
    const QString borders = dir.filePath(QStringLiteral("borders"));
    write(borders + QStringLiteral("/borders.xml"), "<?xml version=\"1.0\"?>\n<borders/>");
    start();
    const QString movie = form1->movieFile();
    ASSERT_TRUE(QFileInfo::exists(movie));

    common::Result<updates::BorderHistory> packages = updates::BorderHistory::fromBytes(
        "<h><p BVNum=\"1\" URL=\"" + site.url("/d.xml").toUtf8() + "\" 注释=\"新边框\"/></h>",
        QStringLiteral("test"));
    ASSERT_TRUE(packages.ok());
    form3->takeNewPackages(std::make_shared<updates::BorderHistory>(std::move(packages).value()));
    testsupport::spin(5);
    command(QStringLiteral("downloadnewborder"));
    ASSERT_TRUE(form3->isVisible());
    ASSERT_EQ(form3->CheckListBox1->count(), 1);
    form3->CheckListBox1->item(0)->setCheckState(Qt::Checked);
    form3->Button1Click();
    ASSERT_TRUE(testsupport::waitUntil([&] { return site.count("/slow.png") == 1; }));

    form1.reset();
    EXPECT_FALSE(QFileInfo::exists(movie));
    EXPECT_EQ(QDir(borders + QStringLiteral("/新")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("a.gif")});
}

} // namespace
