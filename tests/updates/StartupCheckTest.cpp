#include "SiteFeeds.h"
#include "TestFiles.h"
#include "support/LocalSite.h"
#include "updates/HistoryTemplate.h"
#include "updates/StartupBorderCheck.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <mutex>

namespace updates {
namespace {

using test::entriesOf;
using test::historyXml;
using test::Package;
using test::readFile;
using test::writeFile;

constexpr char kPublishedPath[] = "/iVemba/update/BVHistory.xml";

QList<Package> packages(std::initializer_list<const char*> numbers) {
    QList<Package> result;
    for (const char* number : numbers)
        result.append({QString::fromUtf8(number), QStringLiteral("http://h/d%1.xml").arg(number),
                       QStringLiteral("包 %1").arg(number)});
    return result;
}

class StartupCheckTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        writeFile(borders + QStringLiteral("/borders.xml"), "<?xml version=\"1.0\"?>\n<borders/>");
    }
    void installed(const QList<Package>& list) { writeFile(localPath(), historyXml(list)); }
    void publish(const QByteArray& bytes) { site.answer(kPublishedPath, bytes.toStdString()); }

    // Runs the check to its end; returns the BVNum of every package handed over.
    QStringList check() {
        told = 0;
        handed.reset();
        startupBorderCheck(std::stop_token{},
                           {dir.path(), siteBase,
                            [this](const QString& name, const QString& value) {
                                std::scoped_lock lock(mutex);
                                EXPECT_EQ(name, QStringLiteral("OnNewBorderPublished"));
                                EXPECT_TRUE(value.isEmpty());
                                EXPECT_TRUE(handed)
                                    << "the movie is told after the packages are handed over";
                                ++told;
                            },
                            [this](std::shared_ptr<BorderHistory> packages) {
                                std::scoped_lock lock(mutex);
                                handed = std::move(packages);
                            }});
        QStringList numbers;
        if (handed) {
            for (const pugi::xml_node entry : handed->root().children())
                numbers.append(BorderHistory::bvNum(entry));
        }
        return numbers;
    }
    [[nodiscard]] QString localPath() const {
        return borders + QStringLiteral("/BVHistory_local.xml");
    }
    [[nodiscard]] QString publishedCopy() const {
        return borders + QStringLiteral("/BVHistory.xml");
    }

    QTemporaryDir dir;
    QString borders = dir.filePath(QStringLiteral("borders"));
    testsupport::LocalSite site;
    QString siteBase = site.base();
    std::mutex mutex;
    int told = 0;
    std::shared_ptr<BorderHistory> handed;
};

TEST_F(StartupCheckTest, KeepsOnlyPackagesNotInstalled) {
    const QByteArray published = historyXml(packages({"1", "2", "3"}));
    publish(published);
    installed(packages({"1", "3"}));
    EXPECT_EQ(check(), QStringList{QStringLiteral("2")});
    EXPECT_EQ(told, 1);
    // The copy on disc keeps the full published list; only memory is reduced.
    EXPECT_EQ(readFile(publishedCopy()), published);
    EXPECT_EQ(site.count(kPublishedPath), 1);
    // The kept entry travels whole.
    EXPECT_EQ(BorderHistory::annotation(handed->entry(0)), QStringLiteral("包 2"));
}

