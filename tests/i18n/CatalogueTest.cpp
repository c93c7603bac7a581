// The English catalogue against the code: every text the code shows has a finished
// translation, no translation is left for a text the code no longer has, and every
// translation keeps the placeholders its source fills in.
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <string>

namespace {

struct CatalogueCase {
    const char* name;
    const char* path;
};

void PrintTo(const CatalogueCase& c, std::ostream* out) {
    *out << c.name;
}

QSet<QString> placeholders(const QString& text) {
    QSet<QString> found;
    static const QRegularExpression marker(QStringLiteral("%L?\\d"));
    for (auto it = marker.globalMatch(text); it.hasNext();)
        found.insert(it.next().captured().remove(u'L'));
    return found;
}

class Catalogue : public ::testing::TestWithParam<CatalogueCase> {};

TEST_P(Catalogue, EveryTextTranslatedAndStillInTheCode) {
    pugi::xml_document ts;
    const pugi::xml_parse_result parsed = ts.load_file(GetParam().path);
    ASSERT_TRUE(parsed) << GetParam().path << ": " << parsed.description();
    const pugi::xml_node root = ts.child("TS");
    ASSERT_TRUE(root);
    EXPECT_STREQ(root.attribute("sourcelanguage").value(), "zh_CN");
    EXPECT_STREQ(root.attribute("language").value(), "en");
    int messages = 0;
    for (const pugi::xml_node context : root.children("context")) {
        const std::string contextName = context.child_value("name");
        for (const pugi::xml_node message : context.children("message")) {
            ++messages;
            const QString source = QString::fromUtf8(message.child_value("source"));
            const pugi::xml_node translation = message.child("translation");
            const std::string where = contextName + " / " + source.toStdString();
            const std::string type = translation.attribute("type").value();
            EXPECT_NE(type, "unfinished") << where;
            EXPECT_NE(type, "vanished") << "no longer in the code: " << where;
            EXPECT_NE(type, "obsolete") << "no longer in the code: " << where;
            const QString text = QString::fromUtf8(translation.child_value());
            EXPECT_FALSE(text.trimmed().isEmpty()) << where;
            EXPECT_EQ(placeholders(text), placeholders(source)) << where;
        }
    }
    EXPECT_GT(messages, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Catalogue,
    ::testing::Values(CatalogueCase{"shipped", IVEMBA_CATALOGUE},
                      // The shipped catalogue updated from the code as it is now: a text added
                      // or changed shows there as unfinished, a text removed as vanished.
                      CatalogueCase{"against_the_code", IVEMBA_CHECKED_CATALOGUE}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
