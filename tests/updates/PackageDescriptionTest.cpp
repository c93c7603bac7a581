#include "updates/PackageDescription.h"

#include <gtest/gtest.h>

namespace updates {
namespace {

TEST(PackageDescriptionTest, ClassesAndFilesInDocumentOrder) {
    const common::Result<PackageDescription> description = PackageDescription::fromBytes(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<pkg>\n"
        "  <c name=\"节日祝福\">\n    <f>http://h/p/a.gif</f>\n    <f> http://h/p/a.png </f>\n"
        "    <f>http://h/p/b.gif</f>\n  </c>\n"
        "  <c name=\"新类\"><f>u1</f><f>u2</f><f>u3</f><f>u4</f><f/></c>\n"
        "  <c/>\n</pkg>",
        QStringLiteral("tempxml0.xml"));
    ASSERT_TRUE(description.ok()) << description.error().toStdString();
    const auto& classes = description.value().classes();
    ASSERT_EQ(classes.size(), 3);
    EXPECT_EQ(classes[0].name, QStringLiteral("节日祝福"));
    EXPECT_EQ(classes[0].fileUrls,
              (QStringList{QStringLiteral("http://h/p/a.gif"), QStringLiteral("http://h/p/a.png"),
                           QStringLiteral("http://h/p/b.gif")}));
    EXPECT_EQ(classes[1].fileUrls.size(), 5);
    EXPECT_TRUE(classes[1].fileUrls.last().isEmpty());
    EXPECT_TRUE(classes[2].name.isNull());
    EXPECT_EQ(description.value().fileCount(), 8);
}

TEST(PackageDescriptionTest, MalformedDescriptionIsAnError) {
    EXPECT_FALSE(PackageDescription::fromBytes("<pkg><c>", QStringLiteral("d")).ok());
}

} // namespace
} // namespace updates
