#include "lzw/Lzw.h"
#include "site/Database.h"
#include "site/FormFields.h"
#include "site/SiteContext.h"
#include "support/SiteFixture.h"

#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using sitetest::answerField;
using sitetest::RunningSite;

namespace {

class SiteVersionFile : public testing::TestWithParam<sitetest::Backend> {};
class SiteReports : public testing::TestWithParam<sitetest::Backend> {};
class SitePhotoUpload : public testing::TestWithParam<sitetest::Backend> {};
class SiteFileUpload : public testing::TestWithParam<sitetest::Backend> {};
class SiteCaps : public testing::TestWithParam<sitetest::Backend> {};
class SitePages : public testing::TestWithParam<sitetest::Backend> {};
class SiteBrowserEdition : public testing::TestWithParam<sitetest::Backend> {};

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST_P(SiteVersionFile, NamesTheProgramsVersionAfterALineBreak) {
    RunningSite site(GetParam());
    auto client = site.client();
    auto answer = client.Get("/ivemba/version.xml");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    const std::string declaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<";
    EXPECT_EQ(answer->body.substr(0, declaration.size()), declaration);
    EXPECT_NE(answer->body.find("<Delphi version=\"2\" download=\"" + site.base() + "/\"/>"),
              std::string::npos)
        << answer->body;

    site::SiteOptions options;
    options.version = "3";
    options.download = "http://example.invalid/get?a=1&b=2";
    RunningSite newer(GetParam(), options);
    auto other = newer.client().Get("/ivemba/version.xml");
    ASSERT_TRUE(other);
    EXPECT_NE(other->body.find("version=\"3\" download=\"http://example.invalid/get?a=1&amp;b=2\""),
              std::string::npos)
        << other->body;
}

TEST_P(SiteReports, StoresStartsAndCapturesAndRefusesWhatIsNoReport) {
    RunningSite site(GetParam());
    auto client = site.client();
    const char* form = "application/x-www-form-urlencoded";
    for (const char* path : {"/UseRecord.aspx", "/ivemba/UseRecord.aspx"}) {
        auto answer = client.Post(path, "pname=iVemba.2005.", form);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 200) << path;
    }
    for (const char* body : {"cpcount=3&softmodel=soft", "cpcount=4&softmodel=ie"}) {
        auto answer = client.Post("/CpRecord.aspx", body, form);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 200) << body;
    }
    ASSERT_TRUE(client.Post("/ivemba/CpRecord.aspx", "softmodel=soft&cpcount=5", form));
    for (const char* body :
         {"cpcount=0&softmodel=soft", "cpcount=-2&softmodel=soft", "cpcount=3x&softmodel=soft",
          "cpcount=3&softmodel=web", "cpcount=3", "cpcount=%zz&softmodel=soft"}) {
        auto answer = client.Post("/CpRecord.aspx", body, form);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 400) << body;
    }
    auto noName = client.Post("/UseRecord.aspx", "other=1", form);
    ASSERT_TRUE(noName);
    EXPECT_EQ(noName->status, 400);

    site::SiteStore& database = site.store();
    EXPECT_EQ(database.startCount(), 2);
    EXPECT_EQ(database.captureSum("soft"), 8);
    EXPECT_EQ(database.captureSum("ie"), 4);
    const auto days = database.days();
    ASSERT_EQ(days.size(), 1u);
    EXPECT_EQ(days[0].starts, 2);

    auto stats = client.Get("/stats.aspx");
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->status, 200);
    EXPECT_NE(stats->body.find("<svg"), std::string::npos);
    EXPECT_NE(stats->body.find("<td>" + days[0].day + "</td><td>2</td><td>8</td><td>4</td>"),
              std::string::npos);
}

