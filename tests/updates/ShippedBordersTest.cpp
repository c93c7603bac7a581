#include "TestFiles.h"
#include "updates/CaseInsensitiveFile.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace updates {
namespace {

// The class list and pictures installed with the program, as the border browser will see them.
TEST(ShippedBordersTest, EveryListedBorderHasAThumbnailAndAFramePicture) {
    const QDir folder(QStringLiteral(IVEMBA_SHIPPED_BORDERS));
    const auto classes = test::readAsBrowser(test::readFile(folder.filePath("borders.xml")));
    ASSERT_GE(classes.size(), 3);
    for (const test::BrowserClass& record : classes) {
        EXPECT_EQ(record.path, QStringLiteral("borders/") + record.name + QLatin1Char('/'));
        EXPECT_GE(record.pics.size(), 6) << record.name.toStdString();
        EXPECT_LE(record.pics.size(), 21) << record.name.toStdString();
        for (const QString& pic : record.pics) {
            const QString base = folder.filePath(record.name + QLatin1Char('/') + pic);
            QImageReader thumbnail(base + QStringLiteral(".gif"));
            EXPECT_EQ(thumbnail.format(), "gif") << base.toStdString();
            const QImage thumb = thumbnail.read();
            EXPECT_EQ(thumb.size(), QSize(110, 82)) << base.toStdString();

            const QImage frame(base + QStringLiteral(".png"));
            ASSERT_EQ(frame.size(), QSize(240, 180)) << base.toStdString();
            ASSERT_TRUE(frame.hasAlphaChannel());
            EXPECT_EQ(qAlpha(frame.pixel(120, 90)), 0) << "the photo shows in the middle";
        }
    }
}

TEST(CaseInsensitiveFileTest, FindsAnySpellingPreferringTheExactOne) {
    QTemporaryDir dir;
    test::writeFile(dir.filePath(QStringLiteral("x.GIF")));
    test::writeFile(dir.filePath(QStringLiteral("y.png")));
    test::writeFile(dir.filePath(QStringLiteral("y.PNG")));
    EXPECT_EQ(findFileIgnoringCase(dir.path(), QStringLiteral("x.gif")), dir.filePath("x.GIF"));
    EXPECT_EQ(findFileIgnoringCase(dir.path(), QStringLiteral("y.PNG")), dir.filePath("y.PNG"));
    EXPECT_EQ(findFileIgnoringCase(dir.path(), QStringLiteral("Y.Png")), dir.filePath("y.PNG"));
    EXPECT_TRUE(findFileIgnoringCase(dir.path(), QStringLiteral("z.gif")).isEmpty());
}

} // namespace
} // namespace updates
