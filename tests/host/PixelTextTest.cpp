#include "PixelTextSupport.h"
#include "host/Error.h"

#include <QColor>
#include <gtest/gtest.h>

using host::PixelText;

namespace {

// The pattern picture's values as a list, to rebuild texts with other separators.
QStringList patternValues() {
    QStringList values;
    for (int x = 0; x < PixelText::kWidth; ++x)
        for (int y = 0; y < PixelText::kHeight; ++y)
            values.append(QString::number(patternColour(x, y)));
    return values;
}

void expectPattern(const QImage& picture) {
    ASSERT_FALSE(picture.isNull());
    ASSERT_EQ(picture.size(), QSize(240, 180));
    for (int x = 0; x < PixelText::kWidth; x += 7)
        for (int y = 0; y < PixelText::kHeight; y += 5)
            ASSERT_EQ(picture.pixel(x, y) & 0xFFFFFF, patternColour(x, y)) << x << "," << y;
}

struct SeparatorCase {
    const char* name;
    QString (*build)(const QStringList&);
};

class PixelTextSeparators : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(PixelTextSeparators, GiveTheSamePicture) {
    const PixelText::Result r = PixelText::parse(GetParam().build(patternValues()));
    EXPECT_EQ(r.values, PixelText::kValues);
    expectPattern(r.picture);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PixelTextSeparators,
    ::testing::Values(
        SeparatorCase{"LeadingDash", [](const QStringList& v) { return u'-' + v.join(u'-'); }},
        SeparatorCase{"NoLeadingDash", [](const QStringList& v) { return v.join(u'-'); }},
        SeparatorCase{"DoubleDashes", [](const QStringList& v) { return "--" + v.join("--"); }},
        SeparatorCase{"TrailingDash", [](const QStringList& v) { return v.join(u'-') + u'-'; }},
        SeparatorCase{"CrLf", [](const QStringList& v) { return v.join("\r\n"); }},
        SeparatorCase{"LineFeedsAndDashes", [](const QStringList& v) { return v.join("-\n-"); }},
        SeparatorCase{"LeadingSpaces", [](const QStringList& v) { return "-  " + v.join("- "); }},
        SeparatorCase{"PlusSigns", [](const QStringList& v) { return "-+" + v.join("-+"); }},
        SeparatorCase{"LeadingZeros", [](const QStringList& v) { return "-00" + v.join("-0"); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PixelText, ValuesLandColumnByColumn) {
    QStringList values(PixelText::kValues, QStringLiteral("0"));
    values[0] = QString::number(0xFF0000);   // (0,0) red
    values[180] = QString::number(0x00FF00); // (1,0) green
    values[179] = QString::number(0x0000FF); // (0,179) blue
    values[PixelText::kValues - 1] = QString::number(0x123456);
    const QImage p = PixelText::parse(u'-' + values.join(u'-')).picture;
    ASSERT_FALSE(p.isNull());
    EXPECT_EQ(QColor(p.pixel(0, 0)), QColor(255, 0, 0)) << "red stays red";
    EXPECT_EQ(QColor(p.pixel(1, 0)), QColor(0, 255, 0));
    EXPECT_EQ(QColor(p.pixel(0, 179)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(p.pixel(239, 179)), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(QColor(p.pixel(0, 1)), QColor(0, 0, 0));
}

struct ValueCase {
    const char* piece;
    QRgb colour; // expected at (0,0)
};

class PixelTextValues : public ::testing::TestWithParam<ValueCase> {};

TEST_P(PixelTextValues, KeepTheLowest24Bits) {
    QStringList values(PixelText::kValues, QStringLiteral("0"));
    values[0] = QString::fromLatin1(GetParam().piece);
    const QImage p = PixelText::parse(u'-' + values.join(u'-')).picture;
    ASSERT_FALSE(p.isNull());
    EXPECT_EQ(p.pixel(0, 0) & 0xFFFFFF, GetParam().colour);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PixelTextValues,
    ::testing::Values(ValueCase{"16777215", 0xFFFFFF}, ValueCase{"16777216", 0x000000},
                      ValueCase{"16777217", 0x000001}, ValueCase{"2147483647", 0xFFFFFF},
                      ValueCase{"+16711680", 0xFF0000}, ValueCase{"0000000000000255", 0x0000FF}));

struct BadCase {
    const char* name;
    QString piece;
    QString shown; // between the quotes of the message
};

class PixelTextBadPieces : public ::testing::TestWithParam<BadCase> {};

TEST_P(PixelTextBadPieces, AreNotValidIntegerValues) {
    QStringList values(PixelText::kValues, QStringLiteral("1"));
    values[500] = GetParam().piece;
    values[900] = QStringLiteral("x"); // only the first bad piece is reported
    try {
        (void)PixelText::parse(u'-' + values.join(u'-'));
        FAIL() << "no error";
    } catch (const host::Error& e) {
        EXPECT_EQ(e.text(), u'\'' + GetParam().shown + "' is not a valid integer value");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, PixelTextBadPieces,
    ::testing::Values(BadCase{"TooBig", "2147483648", "2147483648"},
                      BadCase{"FarTooBig", "99999999999999999999", "99999999999999999999"},
                      BadCase{"Letters", "12a", "12a"}, BadCase{"Hex", "$FF", "$FF"},
                      BadCase{"TrailingSpace", "12 ", "12 "}, BadCase{"SignOnly", "+", "+"},
                      BadCase{"Quoted", "'12'", "'12'"},
                      BadCase{"QuotedDash", "\"1-2\"", "\"1-2\""},
                      BadCase{"Long", QString(1000, u'7'), QString(64, u'7') + u'…'}),
    [](const auto& info) { return std::string(info.param.name); });

struct CountCase {
    const char* name;
    QString text;
    qsizetype values;
};

class PixelTextCounts : public ::testing::TestWithParam<CountCase> {};

TEST_P(PixelTextCounts, OtherThan43200GiveNoPicture) {
    const PixelText::Result r = PixelText::parse(GetParam().text);
    EXPECT_TRUE(r.picture.isNull());
    EXPECT_EQ(r.values, GetParam().values);
}

QString repeated(int n, const QString& piece) {
    return u'-' + QStringList(n, piece).join(u'-');
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PixelTextCounts,
    ::testing::Values(CountCase{"Empty", "", 0}, CountCase{"OnlyDashes", "-----\r\n  -", 0},
                      CountCase{"OneShort", repeated(43199, "0"), 43199},
                      CountCase{"OneOver", repeated(43201, "0"), 43201},
                      // Bad pieces do not matter when the count is wrong: nothing is read then.
                      CountCase{"OneShortWithGarbage", repeated(43199, "zz"), 43199},
                      // A quote keeps "-" inside one piece, so two values become one.
                      CountCase{"QuoteJoins", "-'1-2'" + repeated(43198, "0"), 43199},
                      // An unclosed quote runs to the end of the text.
                      CountCase{"UnclosedQuote", "-\"1" + repeated(43199, "0"), 1},
                      // The text ends at a NUL.
                      CountCase{"Nul", repeated(100, "0") + QChar(0) + repeated(43100, "0"), 100},
                      CountCase{"OneMegabyteDigits", QString(1 << 20, u'5'), 1}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
