#include "movie/borders/ClassList.h"

#include <gtest/gtest.h>

namespace borderstest {
namespace {

using borders::parseClassList;

const QString kDecl = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>");

QStringList picsOf(const QVariant& record) {
    return record.toMap().value(QStringLiteral("pics")).toStringList();
}

QString pics(int from, int to, const QString& between = {}) {
    QString text;
    for (int i = from; i <= to; ++i)
        text += QStringLiteral("<pic>p%1</pic>").arg(i) + between;
    return text;
}

TEST(ClassListTest, CountsChildPositionsNotElements) {
    const QString text = kDecl + "\n<r><class name=\"a\" path=\"borders/a/\">" + pics(1, 30) +
                         "</class><class name=\"b\" path=\"borders/b/\">" + pics(1, 30, "\n") +
                         "</class></r>";
    const borders::ParsedClasses parsed = parseClassList(text);
    ASSERT_TRUE(parsed.ok);
    ASSERT_EQ(parsed.classes.size(), 2);
    EXPECT_EQ(picsOf(parsed.classes[0]).size(), 21);
    EXPECT_EQ(picsOf(parsed.classes[0]).last(), "p21");
    // With a line break after every border, positions 0-20 hold 11 elements.
    EXPECT_EQ(picsOf(parsed.classes[1]).size(), 11);
    EXPECT_EQ(picsOf(parsed.classes[1]).last(), "p11");
    EXPECT_EQ(parsed.classes[1].toMap().value("name").toString(), "b");
    EXPECT_EQ(parsed.classes[1].toMap().value("path").toString(), "borders/b/");
}

TEST(ClassListTest, RootIsTheSecondTopLevelNode) {
    struct Case {
        const char* what;
        QString text;
        bool ok;
        int classes;
    };
    const Case cases[] = {
        {"line break after the declaration",
         kDecl + "\n<r><class name=\"a\" path=\"a/\"><pic>x</pic></class></r>", true, 1},
        {"nothing after the declaration", kDecl + "<r><class name=\"a\" path=\"a/\"/></r>", true,
         0},
        {"only classes count",
         kDecl +
             "\n<r><klass name=\"a\" path=\"a/\"/>text<!--c--><class name=\"b\" path=\"b/\"/></r>",
         true, 1},
        {"unclosed element", kDecl + "\n<r><class name=\"a\" path=\"a/\"></r>", false, 0},
        {"empty text", QString(), true, 0},
    };
    for (const Case& c : cases) {
        const borders::ParsedClasses parsed = parseClassList(c.text);
        EXPECT_EQ(parsed.ok, c.ok) << c.what;
        EXPECT_EQ(parsed.classes.size(), c.classes) << c.what;
    }
}

TEST(ClassListTest, DropsPathsAndNamesThatLeaveTheBorderFolder) {
    const QString text =
        kDecl + "\n<r>"
                "<class name=\"up\" path=\"../\"><pic>x</pic></class>"
                "<class name=\"inner up\" path=\"borders/../../etc/\"><pic>x</pic></class>"
                "<class name=\"absolute\" path=\"/etc/\"><pic>passwd</pic></class>"
                "<class name=\"web\" path=\"http://other.example/\"><pic>x</pic></class>"
                "<class name=\"file\" path=\"file:///etc/\"><pic>x</pic></class>"
                "<class name=\"drive\" path=\"C:\\windows\\\"><pic>x</pic></class>"
                "<class name=\"good\" path=\"borders/good/\"><pic>ok</pic><pic>../x</pic>"
                "<pic>a/b</pic><pic>http://h/x</pic><pic>%2e%2e</pic><pic></pic><pic>fine</pic>"
                "</class></r>";
    const borders::ParsedClasses parsed = parseClassList(text);
    ASSERT_TRUE(parsed.ok);
    ASSERT_EQ(parsed.classes.size(), 1);
    EXPECT_EQ(parsed.classes[0].toMap().value("name").toString(), "good");
    EXPECT_EQ(picsOf(parsed.classes[0]), (QStringList{"ok", "fine"}));
    EXPECT_EQ(parsed.rejected.size(), 11);
}

TEST(ClassListTest, HugeInputsEndWithoutHangingOrCrashing) {
    QString many = kDecl + "\n<r>";
    for (int i = 0; i < 10000; ++i)
        many +=
            QStringLiteral("<class name=\"c%1\" path=\"borders/c%1/\"><pic>x</pic></class>").arg(i);
    many += "</r>";
    EXPECT_EQ(parseClassList(many).classes.size(), 10000);

    // Far beyond any class list: refused as no class list at all.
    const QString flood = kDecl + "\n<r>" + QString(borders::kMaxClassListChars, u'x') + "</r>";
    EXPECT_FALSE(parseClassList(flood).ok);
}

} // namespace
} // namespace borderstest
