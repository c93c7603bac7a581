#include "updates/BorderFolder.h"
#include "updates/SafeName.h"
#include "updates/UrlFileName.h"

#include <gtest/gtest.h>

namespace updates {
namespace {

struct UrlCase {
    const char* url;
    const char* fileName;
};

class UrlFileNameTest : public testing::TestWithParam<UrlCase> {};

TEST_P(UrlFileNameTest, TakesTextAfterLastSeparatorBeforeTheEnd) {
    EXPECT_EQ(UrlFileName(QString::fromUtf8(GetParam().url)),
              QString::fromUtf8(GetParam().fileName));
}

INSTANTIATE_TEST_SUITE_P(Cases, UrlFileNameTest,
                         testing::Values(UrlCase{"http://127.0.0.1/pics/a.gif", "a.gif"},
                                         UrlCase{"/pics/a.gif", "a.gif"}, UrlCase{"a.gif", "a.gif"},
                                         UrlCase{"x/y/", "y/"}, UrlCase{"/", "/"}, UrlCase{"", ""},
                                         UrlCase{"c:\\borders\\新年\\b.png", "b.png"},
                                         UrlCase{"a/b\\c.gif", "c.gif"}, UrlCase{"a\\", "a\\"},
                                         UrlCase{"http://h/pics/..", ".."}));

struct NameCase {
    QString name;
    bool safe;
};

class SafeNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(SafeNameTest, RefusesNamesThatReachOutsideTheirFolder) {
    EXPECT_EQ(isSafeName(GetParam().name), GetParam().safe) << GetParam().name.toStdString();
    const common::Result<QString> joined = joinSafe(QStringLiteral("/b"), GetParam().name);
    EXPECT_EQ(joined.ok(), GetParam().safe);
    if (joined)
        EXPECT_EQ(joined.value(), QStringLiteral("/b/") + GetParam().name);
    else
        EXPECT_FALSE(joined.error().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SafeNameTest,
    testing::Values(
        NameCase{QStringLiteral("a.gif"), true}, NameCase{QStringLiteral("节日祝福"), true},
        NameCase{QStringLiteral("..a"), true}, NameCase{QStringLiteral(".hidden"), true},
        NameCase{QString(), false}, NameCase{QStringLiteral("."), false},
        NameCase{QStringLiteral(".."), false}, NameCase{QStringLiteral("y/"), false},
        NameCase{QStringLiteral("../x"), false}, NameCase{QStringLiteral("a\\b"), false},
        NameCase{QStringLiteral("/etc"), false}, NameCase{QString::fromUtf8("a\0b", 3), false},
        NameCase{QString(255, QLatin1Char('n')), true},
        NameCase{QString(256, QLatin1Char('n')), false},
        // 86 characters of three bytes each: 258 bytes.
        NameCase{QString(86, QChar(0x8FB9)), false}));

TEST(BorderFolderTest, DownloadTargetRefusesUnsafeClassOrFileName) {
    const BorderFolder folder(QStringLiteral("/p/borders/"));
    EXPECT_EQ(folder.localHistoryPath(), QStringLiteral("/p/borders/BVHistory_local.xml"));
    EXPECT_EQ(folder.descriptionPath(12), QStringLiteral("/p/borders/tempxml12.xml"));

    const common::Result<QString> good =
        folder.downloadTarget(QStringLiteral("可爱卡通"), QStringLiteral("http://h/pics/a.gif"));
    ASSERT_TRUE(good.ok());
    EXPECT_EQ(good.value(), QStringLiteral("/p/borders/可爱卡通/a.gif"));

    EXPECT_FALSE(
        folder.downloadTarget(QStringLiteral(".."), QStringLiteral("http://h/a.gif")).ok());
    EXPECT_FALSE(folder.downloadTarget(QStringLiteral("A"), QStringLiteral("http://h/x/y/")).ok());
    EXPECT_FALSE(folder.downloadTarget(QStringLiteral("A"), QStringLiteral("http://h/..")).ok());
    EXPECT_FALSE(folder.downloadTarget(QString(), QStringLiteral("http://h/a.gif")).ok());
}

} // namespace
} // namespace updates
