#include "TestFiles.h"
#include "updates/BorderHistory.h"
#include "updates/HistoryTemplate.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace updates {
namespace {

using test::entriesOf;
using test::readFile;
using test::writeFile;

const QByteArray kTemplate = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<BorderVersions>\r\n"
                             "\r\n</BorderVersions>\r\n";

TEST(HistoryTemplateTest, MissingLocalHistoryIsCreatedByteForByte) {
    ASSERT_EQ(kTemplate.size(), 79);
    EXPECT_EQ(localHistoryTemplate(), kTemplate);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BVHistory_local.xml"));
    ASSERT_TRUE(ensureLocalHistory(path).ok());
    EXPECT_EQ(readFile(path), kTemplate);
    EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("BVHistory_local.xml")});
}

TEST(HistoryTemplateTest, ExistingLocalHistoryIsNeverOverwritten) {
    for (const QByteArray& existing :
         {QByteArray("<h><p BVNum=\"7\"/></h>"), QByteArray(), QByteArray("not xml at all")}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("BVHistory_local.xml"));
        writeFile(path, existing);
        ASSERT_TRUE(ensureLocalHistory(path).ok());
        EXPECT_EQ(readFile(path), existing);
        EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("BVHistory_local.xml")});
    }
}

TEST(HistoryTemplateTest, MissingBorderFolderIsAnError) {
    QTemporaryDir dir;
    EXPECT_FALSE(ensureLocalHistory(dir.filePath(QStringLiteral("no/BVHistory_local.xml"))).ok());
}

TEST(BorderHistoryTest, EntriesKeepTheirOrderAndAttributes) {
    const common::Result<BorderHistory> history = BorderHistory::fromBytes(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<List>\n"
        "  <V BVNum=\"3\" URL=\"http://h/3.xml\" 注释=\"三\"/>\n"
        "  <W BVNum=\"1\"/>\n  <!-- a note -->\n  <V BVNum=\"03\" 注释=\"\"/>\n</List>",
        QStringLiteral("published"));
    ASSERT_TRUE(history.ok()) << history.error().toStdString();
    const BorderHistory& h = history.value();

    ASSERT_EQ(h.entryCount(), 4) << "white space dropped, the comment is an entry";
    EXPECT_EQ(BorderHistory::bvNum(h.entry(0)), QStringLiteral("3"));
    EXPECT_EQ(BorderHistory::url(h.entry(0)), QStringLiteral("http://h/3.xml"));
    EXPECT_EQ(BorderHistory::annotation(h.entry(0)), QStringLiteral("三"));
    EXPECT_TRUE(BorderHistory::annotation(h.entry(1)).isNull());
    EXPECT_TRUE(BorderHistory::bvNum(h.entry(2)).isNull());
    EXPECT_FALSE(BorderHistory::annotation(h.entry(3)).isNull());
    EXPECT_FALSE(h.entry(4));
    EXPECT_EQ(h.bvNums(),
              (QSet<QString>{QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("03")}));
}

TEST(BorderHistoryTest, AppendedEntryTravelsWholeAndSurvivesSaveAndLoad) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BVHistory_local.xml"));
    ASSERT_TRUE(ensureLocalHistory(path).ok());

    common::Result<BorderHistory> published = BorderHistory::fromBytes(
        "<r><p BVNum=\"5\" URL=\"u5\" 注释=\"新年 &amp; 春节\" extra=\"e\"><note>n</note></p>"
        "<p BVNum=\"6\"/></r>",
        QStringLiteral("published"));
    ASSERT_TRUE(published.ok());
    published.value().removeEntry(1);
    EXPECT_EQ(published.value().entryCount(), 1);

    for (int round = 0; round < 2; ++round) {
        common::Result<BorderHistory> local = BorderHistory::load(path);
        ASSERT_TRUE(local.ok()) << local.error().toStdString();
        local.value().appendEntry(published.value().entry(0));
        ASSERT_TRUE(local.value().save(path).ok());
    }

    const QByteArray saved = readFile(path);
    EXPECT_TRUE(saved.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<BorderVersions>"));
    common::Result<BorderHistory> reloaded = BorderHistory::load(path);
    ASSERT_TRUE(reloaded.ok());
    ASSERT_EQ(reloaded.value().entryCount(), 2);
    const pugi::xml_node last = reloaded.value().entry(1);
    EXPECT_STREQ(reloaded.value().root().name(), "BorderVersions");
    EXPECT_EQ(BorderHistory::annotation(last), QStringLiteral("新年 & 春节"));
    EXPECT_STREQ(last.attribute("extra").value(), "e");
    EXPECT_STREQ(last.child("note").text().get(), "n");
    EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("BVHistory_local.xml")});
}

TEST(BorderHistoryTest, MalformedOrEmptyHistoryIsAClearError) {
    for (const QByteArray& bad :
         {QByteArray("<r><p BVNum=\"1\"></r>"), QByteArray(""),
          QByteArray("<?xml version=\"1.0\"?>\n"), QByteArray("<r/><second/>")}) {
        const common::Result<BorderHistory> history =
            BorderHistory::fromBytes(bad, QStringLiteral("h"));
        EXPECT_FALSE(history.ok()) << bad.toStdString();
        EXPECT_TRUE(history.error().startsWith(QStringLiteral("h: "))) << bad.toStdString();
    }
    QTemporaryDir dir;
    EXPECT_FALSE(BorderHistory::load(dir.filePath(QStringLiteral("missing.xml"))).ok());
}

TEST(BorderHistoryTest, DoctypeEntitiesAreNeverExpanded) {
    const common::Result<BorderHistory> history = BorderHistory::fromBytes(
        "<?xml version=\"1.0\"?>\n<!DOCTYPE r [<!ENTITY a \"AAAA\">"
        "<!ENTITY f SYSTEM \"file:///etc/hostname\">]>\n<r><p BVNum=\"&f;\" 注释=\"&a;\"/></r>",
        QStringLiteral("h"));
    ASSERT_TRUE(history.ok()) << history.error().toStdString();
    EXPECT_EQ(BorderHistory::annotation(history.value().entry(0)), QStringLiteral("&a;"));
    EXPECT_EQ(BorderHistory::bvNum(history.value().entry(0)), QStringLiteral("&f;"));
}

} // namespace
} // namespace updates