TEST_P(SitePhotoUpload, AnUploadComesBackAsAJpegOfThePicture) {
    RunningSite site(GetParam());
    auto client = site.client();
    const site::Picture picture = sitetest::testPicture(1);
    auto answer =
        client.Post("/upload2.aspx", sitetest::uploadBody(picture, "<b>我的照片</b>", "小明"),
                    "application/x-www-form-urlencoded");
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->status, 200) << answer->body;
    EXPECT_EQ(answerField(answer->body, "status"), "ok");
    EXPECT_EQ(answerField(answer->body, "actionname"), "sendpic");
    EXPECT_FALSE(answerField(answer->body, "tTime").empty());
    EXPECT_FALSE(answerField(answer->body, "tTime0").empty());
    const std::string name = answerField(answer->body, "filename");
    ASSERT_FALSE(name.empty());

    auto photo = client.Get("/pics/" + name);
    ASSERT_TRUE(photo);
    ASSERT_EQ(photo->status, 200);
    EXPECT_EQ(photo->get_header_value("Content-Type"), "image/jpeg");
    EXPECT_GE(sitetest::psnr(photo->body, picture), 40.0);

    auto page = client.Get("/photos.aspx");
    ASSERT_TRUE(page);
    EXPECT_NE(page->body.find("&lt;b&gt;我的照片&lt;/b&gt;"), std::string::npos);
    EXPECT_EQ(page->body.find("<b>我的照片"), std::string::npos);
    EXPECT_NE(page->body.find("/pics/" + name), std::string::npos);
    EXPECT_NE(page->body.find("小明"), std::string::npos);
    EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-8");
}

