// The statistics and photos pages follow the browser's first language: Chinese for any
// "zh", English for any other, Chinese when the browser names none.
#include "site/PageLanguage.h"
#include "support/SiteFixture.h"

#include <gtest/gtest.h>

namespace {

const char* kForm = "application/x-www-form-urlencoded";

struct Preference {
    const char* name;
    const char* header;
    site::PageLanguage expected;
};

class SitePageLanguage : public testing::TestWithParam<Preference> {};

TEST_P(SitePageLanguage, FollowsTheFirstPreference) {
    EXPECT_EQ(site::pageLanguage(GetParam().header), GetParam().expected) << GetParam().header;
}

using site::PageLanguage;
INSTANTIATE_TEST_SUITE_P(
    Headers, SitePageLanguage,
    testing::Values(Preference{"None", "", PageLanguage::Chinese},
                    Preference{"MainlandChinese", "zh-CN,zh;q=0.9,en;q=0.8", PageLanguage::Chinese},
                    Preference{"BareZh", "zh", PageLanguage::Chinese},
                    Preference{"TaiwanChinese", "zh-TW", PageLanguage::Chinese},
                    Preference{"CapitalLetters", "ZH-cn", PageLanguage::Chinese},
                    Preference{"EnglishBeforeChinese", "en-US,en;q=0.9,zh-CN;q=0.8",
                               PageLanguage::English},
                    Preference{"ChineseWeighedHigher", "en;q=0.5, zh-CN", PageLanguage::Chinese},
                    Preference{"French", "fr-FR", PageLanguage::English},
                    Preference{"AnyLanguage", "*", PageLanguage::Chinese},
                    Preference{"ChineseRefused", "zh;q=0, en", PageLanguage::English},
                    Preference{"UnreadableWeight", "zh;q=high, en;q=0.5", PageLanguage::English},
                    Preference{"NotATagForChinese", "zhx", PageLanguage::English}),
    [](const testing::TestParamInfo<Preference>& info) { return info.param.name; });

struct Page {
    const char* name;
    const char* path;
    const char* header; // nullptr: none sent
    std::vector<std::string> shown;
    const char* language;
};

class SiteLanguagePages : public testing::TestWithParam<Page> {};

TEST_P(SiteLanguagePages, ShowTheirTextsInTheBrowsersLanguage) {
    sitetest::RunningSite site;
    auto client = site.client();
    ASSERT_TRUE(client.Post("/UseRecord.aspx", "pname=iVemba.2005.", kForm));
    ASSERT_TRUE(client.Post("/CpRecord.aspx", "cpcount=3&softmodel=soft", kForm));
    ASSERT_TRUE(client.Post("/upload2.aspx", sitetest::uploadBody(sitetest::testPicture(1), "", ""),
                            kForm));
    httplib::Headers headers;
    if (GetParam().header)
        headers.emplace("Accept-Language", GetParam().header);
    auto page = client.Get(GetParam().path, headers);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    for (const std::string& text : GetParam().shown)
        EXPECT_NE(page->body.find(text), std::string::npos) << text << "\n" << page->body;
    EXPECT_NE(page->body.find(std::string("<html lang=\"") + GetParam().language + "\">"),
              std::string::npos);
    EXPECT_EQ(page->get_header_value("Content-Language"), GetParam().language);
    EXPECT_EQ(page->get_header_value("Vary"), "Accept-Language");
}

INSTANTIATE_TEST_SUITE_P(
    Pages, SiteLanguagePages,
    testing::Values(
        Page{"StatsWithoutHeader",
             "/stats.aspx",
             nullptr,
             {"<h1>使用统计</h1><p>启动 1 次；拍照：桌面版 3 张，网页版 0 张。</p>", "启动次数",
              "<th>日期</th>", ">首页</a>"},
             "zh-CN"},
        Page{"StatsInChinese",
             "/stats.aspx",
             "zh-CN,zh;q=0.9",
             {"<h1>使用统计</h1><p>启动 1 次；拍照：桌面版 3 张，网页版 0 张。</p>"},
             "zh-CN"},
        Page{"StatsInEnglish",
             "/stats.aspx",
             "en-GB,en;q=0.8",
             {"<h1>Usage statistics</h1><p>Starts: 1. Photos taken: 3 with the desktop edition, "
              "0 with the browser edition.</p>",
              "Photos (desktop)", "<th>Date</th>", ">Home</a>", "<title>Usage statistics - "},
             "en"},
        Page{"PhotosWithoutHeader",
             "/photos.aspx",
             nullptr,
             {"<h1>网友照片</h1><p>共 1 张照片，第 1 / 1 页</p>", "（无题）", "作者：佚名"},
             "zh-CN"},
        Page{"PhotosInEnglish",
             "/photos.aspx",
             "de-DE, en;q=0.7",
             {"<h1>Visitors' photos</h1><p>1 photo, page 1 of 1</p>", "(untitled)", "By anonymous",
              ">Photos</a>"},
             "en"}),
    [](const testing::TestParamInfo<Page>& info) { return info.param.name; });

} // namespace
