#include "site/Publisher.h"

#include "site/DataFolder.h"
#include "site/SiteContext.h"
#include "support/SiteFixture.h"

#include <fstream>
#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace fs = std::filesystem;

namespace {

class SitePublish : public testing::TestWithParam<sitetest::Backend> {};

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string pathOf(const std::string& url, const std::string& base) {
    return url.substr(0, base.size()) == base ? url.substr(base.size()) : "(elsewhere) " + url;
}

// What the site serves of its publications: the history, the class list, the files below
// the data folder (for the folder store) and the second package's description.
std::vector<std::string> published(sitetest::RunningSite& site) {
    std::vector<std::string> seen = sitetest::filesBelow(site.data());
    auto client = site.client();
    for (const char* path : {"/iVemba/update/BVHistory.xml", "/iVemba/tclass.xml",
                             "/iVemba/update/2/description.xml"}) {
        auto answer = client.Get(path);
        seen.push_back(answer ? std::to_string(answer->status) + answer->body : "no answer");
    }
    return seen;
}

TEST_P(SitePublish, APackageIsServedAsTheProgramDownloadsIt) {
    sitetest::RunningSite site(GetParam());
    sitetest::TemporaryFolder source;
    writeFile(source.path() / "海洋世界" / "fish.gif", "fish thumb");
    writeFile(source.path() / "海洋世界" / "fish.png", "fish border");
    writeFile(source.path() / "海洋世界" / "shell.gif", "shell thumb");
    writeFile(source.path() / "海洋世界" / "shell.png", "shell border");
    writeFile(source.path() / "Night" / "moon.gif", "moon thumb");
    writeFile(source.path() / "Night" / "moon.png", "moon border");

    site::Publisher publisher(site.store(), site.base());
    EXPECT_EQ(publisher.publish("海洋边框", {source.path() / "海洋世界", source.path() / "Night"}),
              "1");
    writeFile(source.path() / "Night2" / "star.gif", "star thumb");
    writeFile(source.path() / "Night2" / "star.png", "star border");
    EXPECT_EQ(publisher.publish("second", {source.path() / "Night2"}), "2");

    auto client = site.client();
    auto history = client.Get("/iVemba/update/BVHistory.xml");
    ASSERT_TRUE(history);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(history->body.c_str()));
    std::vector<pugi::xml_node> entries;
    for (pugi::xml_node entry : document.document_element().children())
        entries.push_back(entry);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_STREQ(entries[0].attribute("BVNum").value(), "1");
    EXPECT_STREQ(entries[0].attribute("注释").value(), "海洋边框");
    EXPECT_STREQ(entries[1].attribute("BVNum").value(), "2");

    auto description = client.Get(pathOf(entries[0].attribute("URL").value(), site.base()));
    ASSERT_TRUE(description);
    ASSERT_EQ(description->status, 200);
    pugi::xml_document package;
    ASSERT_TRUE(package.load_string(description->body.c_str()));
    std::map<std::string, std::vector<std::string>> files;
    for (pugi::xml_node classNode : package.document_element().children()) {
        for (pugi::xml_node file : classNode.children()) {
            auto got = client.Get(pathOf(file.text().get(), site.base()));
            ASSERT_TRUE(got);
            EXPECT_EQ(got->status, 200) << file.text().get();
            files[classNode.attribute("name").value()].push_back(got->body);
        }
    }
    EXPECT_EQ(files["海洋世界"], (std::vector<std::string>{"fish thumb", "fish border",
                                                           "shell thumb", "shell border"}));
    EXPECT_EQ(files["Night"], (std::vector<std::string>{"moon thumb", "moon border"}));

    auto list = client.Get("/iVemba/tclass.xml");
    ASSERT_TRUE(list);
    EXPECT_NE(list->body.find("<class name=\"海洋世界\" path=\"borders/海洋世界/\"><pic>fish</pic>"
                              "<pic>shell</pic></class>"),
              std::string::npos)
        << list->body;
}

TEST_P(SitePublish, RefusesIncompleteFoldersAndChangesNothing) {
    sitetest::RunningSite site(GetParam());
    sitetest::TemporaryFolder source;
    writeFile(source.path() / "A" / "x.gif", "1");
    writeFile(source.path() / "A" / "x.png", "2");
    writeFile(source.path() / "Lonely" / "y.png", "3");
    writeFile(source.path() / "Wide" / "名字.gif", "4");
    writeFile(source.path() / "Wide" / "名字.png", "5");
    fs::create_directories(source.path() / "Empty");
    site::Publisher publisher(site.store(), site.base());
    ASSERT_EQ(publisher.publish("a", {source.path() / "A"}), "1");
    const auto before = published(site);

    for (const fs::path& folder :
         {source.path() / "Lonely", source.path() / "Empty", source.path() / "Wide",
          source.path() / "Missing", source.path() / "A"}) {
        EXPECT_THROW(publisher.publish("b", {folder}), std::runtime_error) << folder;
    }
    // A good folder beside a bad one publishes nothing either.
    writeFile(source.path() / "B" / "z.gif", "6");
    writeFile(source.path() / "B" / "z.png", "7");
    EXPECT_THROW(publisher.publish("c", {source.path() / "B", source.path() / "Lonely"}),
                 std::runtime_error);
    // A note a strict XML reader would refuse publishes nothing, even with a good folder.
    for (const std::string note : {"\xC3\x28", "half \xE6\xB5", "a\x01b", "two\nlines", "tab\there",
                                   "del\x7F", "c1 \xC2\x85", "\xEF\xBF\xBE"}) {
        EXPECT_THROW(publisher.publish(note, {source.path() / "B"}), std::runtime_error) << note;
    }
    EXPECT_EQ(published(site), before);
    EXPECT_EQ(publisher.publish("海洋 · ocean «2»", {source.path() / "B"}), "2");
}

IVEMBA_ON_EVERY_BACKEND(SitePublish);

} // namespace