TEST_P(SitePhotoUpload, PhotosPageShowsTheNewestFirstTwentyFourToAPage) {
    RunningSite site(GetParam());
    for (int k = 0; k < 30; ++k)
        ASSERT_TRUE(site.store().addPhoto(
            {{}, "title" + std::to_string(k) + "!", "", 1, 1700000000000 + k * 1000}, "jpeg"));
    auto client = site.client();
    auto first = client.Get("/photos.aspx");
    auto second = client.Get("/photos.aspx?page=2");
    ASSERT_TRUE(first && second);
    const auto count = [](const std::string& body) {
        std::size_t n = 0;
        for (std::size_t at = body.find("class=\"card\""); at != std::string::npos;
             at = body.find("class=\"card\"", at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count(first->body), 24u);
    EXPECT_EQ(count(second->body), 6u);
    EXPECT_LT(first->body.find("title29!"), first->body.find("title28!"));
    EXPECT_EQ(first->body.find("title5!"), std::string::npos);
    EXPECT_NE(second->body.find("title5!"), std::string::npos);
    EXPECT_NE(first->body.find("/photos.aspx?page=2"), std::string::npos);
}

TEST_P(SitePhotoUpload, MalformedUploadsAreRefusedAndStoreNothing) {
    RunningSite site(GetParam());
    auto client = site.client();
    const std::u16string good =
        site::PixelUpload::compressedText(site::PixelUpload::pixelText(sitetest::testPicture(2)));
    const auto values = [](int count, const std::string& value) {
        std::string text;
        for (int k = 0; k < count; ++k)
            text += "-" + value;
        return site::PixelUpload::compressedText(text);
    };
    const auto codes = [](std::initializer_list<int> list) {
        std::u16string text = u"*";
        for (int c : list)
            text.push_back(static_cast<char16_t>(c));
        return text;
    };
    const std::u16string firstPiece = good.substr(0, good.find(u'*', 1));
    struct Case {
        const char* name;
        std::string body;
    } cases[] = {
        {"empty piece between two", sitetest::uploadBodyWithText(firstPiece + u"*" + good)},
        {"empty first piece", sitetest::uploadBodyWithText(u"*" + good)},
        {"text ending in *", sitetest::uploadBodyWithText(good + u"*")},
        {"only a *", sitetest::uploadBodyWithText(u"*")},
        {"empty text", sitetest::uploadBodyWithText(u"")},
        {"no leading *", sitetest::uploadBodyWithText(good.substr(1))},
        {"first code not yet in the table", sitetest::uploadBodyWithText(codes({256, 49}))},
        {"code above the dictionary", sitetest::uploadBodyWithText(codes({49, 45, 258}))},
        {"43 199 values", sitetest::uploadBodyWithText(values(43199, "5"))},
        {"43 201 values", sitetest::uploadBodyWithText(values(43201, "5"))},
        {"value above 0xFFFFFF", sitetest::uploadBodyWithText(values(43200, "16777216"))},
        {"nine digits", sitetest::uploadBodyWithText(values(43200, "000000001"))},
        {"empty value",
         sitetest::uploadBodyWithText(values(43199, "5") + u"*" + lzw::compress(u"--5").value())},
        {"letters", sitetest::uploadBodyWithText(values(43200, "1a"))},
        {"broken escape", "actionname=sendpic&phototype=1&text=%2"},
        {"invalid UTF-8", "actionname=sendpic&phototype=1&text=%2A%FF%FE"},
        {"other action",
         "actionname=other&phototype=1&text=" + site::FormFields::encode(sitetest::utf8(good))},
        {"photo type 3",
         "actionname=sendpic&phototype=3&text=" + site::FormFields::encode(sitetest::utf8(good))},
    };
    for (const Case& c : cases) {
        auto answer = client.Post("/upload2.aspx", c.body, "application/x-www-form-urlencoded");
        ASSERT_TRUE(answer) << c.name;
        EXPECT_EQ(answer->status, 400) << c.name;
        EXPECT_EQ(answerField(answer->body, "status"), "error") << c.name;
        EXPECT_FALSE(answerField(answer->body, "reason").empty()) << c.name;
    }
    EXPECT_EQ(site.store().photoCount(), 0);
    EXPECT_EQ(site.store().storageUse().photoBytes, 0u);
    EXPECT_TRUE(sitetest::filesBelow(site.data() / "data" / "pics").empty());

    // The same text, whole, is fine: the cases above fail for their fault alone.
    auto fine = client.Post("/ivemba/upload2.aspx", sitetest::uploadBodyWithText(good),
                            "application/x-www-form-urlencoded");
    ASSERT_TRUE(fine);
    EXPECT_EQ(answerField(fine->body, "status"), "ok") << fine->body;
}

std::string multipart(const std::string& boundary, const std::string& content) {
    return "--" + boundary +
           "\r\nContent-Disposition: form-data; name=\"Filename\"\r\n\r\nx.jpg\r\n--" + boundary +
           "\r\nContent-Disposition: form-data; name=\"Filedata\"; filename=\"x.jpg\"\r\n"
           "Content-Type: application/octet-stream\r\n\r\n" +
           content + "\r\n--" + boundary +
           "\r\nContent-Disposition: form-data; name=\"Upload\"\r\n\r\nSubmit Query\r\n--" +
           boundary + "--\r\n";
}

TEST_P(SiteFileUpload, TheFirstFilePartIsReadableUntilDeleted) {
    RunningSite site(GetParam());
    auto client = site.client();
    std::string content(300000, '\0');
    for (std::size_t k = 0; k < content.size(); ++k)
        content[k] = static_cast<char>(k * 7 % 251);
    content.replace(0, 8, std::string("\x89PNG\r\n\x1A\n", 8));
    auto sent = client.Post("/uploadfile.aspx?filename=1151234567890_.jpg",
                            multipart("XyZ", content), "multipart/form-data; boundary=XyZ");
    ASSERT_TRUE(sent);
    ASSERT_EQ(sent->status, 200) << sent->body;
    for (const char* path : {"/upload/1151234567890_.jpg", "/ivemba/upload/1151234567890_.jpg"}) {
        auto back = client.Get(path);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->status, 200) << path;
        EXPECT_TRUE(back->body == content) << path;
    }
    auto removed = client.Get("/uploadfile_del.aspx?filename=1151234567890_.jpg");
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed->status, 200);
    auto gone = client.Get("/upload/1151234567890_.jpg");
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->status, 404);

    auto noDot = client.Post("/ivemba/uploadfile.aspx?filename=1151234567890_photo",
                             multipart("b", "GIF89a..."), "multipart/form-data; boundary=b");
    ASSERT_TRUE(noDot);
    EXPECT_EQ(noDot->status, 200);
    EXPECT_EQ(site.store().uploadNames(), std::vector<std::string>{"1151234567890_photo"});
}

