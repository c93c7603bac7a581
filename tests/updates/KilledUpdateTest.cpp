#include "SiteFeeds.h"
#include "TestFiles.h"
#include "support/LocalSite.h"
#include "updates/BorderHistory.h"
#include "updates/StaleTemporaries.h"
#include "updates/StartupBorderCheck.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <gtest/gtest.h>
#include <signal.h>
#include <thread>

namespace updates::test {
namespace {

constexpr int kPackages = 5;
constexpr int kFilesPerPackage = 6;
constexpr int kKillPoints = 50;
constexpr int kKillStepMs = 7;

QString fileName(int package, int file) {
    return QStringLiteral("p%1_%2.%3").arg(package).arg(file).arg(file % 2 ? "png" : "gif");
}

QByteArray fileBytes(const QString& name) {
    // Large enough that a kill can land in the middle of writing one.
    QByteArray bytes = borderFileBytes(name);
    while (bytes.size() < 256 * 1024)
        bytes += bytes;
    return bytes;
}

// The worker is killed at many points while it fetches border files. Whatever the moment,
// every file in the border folder is whole, the local history is readable and lists the
// first packages in order, and the next start offers exactly the rest.
TEST(KilledUpdateTest, NoHalfFileAndTheNextStartOffersWhatIsNotRecorded) {
    testsupport::LocalSite site;
    QList<Package> packages;
    for (int p = 0; p < kPackages; ++p) {
        QStringList urls;
        for (int f = 0; f < kFilesPerPackage; ++f) {
            const QString name = fileName(p, f);
            site.delay("/f/" + name.toStdString(), 10, fileBytes(name).toStdString());
            urls.append(site.url(QStringLiteral("/f/") + name));
        }
        const std::string path = "/d" + std::to_string(p) + ".xml";
        site.answer(path,
                    descriptionXml({{QStringLiteral("类%1").arg(p % 2), urls}}).toStdString());
        packages.append({QStringLiteral("p%1").arg(p), site.url(QString::fromStdString(path)),
                         QStringLiteral("包%1").arg(p)});
    }
    const QByteArray history = historyXml(packages);
    site.answer("/iVemba/update/BVHistory.xml", history.toStdString(), "application/xml");
    const QByteArray classList = "<?xml version=\"1.0\"?>\n<borders/>";

    int interrupted = 0;
    for (int point = 0; point < kKillPoints; ++point) {
        SCOPED_TRACE(point);
        QTemporaryDir dir;
        const QString borders = dir.filePath(QStringLiteral("borders"));
        writeFile(borders + QStringLiteral("/borders.xml"), classList);
        writeFile(borders + QStringLiteral("/BVHistory.xml"), history);

        QProcess child;
        child.start(QStringLiteral(IVEMBA_BORDER_UPDATE_CHILD), {dir.path()});
        ASSERT_TRUE(child.waitForStarted(5000));
        ASSERT_TRUE(child.waitForReadyRead(10000));
        ASSERT_TRUE(child.readLine().startsWith("phase2"));
        std::this_thread::sleep_for(std::chrono::milliseconds(point * kKillStepMs));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished(5000));
        if (child.exitStatus() == QProcess::CrashExit)
            ++interrupted;

        // Every file the worker left under its own name is whole.
        QDirIterator it(borders, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            if (isTemporaryName(info.fileName()) || info.path() == borders)
                continue;
            EXPECT_EQ(readFile(info.filePath()), fileBytes(info.fileName()))
                << info.filePath().toStdString();
        }
        const common::Result<BorderHistory> local =
            BorderHistory::load(borders + QStringLiteral("/BVHistory_local.xml"));
        QStringList recorded;
        if (local) {
            for (const pugi::xml_node entry : local.value().root().children())
                recorded.append(BorderHistory::bvNum(entry));
        } else {
            EXPECT_FALSE(QFileInfo::exists(borders + QStringLiteral("/BVHistory_local.xml")))
                << local.error().toStdString();
        }
        QStringList expectedRest;
        for (int p = 0; p < kPackages; ++p) {
            if (p < recorded.size())
                EXPECT_EQ(recorded[p], packages[p].bvNum);
            else
                expectedRest.append(packages[p].bvNum);
        }

        // The next start.
        std::shared_ptr<BorderHistory> offered;
        startupBorderCheck(std::stop_token{}, {dir.path(), site.base(), nullptr,
                                               [&](std::shared_ptr<BorderHistory> packages) {
                                                   offered = std::move(packages);
                                               }});
        QStringList offeredNumbers;
        if (offered) {
            for (const pugi::xml_node entry : offered->root().children())
                offeredNumbers.append(BorderHistory::bvNum(entry));
        }
        EXPECT_EQ(offeredNumbers, expectedRest);
        QDirIterator left(borders, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (left.hasNext()) {
            const QString path = left.next();
            EXPECT_FALSE(isTemporaryName(QFileInfo(path).fileName())) << path.toStdString();
        }
    }
    // Most kill points must have landed while the worker still ran.
    EXPECT_GT(interrupted, kKillPoints / 2);
}

} // namespace
} // namespace updates::test
