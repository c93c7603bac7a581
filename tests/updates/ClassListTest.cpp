#include "updates/ClassList.h"

#include "TestFiles.h"
#include "updates/RebuildClassList.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace updates {
namespace {

using test::readAsBrowser;
using test::readFile;
using test::writeFile;

constexpr char kDeclarationLine[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

class ClassListTest : public testing::Test {
protected:
    QString border(const QString& relative) const { return dir_.filePath(relative); }
    QString listPath() const { return border(QStringLiteral("borders.xml")); }
    QByteArray rebuilt() {
        const common::Status<> status = rebuildClassListFile(dir_.path());
        EXPECT_TRUE(status.ok()) << status.error().toStdString();
        return readFile(listPath());
    }

    QTemporaryDir dir_;
};

TEST_F(ClassListTest, ListsOnlyDotlessFoldersHoldingAThumbnail) {
    writeFile(border("A/x.gif"));
    writeFile(border("A/x.png"));
    writeFile(border("B/y.png"));
    writeFile(border("C.old/z.gif"));
    writeFile(border("Empty/.keep"), {}); // no thumbnail at all
    writeFile(border("plain"));           // a file without extension
    QDir(dir_.path()).mkdir(QStringLiteral("Bare"));

    EXPECT_EQ(rebuilt(), QByteArray(kDeclarationLine) +
                             "<borders><class name=\"A\" path=\"borders/A/\"><pic>x</pic></class>"
                             "</borders>");
}

TEST_F(ClassListTest, ThirtyThumbnailsGiveThirtyPicsOfWhichTheBrowserShowsTwentyOne) {
    for (int i = 0; i < 30; ++i)
        writeFile(border(QStringLiteral("Many/b%1.gif").arg(i, 2, 10, QLatin1Char('0'))));
    const QByteArray text = rebuilt();

    EXPECT_EQ(text.count("<pic>"), 30);
    const auto classes = readAsBrowser(text);
    ASSERT_EQ(classes.size(), 1);
    ASSERT_EQ(classes[0].pics.size(), 21);
    EXPECT_EQ(classes[0].pics.first(), QStringLiteral("b00"));
    EXPECT_EQ(classes[0].pics.last(), QStringLiteral("b20"));
}

TEST_F(ClassListTest, DeclarationLineBreakAndRootAreAllTheBrowserNeeds) {
    writeFile(border("节日祝福/生日.gif"));
    writeFile(border("可爱卡通/猫.GIF"));
    writeFile(border("可爱卡通/b.gif"));
    const QByteArray text = rebuilt();

    EXPECT_TRUE(text.startsWith(kDeclarationLine));
    EXPECT_EQ(text.count('\n'), 1) << "no white space between elements";
    const auto classes = readAsBrowser(text);
    ASSERT_EQ(classes.size(), 2);
    // Names in UTF-16 order, whatever the file system returns.
    EXPECT_EQ(classes[0].name, QStringLiteral("可爱卡通"));
    EXPECT_EQ(classes[0].path, QStringLiteral("borders/可爱卡通/"));
    EXPECT_EQ(classes[0].pics, (QStringList{QStringLiteral("b"), QStringLiteral("猫")}));
    EXPECT_EQ(classes[1].name, QStringLiteral("节日祝福"));
    EXPECT_EQ(classes[1].pics, QStringList{QStringLiteral("生日")});
}

TEST_F(ClassListTest, NoWhiteSpaceAfterDeclarationReadsAsNoClasses) {
    const QByteArray glued = "<?xml version=\"1.0\" encoding=\"utf-8\"?><borders><class name=\"A\" "
                             "path=\"borders/A/\"><pic>x</pic></class></borders>";
    EXPECT_TRUE(readAsBrowser(glued).isEmpty());
}

TEST_F(ClassListTest, ThumbnailExtensionMatchesInAnyCaseAndEachBaseNameOnce) {
    writeFile(border("K/a.gif"));
    writeFile(border("K/a.GIF"));
    writeFile(border("K/B.Gif"));
    writeFile(border("K/c.gif.bak"));
    writeFile(border("K/.gif"));
    writeFile(border("K/d.png"));
    const auto classes = readAsBrowser(rebuilt());
    ASSERT_EQ(classes.size(), 1);
    EXPECT_EQ(classes[0].pics, (QStringList{QStringLiteral("B"), QStringLiteral("a")}));
}

TEST_F(ClassListTest, KeepsTheInstalledRootAndReplacesItsChildren) {
    writeFile(listPath(), "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<tclass ver=\"2\">\r\n"
                          "  <class name=\"Gone\" path=\"borders/Gone/\"><pic>g</pic></class>\r\n"
                          "  <!-- old -->\r\n</tclass>\r\n<!-- trailer -->\r\n");
    writeFile(border("A/x.gif"));
    EXPECT_EQ(rebuilt(), QByteArray(kDeclarationLine) +
                             "<tclass ver=\"2\"><class name=\"A\" path=\"borders/A/\"><pic>x</pic>"
                             "</class></tclass>");
}

TEST_F(ClassListTest, MalformedClassListIsReportedAndLeftUntouched) {
    const QByteArray broken = "<?xml version=\"1.0\"?>\n<borders><class name=\"A\"></borders>";
    writeFile(listPath(), broken);
    writeFile(border("A/x.gif"));

    const common::Status<> status = rebuildClassListFile(dir_.path());
    EXPECT_FALSE(status.ok());
    EXPECT_TRUE(status.error().contains(QStringLiteral("malformed")))
        << status.error().toStdString();
    EXPECT_EQ(readFile(listPath()), broken);
}

TEST_F(ClassListTest, MissingBorderFolderIsAnError) {
    EXPECT_FALSE(rebuildClassListFile(border(QStringLiteral("nowhere"))).ok());
}

TEST(RebuildClassListTest, AppendsToTheGivenRootOnly) {
    QTemporaryDir dir;
    writeFile(dir.filePath("A/x.gif"));
    pugi::xml_document document;
    pugi::xml_node root = document.append_child("r");
    root.append_attribute("keep").set_value("1");
    RebuildClassList(dir.path() + QLatin1Char('/'), root);
    EXPECT_STREQ(root.attribute("keep").value(), "1");
    ASSERT_EQ(std::distance(root.begin(), root.end()), 1);
    EXPECT_STREQ(root.first_child().attribute("path").value(), "borders/A/");
    EXPECT_FALSE(root.first_child().attribute("name").next_attribute().next_attribute());
}

} // namespace
} // namespace updates