TEST_P(SiteFileUpload, HostileNamesAreRefusedAndNothingIsWritten) {
    RunningSite site(GetParam());
    auto client = site.client();
    const auto before = sitetest::filesBelow(site.data());
    for (const std::string& name :
         {std::string("../x"), std::string("%2e%2e%2fx"), std::string("a/b"),
          std::string("1_%00.jpg"), std::string(300, '1') + "_.jpg", std::string("1_.jpeg.x"),
          std::string("_.jpg"), std::string("12.jpg"), std::string("1_/../../x"),
          "1_." + std::string(33, 'a'), std::string("")}) {
        const std::string escaped = name == "%2e%2e%2fx" ? name : site::FormFields::encode(name);
        auto answer = client.Post("/uploadfile.aspx?filename=" + escaped, multipart("b", "abc"),
                                  "multipart/form-data; boundary=b");
        ASSERT_TRUE(answer) << name;
        EXPECT_EQ(answer->status, 400) << name;
        auto read = client.Get("/upload/" + escaped);
        ASSERT_TRUE(read) << name;
        EXPECT_EQ(read->status, 404) << name;
        auto removed = client.Get("/uploadfile_del.aspx?filename=" + escaped);
        ASSERT_TRUE(removed) << name;
        EXPECT_EQ(removed->status, 400) << name;
    }
    for (const char* path :
         {"/pics/..%2fsite.db", "/pics/%2e%2e/site.db", "/iVemba/update/..%2f..%2fsite.db",
          "/iVemba/borders/../site.db", "/iVemba/update/.publish.lock"}) {
        auto answer = client.Get(path);
        ASSERT_TRUE(answer) << path;
        EXPECT_EQ(answer->status, 404) << path;
    }
    EXPECT_EQ(sitetest::filesBelow(site.data()), before);
    EXPECT_TRUE(site.store().uploadNames().empty());
}

TEST_P(SiteFileUpload, APartWithoutAFileOrTooLargeAFileStoresNothing) {
    RunningSite site(GetParam());
    auto client = site.client();
    const std::string noFile =
        "--b\r\nContent-Disposition: form-data; name=\"a\"\r\n\r\nx\r\n--b--\r\n";
    auto none =
        client.Post("/uploadfile.aspx?filename=1_.png", noFile, "multipart/form-data; boundary=b");
    ASSERT_TRUE(none);
    EXPECT_EQ(none->status, 400);
    // Within the body's cap, but the file itself is past a mebibyte.
    auto large = client.Post("/uploadfile.aspx?filename=2_.png",
                             multipart("b", std::string(1024 * 1024 + 4000, 'x')),
                             "multipart/form-data; boundary=b");
    ASSERT_TRUE(large);
    EXPECT_EQ(large->status, 413);
    auto plain = client.Post("/uploadfile.aspx?filename=3_.png", "abc", "text/plain");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->status, 400);
    EXPECT_TRUE(site.store().uploadNames().empty());
}

TEST_P(SiteCaps, ABodyOverItsCapIsRefusedBeforeItIsSent) {
    RunningSite site(GetParam());
    struct Case {
        const char* path;
        std::size_t cap;
    } cases[] = {{"/upload2.aspx", 4u << 20},
                 {"/ivemba/uploadfile.aspx?filename=1_.jpg", (1u << 20) + 16 * 1024},
                 {"/UseRecord.aspx", 64u << 10},
                 {"/CpRecord.aspx", 64u << 10},
                 {"/iVemba/bugs.asp", 64u << 10}};
    for (const Case& c : cases) {
        for (std::size_t length : {c.cap + 1, std::size_t{1} << 40}) {
            // Only the head goes out: the answer must come without the body.
            const std::string head = std::string("POST ") + c.path +
                                     " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: "
                                     "application/x-www-form-urlencoded\r\nContent-Length: " +
                                     std::to_string(length) + "\r\n\r\n";
            const std::string answer = sitetest::rawExchange(site.port(), head);
            EXPECT_EQ(answer.substr(0, 12), "HTTP/1.1 413") << c.path << " " << length;
        }
    }
    const std::string chunked = "POST /UseRecord.aspx HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                                "Transfer-Encoding: chunked\r\n\r\n";
    EXPECT_EQ(sitetest::rawExchange(site.port(), chunked).substr(0, 12), "HTTP/1.1 411");
    EXPECT_EQ(site.store().startCount(), 0);
}

