#include "player/net/XmlLoad.h"

#include "player/Stage.h"
#include "support/LocalSite.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

namespace {

TEST(MovieXml, WhiteSpaceIsANodeAndTheDeclarationIsNone) {
    pugi::xml_document document;
    ASSERT_TRUE(net::parseMovieXml(
        QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<borders>\n  <class "
                       "name=\"卡通\"/>\n</borders>"),
        document));
    const pugi::xml_node first = document.first_child();
    ASSERT_EQ(first.type(), pugi::node_pcdata) << "the line break after the declaration";
    const pugi::xml_node root = first.next_sibling();
    EXPECT_STREQ(root.name(), "borders");
    EXPECT_EQ(root.first_child().type(), pugi::node_pcdata);
    EXPECT_STREQ(root.child("class").attribute("name").value(), "卡通");

    pugi::xml_document sameLine;
    ASSERT_TRUE(net::parseMovieXml(QStringLiteral("<?xml version=\"1.0\"?><v/>"), sameLine));
    EXPECT_STREQ(sameLine.first_child().name(), "v") << "no white space: the root comes first";
    EXPECT_FALSE(sameLine.first_child().next_sibling());
}

TEST(MovieXml, MalformedTextAndEntitiesAreRefused) {
    pugi::xml_document document;
    EXPECT_FALSE(net::parseMovieXml(QStringLiteral("<a><b>"), document));
    EXPECT_FALSE(net::parseMovieXml(QStringLiteral("<a><b></a>"), document));
    ASSERT_TRUE(net::parseMovieXml(QStringLiteral("<!DOCTYPE a [<!ENTITY e \"boom\">]><a>&e;</a>"),
                                   document));
    EXPECT_EQ(std::string(document.child("a").text().get()).find("boom"), std::string::npos);
}

TEST(XmlLoad, LoadsTheRawTextOrReportsTheFailure) {
    player::Stage stage;
    testsupport::LocalSite site;
    const std::string text = "<?xml version=\"1.0\"?>\n<version><item n=\"中\"/></version>";
    site.answer("/ivemba/version.xml", text, "text/xml");
    site.fail("/missing.xml", 404);
    site.flood("/huge.xml", 20 * 1024 * 1024);

    net::XmlLoad xml(stage);
    QList<QPair<bool, QString>> results;
    QObject::connect(&xml, &net::XmlLoad::loaded, [&](bool ok, const QString& t) {
        results.append({ok, t});
    });
    for (const char* path : {"/ivemba/version.xml", "/missing.xml", "/huge.xml"}) {
        results.clear();
        xml.load(site.url(QString::fromLatin1(path)));
        ASSERT_TRUE(testsupport::waitUntil([&] { return !results.isEmpty(); }, 10000)) << path;
        testsupport::spin(20);
        ASSERT_EQ(results.size(), 1) << path;
    }
    results.clear();
    xml.load(site.url(QStringLiteral("/ivemba/version.xml")));
    ASSERT_TRUE(testsupport::waitUntil([&] { return !results.isEmpty(); }));
    EXPECT_TRUE(results[0].first);
    EXPECT_EQ(results[0].second, QString::fromStdString(text));

    results.clear();
    xml.load(site.url(QStringLiteral("/missing.xml")));
    xml.load(site.url(QStringLiteral("/ivemba/version.xml")));
    ASSERT_TRUE(testsupport::waitUntil([&] { return !results.isEmpty(); }));
    testsupport::spin(100);
    ASSERT_EQ(results.size(), 1) << "a new load cancels the one before it";
    EXPECT_TRUE(results[0].first);
}

} // namespace