TEST_F(StartupCheckTest, NothingNewDeletesThePublishedCopyAndTellsNobody) {
    const struct {
        const char* name;
        QList<Package> published, local;
    } cases[] = {
        {"all installed", packages({"1", "2"}), packages({"2", "1", "9"})},
        {"no entries", {}, packages({"1"})},
        {"duplicates of an installed package", packages({"4", "4", "4"}), packages({"4"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        publish(historyXml(c.published));
        installed(c.local);
        EXPECT_TRUE(check().isEmpty());
        EXPECT_EQ(told, 0);
        EXPECT_FALSE(QFileInfo::exists(publishedCopy()));
    }
}

TEST_F(StartupCheckTest, ComparesNumbersAsExactText) {
    QList<Package> published = packages({"1", "01", "A", " 1", "", "2"});
    published.append({QString(), QStringLiteral("http://h/x.xml"), QStringLiteral("无号")});
    publish(historyXml(published));
    installed(packages({"1", "a", "2"}));
    EXPECT_EQ(check(), (QStringList{"01", "A", " 1", "", ""}));
    // An installed package without a number hides published ones without a number.
    installed(packages({"1", "a", "2", ""}));
    EXPECT_EQ(check(), (QStringList{"01", "A", " 1"}));
}

TEST_F(StartupCheckTest, WithoutNetworkOnlyTheTemplateIsWritten) {
    siteBase = QStringLiteral("http://127.0.0.1:%1").arg(testsupport::refusedPort());
    EXPECT_TRUE(check().isEmpty());
    EXPECT_EQ(told, 0);
    EXPECT_EQ(readFile(localPath()), localHistoryTemplate());
    EXPECT_EQ(entriesOf(borders), (QStringList{"BVHistory_local.xml", "borders.xml"}));

    // The template never replaces a history, and a failed download keeps the old copy.
    installed(packages({"7"}));
    writeFile(publishedCopy(), "old copy");
    site.fail(kPublishedPath, 503);
    siteBase = site.base();
    EXPECT_TRUE(check().isEmpty());
    EXPECT_EQ(readFile(localPath()), historyXml(packages({"7"})));
    EXPECT_EQ(readFile(publishedCopy()), "old copy");
}

TEST_F(StartupCheckTest, NewPackagesAgainstTheTemplate) {
    publish(historyXml(packages({"1"})));
    EXPECT_EQ(check(), QStringList{QStringLiteral("1")});
    EXPECT_EQ(readFile(localPath()), localHistoryTemplate());
}

TEST_F(StartupCheckTest, BadHistoriesEndTheCheckSilently) {
    const QByteArray local = historyXml(packages({"1"}));
    const struct {
        const char* name;
        QByteArray published;
        QByteArray local;
    } cases[] = {
        {"published not XML", "this is not xml <<<", local},
        {"published unknown encoding",
         "<?xml version=\"1.0\" encoding=\"x-nobody\"?><h><p BVNum=\"2\"/></h>", local},
        {"published two roots", "<h/><h/>", local},
        {"local not XML", historyXml(packages({"2"})), "not xml"},
        {"local empty", historyXml(packages({"2"})), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        publish(c.published);
        writeFile(localPath(), c.local);
        EXPECT_TRUE(check().isEmpty());
        EXPECT_EQ(told, 0);
        EXPECT_EQ(readFile(localPath()), c.local) << "the local history is never replaced";
    }
}

TEST_F(StartupCheckTest, HostileHistoriesNeitherHangNorCrash) {
    installed(packages({"1"}));

    // A history far over the cap is cut off and nothing of it is kept.
    site.flood(kPublishedPath, 1024ull * 1024 * 1024, false);
    EXPECT_TRUE(check().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(publishedCopy()));

    // Declared entities are never expanded: the "billion laughs" stays one small text.
    publish("<?xml version=\"1.0\"?><!DOCTYPE h [<!ENTITY a \"aaaaaaaaaa\">"
            "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;\">]>"
            "<h><p BVNum=\"&c;\" URL=\"u\"/></h>");
    const QStringList laughs = check();
    ASSERT_EQ(laughs.size(), 1);
    EXPECT_LT(laughs.front().size(), 10);

    // GBK histories are read as what they say.
    publish(test::encodeAs("GBK", "<?xml version=\"1.0\" encoding=\"GBK\"?><h>"
                                  "<p BVNum=\"新2\" 注释=\"春节边框\"/><p BVNum=\"1\"/></h>"));
    EXPECT_EQ(check(), QStringList{QStringLiteral("新2")});
    EXPECT_EQ(BorderHistory::annotation(handed->entry(0)), QStringLiteral("春节边框"));

    // 100,000 entries, all new: every one is handed over.
    QByteArray many = "<h>";
    for (int i = 0; i < 100000; ++i)
        many += "<p/>";
    many += "</h>";
    publish(many);
    EXPECT_EQ(check().size(), 100000);
    EXPECT_EQ(told, 1);

    // More entries than the cap allows: refused as a whole.
    const QByteArray tooMany =
        QByteArray("<h>") + QByteArray(300000, ' ').replace(" ", "<p BVNum=\"x\"/>") + "</h>";
    site.answer(kPublishedPath, tooMany.toStdString(), "application/octet-stream");
    EXPECT_TRUE(check().isEmpty());
    EXPECT_EQ(told, 0);
}

TEST_F(StartupCheckTest, RemovesWhatAKilledRunLeftHalfWritten) {
    writeFile(borders + QStringLiteral("/.BVHistory_local.xml.Ab12Cd"), "<Bor");
    writeFile(borders + QStringLiteral("/新年/.a.gif.x9Y8z7"), "GIF");
    writeFile(borders + QStringLiteral("/新年/a.gif"), "GIF89a");
    writeFile(borders + QStringLiteral("/新年/.keep"), "mine");
    writeFile(borders + QStringLiteral("/.ivemba-QwErTy"), "half");
    publish(historyXml({}));
    (void)check();
    EXPECT_EQ(entriesOf(borders + QStringLiteral("/新年")), (QStringList{".keep", "a.gif"}));
    EXPECT_EQ(entriesOf(borders),
              (QStringList{"BVHistory_local.xml", "borders.xml", QStringLiteral("新年")}));
}

TEST(RemoveInstalledPackagesTest, KeepsOrderAndCount) {
    common::Result<BorderHistory> published = BorderHistory::fromBytes(
        historyXml(packages({"5", "1", "6", "1", "7"})), QStringLiteral("published"));
    common::Result<BorderHistory> local =
        BorderHistory::fromBytes(historyXml(packages({"1"})), QStringLiteral("local"));
    ASSERT_TRUE(published && local);
    EXPECT_EQ(removeInstalledPackages(published.value(), local.value()), 3);
    QStringList left;
    for (const pugi::xml_node entry : published.value().root().children())
        left.append(BorderHistory::bvNum(entry));
    EXPECT_EQ(left, (QStringList{"5", "6", "7"}));
}

} // namespace
} // namespace updates