TEST_P(SitePages, HomeFeedbackAndBannerAnswer) {
    RunningSite site(GetParam());
    auto client = site.client();
    auto banner = client.Get("/iVemba/ad2005.swf");
    ASSERT_TRUE(banner);
    EXPECT_EQ(banner->status, 404);
    writeFile(site.data() / "data" / "ad2005.swf", "banner bytes");
    writeFile(site.data() / "data" / "download" / "ivemba-2.0.tar.gz", "program");
    banner = client.Get("/iVemba/ad2005.swf");
    ASSERT_TRUE(banner);
    EXPECT_EQ(banner->status, 200);
    EXPECT_EQ(banner->body, "banner bytes");

    auto home = client.Get("/");
    ASSERT_TRUE(home);
    EXPECT_EQ(home->status, 200);
    EXPECT_NE(home->body.find("href=\"/download/ivemba-2.0.tar.gz\""), std::string::npos);
    auto download = client.Get("/download/ivemba-2.0.tar.gz");
    ASSERT_TRUE(download);
    EXPECT_EQ(download->body, "program");

    auto form = client.Get("/iVemba/bugs.asp");
    ASSERT_TRUE(form);
    EXPECT_NE(form->body.find("<form method=\"post\" action=\"/iVemba/bugs.asp\""),
              std::string::npos);
    const char* type = "application/x-www-form-urlencoded";
    auto posted = client.Post("/iVemba/bugs.asp",
                              "author=" + site::FormFields::encode("小红") +
                                  "&contact=&text=" + site::FormFields::encode("边框太少了"),
                              type);
    ASSERT_TRUE(posted);
    EXPECT_EQ(posted->status, 200);
    auto empty = client.Post("/iVemba/bugs.asp", "author=x&text=", type);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->status, 400);
    EXPECT_EQ(site.store().feedbackCount(), 1);
}

TEST_P(SiteBrowserEdition, ServesTheMovieWithTheProgramsBordersBesideIt) {
    sitetest::TemporaryFolder program;
    writeFile(program.path() / "ivemba.swf", "movie bundle");
    writeFile(program.path() / "borders" / "borders.xml",
              "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<borders><class name=\"可爱卡通\" "
              "path=\"borders/可爱卡通/\"><pic>candy</pic></class></borders>");
    writeFile(program.path() / "borders" / "可爱卡通" / "candy.gif", "thumb");
    writeFile(program.path() / "borders" / "可爱卡通" / "candy.png", "border");
    site::SiteOptions options;
    options.movie = program.path() / "ivemba.swf";
    options.borders = program.path() / "borders";
    RunningSite site(GetParam(), options);
    auto client = site.client();

    auto movie = client.Get("/iVemba/ivemba.swf");
    ASSERT_TRUE(movie);
    EXPECT_EQ(movie->body, "movie bundle");
    auto list = client.Get("/iVemba/tclass.xml");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->body, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<tclass><class "
                          "name=\"可爱卡通\" path=\"borders/可爱卡通/\"><pic>candy</pic></class>"
                          "</tclass>");
    auto border =
        client.Get("/iVemba/borders/" + site::FormFields::encode("可爱卡通") + "/candy.png");
    ASSERT_TRUE(border);
    EXPECT_EQ(border->status, 200);
    EXPECT_EQ(border->body, "border");
    EXPECT_EQ(border->get_header_value("Content-Type"), "image/png");
}

IVEMBA_ON_EVERY_BACKEND(SiteVersionFile);
IVEMBA_ON_EVERY_BACKEND(SiteReports);
IVEMBA_ON_EVERY_BACKEND(SitePhotoUpload);
IVEMBA_ON_EVERY_BACKEND(SiteFileUpload);
IVEMBA_ON_EVERY_BACKEND(SiteCaps);
IVEMBA_ON_EVERY_BACKEND(SitePages);
IVEMBA_ON_EVERY_BACKEND(SiteBrowserEdition);

} // namespace
