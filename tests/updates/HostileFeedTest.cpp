#include "UpdateWindowFixture.h"
#include "updates/SafeName.h"

#include <QDir>
#include <QFileInfo>

namespace updates::test {
namespace {

struct HostileCase {
    const char* name;
    QString className;
    QString fileUrl; // "{site}" is replaced by the site base
    // A name that looks odd but stays inside its class folder is stored like any other.
    bool storedInside = false;
};

class HostileFeedTest : public UpdateWindowTest, public testing::WithParamInterface<HostileCase> {};

// Whatever a description names, nothing is written outside the border folder, and the
// update still completes.
TEST_P(HostileFeedTest, WritesNothingOutsideTheBorderFolder) {
    site.answer("/f/x", "payload");
    site.answer("/x", "payload");
    site.answer("/", "payload");
    QString url = GetParam().fileUrl;
    url.replace(QStringLiteral("{site}"), site.base());
    const QString outside = QDir::tempPath() + QStringLiteral("/x");
    const bool outsideExisted = QFileInfo::exists(outside);
    const QMap<QString, QByteArray> before = snapshotTree(root.path(), borders);

    open(publishPackages({{{GetParam().className, {url, serveFile("ok.gif")}}}}));
    tick({0});
    ASSERT_TRUE(runToEnd());
    settle();

    EXPECT_EQ(snapshotTree(root.path(), borders), before);
    EXPECT_EQ(QFileInfo::exists(outside), outsideExisted);
    EXPECT_EQ(localNumbers(), QStringList{"p0"});
    // A refused file counts as failed; the good one beside it arrives when its class is good.
    const bool goodClass = isSafeName(GetParam().className);
    EXPECT_EQ(form->ProgressBar2->value(), int(goodClass) + int(GetParam().storedInside));
    for (const QString& name : entriesOf(borders)) {
        const QFileInfo info(borders + u'/' + name);
        EXPECT_FALSE(info.isSymLink()) << name.toStdString();
    }
}

const QString kLong = QString(300, QLatin1Char('n'));

INSTANTIATE_TEST_SUITE_P(
    Names, HostileFeedTest,
    testing::Values(
        HostileCase{"class_dotdot", QStringLiteral(".."), QStringLiteral("{site}/f/x")},
        HostileCase{"class_up_and_down", QStringLiteral("../x"), QStringLiteral("{site}/f/x")},
        HostileCase{"class_absolute", QStringLiteral("/tmp/x"), QStringLiteral("{site}/f/x")},
        HostileCase{"class_nested", QStringLiteral("a/b"), QStringLiteral("{site}/f/x")},
        HostileCase{"class_backslash", QStringLiteral("C:\\x"), QStringLiteral("{site}/f/x")},
        HostileCase{"class_empty", QString(), QStringLiteral("{site}/f/x")},
        HostileCase{"class_dot", QStringLiteral("."), QStringLiteral("{site}/f/x")},
        HostileCase{"class_300_bytes", kLong, QStringLiteral("{site}/f/x")},
        HostileCase{"file_ends_in_slash", QStringLiteral("好"), QStringLiteral("{site}/f/")},
        HostileCase{"file_dotdot", QStringLiteral("好"), QStringLiteral("{site}/f/..")},
        HostileCase{"file_encoded_dotdot", QStringLiteral("好"), QStringLiteral("{site}/%2e%2e/x"),
                    true},
        HostileCase{"file_local", QStringLiteral("好"), QStringLiteral("file:///etc/passwd")},
        HostileCase{"file_ftp", QStringLiteral("好"), QStringLiteral("ftp://127.0.0.1/x")},
        HostileCase{"file_query_only", QStringLiteral("好"), QStringLiteral("{site}/?a=1"), true},
        HostileCase{"file_300_bytes", QStringLiteral("好"), QStringLiteral("{site}/f/") + kLong},
        HostileCase{"file_backslashes", QStringLiteral("好"), QStringLiteral("{site}/f/..\\..\\x")},
        HostileCase{"file_not_an_address", QStringLiteral("好"), QStringLiteral("../../x")}),
    [](const testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

} // namespace
} // namespace updates::test
