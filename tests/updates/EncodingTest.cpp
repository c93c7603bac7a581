#include "TestFiles.h"
#include "updates/BorderHistory.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace updates {
namespace {

using test::encodeAs;
using test::readFile;
using test::writeFile;

QByteArray historyText(const char* encoding, const QString& annotation) {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>\r\n<BorderVersions>\r\n"
                          "<BV BVNum=\"20051201\" URL=\"http://h/a.xml\" 注释=\"%2\"/>\r\n"
                          "</BorderVersions>\r\n")
        .arg(QLatin1String(encoding), annotation)
        .toUtf8();
}

struct EncodingCase {
    const char* declared;
    const char* iconvName;
    QString annotation;
};

class DeclaredEncodingTest : public testing::TestWithParam<EncodingCase> {};

TEST_P(DeclaredEncodingTest, AnnotationArrivesIntactAndIsSavedAsUtf8) {
    const EncodingCase& c = GetParam();
    const QByteArray bytes = encodeAs(c.iconvName, historyText(c.declared, c.annotation));
    ASSERT_FALSE(bytes.isEmpty());
    ASSERT_NE(bytes, historyText(c.declared, c.annotation)) << "really another encoding";

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BVHistory.xml"));
    writeFile(path, bytes);
    common::Result<BorderHistory> history = BorderHistory::load(path);
    ASSERT_TRUE(history.ok()) << history.error().toStdString();
    EXPECT_EQ(BorderHistory::annotation(history.value().entry(0)), c.annotation);
    EXPECT_EQ(BorderHistory::bvNum(history.value().entry(0)), QStringLiteral("20051201"));

    const QString copy = dir.filePath(QStringLiteral("copy.xml"));
    ASSERT_TRUE(history.value().save(copy).ok());
    const QByteArray saved = readFile(copy);
    EXPECT_TRUE(saved.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
    EXPECT_TRUE(saved.contains(c.annotation.toUtf8()));
    common::Result<BorderHistory> again = BorderHistory::load(copy);
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(BorderHistory::annotation(again.value().entry(0)), c.annotation);
}

INSTANTIATE_TEST_SUITE_P(
    Chinese, DeclaredEncodingTest,
    testing::Values(EncodingCase{"GBK", "GBK", QStringLiteral("新年边框包：春节快乐")},
                    EncodingCase{"gb2312", "GB2312", QStringLiteral("可爱卡通边框")},
                    // 喆 is outside GB2312: files that declare it often hold GBK text.
                    EncodingCase{"GB2312", "GBK", QStringLiteral("喆的边框")},
                    // 𠮷 needs a four-byte GB18030 sequence.
                    EncodingCase{"GB18030", "GB18030", QStringLiteral("𠮷野家 € 边框")}));

TEST(DeclaredEncodingTest, OtherEightBitEncodingsAreConvertedToo) {
    for (const char* encoding : {"windows-1252", "ISO-8859-1"}) {
        const QByteArray text = QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>"
                                               "<r><p BVNum=\"Café\"/></r>")
                                    .arg(QLatin1String(encoding))
                                    .toUtf8();
        const common::Result<BorderHistory> history =
            BorderHistory::fromBytes(encodeAs(encoding, text), QStringLiteral("h"));
        ASSERT_TRUE(history.ok()) << history.error().toStdString();
        EXPECT_EQ(BorderHistory::bvNum(history.value().entry(0)), QStringLiteral("Café"));
    }
}

TEST(DeclaredEncodingTest, InvalidBytesOrUnknownEncodingAreClearErrors) {
    QByteArray truncated = encodeAs("GBK", historyText("GBK", QStringLiteral("春节")));
    truncated.append('\xD7'); // the first half of a two-byte character
    const common::Result<BorderHistory> broken =
        BorderHistory::fromBytes(truncated, QStringLiteral("h"));
    EXPECT_FALSE(broken.ok());
    EXPECT_TRUE(broken.error().contains(QStringLiteral("GBK"))) << broken.error().toStdString();

    const common::Result<BorderHistory> unknown = BorderHistory::fromBytes(
        historyText("x-no-such-encoding", QStringLiteral("a")), QStringLiteral("h"));
    EXPECT_FALSE(unknown.ok());
    EXPECT_TRUE(unknown.error().contains(QStringLiteral("x-no-such-encoding")));
}

TEST(DeclaredEncodingTest, Utf16WithByteOrderMarkIsReadByTheParser) {
    const QString text = QString::fromUtf8(historyText("UTF-16", QStringLiteral("边框")));
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const common::Result<BorderHistory> history =
        BorderHistory::fromBytes(bytes, QStringLiteral("h"));
    ASSERT_TRUE(history.ok()) << history.error().toStdString();
    EXPECT_EQ(BorderHistory::annotation(history.value().entry(0)), QStringLiteral("边框"));
}

} // namespace
} // namespace updates
