// The site as the open internet tries it: refused requests that carry another inside,
// pipelining, endless headers, slow clients, forms built to be slow to parse, hostile
// uploads, uploads without end and a second server on the same port.
#include "site/Database.h"
#include "site/SiteContext.h"
#include "support/RawConnection.h"
#include "support/SiteFixture.h"
#include "support/SlowClients.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using sitetest::RunningSite;
using testsupport::RawConnection;
using testsupport::statusOf;

namespace {

class SiteAttack : public testing::TestWithParam<sitetest::Backend> {};

struct Refusal {
    const char* name;
    std::string request;
    const char* status;
};

TEST_P(SiteAttack, ARefusedRequestClosesItsConnectionAndNothingAfterItIsRead) {
    RunningSite site(GetParam());
    const Refusal refusals[] = {
        {"a body past its cap, the report inside it",
         "POST /CpRecord.aspx HTTP/1.1\r\nHost: x\r\nContent-Length: 70000\r\n\r\n", "413"},
        {"a chunked body",
         "POST /UseRecord.aspx HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\n", "411"},
        {"a header line without a colon", "GET /ivemba/version.xml HTTP/1.1\r\nHost x\r\n\r\n",
         "400"},
        {"a header of 20 KiB",
         "GET / HTTP/1.1\r\nHost: x\r\nX-A: " + std::string(20000, 'a') + "\r\n\r\n", "431"},
        {"150 header lines",
         "GET / HTTP/1.1\r\nHost: x\r\n" +
             [] {
                 std::string lines;
                 for (int k = 0; k < 150; ++k)
                     lines += "X-" + std::to_string(k) + ": 1\r\n";
                 return lines;
             }() +
             "\r\n",
         "431"},
        {"two Content-Lengths",
         "POST /UseRecord.aspx HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\nContent-Length: "
         "9\r\n\r\n",
         "400"},
    };
    for (const Refusal& refusal : refusals) {
        RawConnection connection(site.port());
        ASSERT_TRUE(connection.send(refusal.request + sitetest::kSmuggledReport)) << refusal.name;
        const auto received = connection.readUntilClosed(5s);
        EXPECT_TRUE(received.closed) << refusal.name;
        EXPECT_EQ(testsupport::answerCount(received.bytes), 1) << refusal.name;
        EXPECT_EQ(statusOf(received.bytes), refusal.status) << refusal.name;
    }
    EXPECT_EQ(site.store().startCount(), 0);
}

TEST_P(SiteAttack, PipelinedRequestsAreAllAnsweredInOrder) {
    RunningSite site(GetParam());
    RawConnection connection(site.port());
    ASSERT_TRUE(connection.send(
        "GET /ivemba/version.xml HTTP/1.1\r\nHost: x\r\n\r\n"
        "POST /UseRecord.aspx HTTP/1.1\r\nHost: x\r\nContent-Length: 8\r\n\r\npname=ok"
        "GET /no/such/page HTTP/1.1\r\nHost: x\r\n\r\n"
        "HEAD /ivemba/version.xml HTTP/1.1\r\nHost: x\r\n\r\n"
        "GET /stats.aspx HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n"));
    const std::string version = connection.readAnswer(5s);
    EXPECT_EQ(statusOf(version), "200");
    EXPECT_NE(version.find("<iVemba><Delphi version="), std::string::npos);
    const std::string report = connection.readAnswer(5s);
    EXPECT_EQ(statusOf(report), "200");
    EXPECT_NE(report.find("status=ok"), std::string::npos);
    EXPECT_EQ(statusOf(connection.readAnswer(5s)), "404");
    // A HEAD answer names the length of the body it leaves out.
    const auto rest = connection.readUntilClosed(5s);
    EXPECT_TRUE(rest.closed);
    ASSERT_EQ(testsupport::answerCount(rest.bytes), 2) << rest.bytes;
    EXPECT_EQ(statusOf(rest.bytes), "200");
    const std::size_t stats = rest.bytes.find("HTTP/1.1", 1);
    EXPECT_EQ(rest.bytes.find("<iVemba>"), std::string::npos);
    EXPECT_NE(rest.bytes.find("使用统计", stats), std::string::npos);
    EXPECT_EQ(site.store().startCount(), 1);
}

// Sends `head` and then `trickle` one byte every 50 ms until the server closes.
std::chrono::milliseconds timeToBeDropped(int port, const std::string& head,
                                          const std::string& trickle) {
    RawConnection connection(port);
    const auto start = std::chrono::steady_clock::now();
    connection.send(head);
    for (char byte : trickle) {
        if (!connection.send(std::string(1, byte)) || connection.readUntilClosed(50ms).closed)
            break;
    }
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start);
}

TEST_P(SiteAttack, ARequestThatDoesNotArriveWholeInTimeIsDropped) {
    site::SiteOptions options;
    options.headerTime = 400ms;
    options.bodyTime = 600ms;
    RunningSite site(GetParam(), options);
    // Each trickle alone would take 5 s; every byte keeps the connection busy.
    const std::string header =
        "GET /ivemba/version.xml HTTP/1.1\r\nHost: x\r\nX-Slow: " + std::string(100, 'a') +
        "\r\n\r\n";
    EXPECT_LT(timeToBeDropped(site.port(), "GET", header.substr(3)), 2s);
    EXPECT_LT(timeToBeDropped(site.port(),
                              "POST /UseRecord.aspx HTTP/1.1\r\nHost: x\r\nContent-Length: "
                              "100\r\n\r\n",
                              "pname=" + std::string(94, 'a')),
              2s);
    EXPECT_EQ(site.store().startCount(), 0);
}

TEST_P(SiteAttack, SlowClientsDoNotHoldUpAnyoneElse) {
    RunningSite site(GetParam());
    testsupport::SlowClients slow(site.port(), 300,
                                  "POST /UseRecord.aspx HTTP/1.1\r\nHost: x\r\nContent-Length: "
                                  "9\r\n\r\npname=bad");
    std::chrono::milliseconds worst{0};
    for (int k = 0; k < 20; ++k) {
        worst = std::max(worst, testsupport::probeVersionFile(site.port()));
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_LT(worst, 1s);
    EXPECT_GE(slow.open(), 290);
}

struct Burden {
    const char* name;
    std::string path;
    std::string contentType;
    std::string body;
    const char* status;
};

// A body can be built to make a careless parser work quadratically; these must cost about
// as much as any other body of their size.
TEST_P(SiteAttack, BodiesBuiltToBeSlowToParseAreAnsweredAtOnce) {
    RunningSite site(GetParam());
    std::string names;
    for (int k = 0; k < 65536; ++k)
        names += "n" + std::to_string(k) + "=&";
    std::string parts;
    while (parts.size() < 1000 * 1000)
        parts += "--b\r\nContent-Disposition: form-data; name=\"f\"\r\n\r\nx\r\n";
    parts += "--b--\r\n";
    // Every line almost the boundary: a naive search compares each one nearly whole.
    const std::string longBoundary(70, 'b');
    std::string nearBoundary;
    while (nearBoundary.size() < 1000 * 1000)
        nearBoundary += "\r\n--" + longBoundary.substr(1) + "c";
    const Burden burdens[] = {
        {"64 k distinct field names", "/upload2.aspx", "application/x-www-form-urlencoded", names,
         "400"},
        {"a multipart body of 20 k parts without a file", "/uploadfile.aspx?filename=1_.png",
         "multipart/form-data; boundary=b", parts, "400"},
        {"a multipart body full of near boundaries", "/uploadfile.aspx?filename=1_.png",
         "multipart/form-data; boundary=" + longBoundary,
         "--" + longBoundary + "\r\n\r\n" + nearBoundary, "400"},
    };
    auto client = site.client();
    for (const Burden& burden : burdens) {
        const auto start = std::chrono::steady_clock::now();
        auto answer = client.Post(burden.path, burden.body, burden.contentType);
        const auto took = std::chrono::steady_clock::now() - start;
        ASSERT_TRUE(answer) << burden.name;
        EXPECT_EQ(std::to_string(answer->status), burden.status) << burden.name;
        // Quadratic work here took tens of seconds; linear work takes milliseconds.
        EXPECT_LT(took, 5s) << burden.name;
    }
}

std::string multipartFile(const std::string& content) {
    return "--b\r\nContent-Disposition: form-data; name=\"Filedata\"; filename=\"f\"\r\n\r\n" +
           content + "\r\n--b--\r\n";
}

const std::string kPng = std::string("\x89PNG\r\n\x1A\n", 8) + "rest of a picture";
const std::string kJpeg = "\xFF\xD8\xFF\xE0 rest of a picture";
const std::string kGif = "GIF89a rest of a picture";
const std::string kPage = "<html xmlns=\"http://www.w3.org/1999/xhtml\"><script>alert(document."
                          "cookie)</script></html>";

struct Upload {
    const char* name;
    std::string filename;
    std::string content;
    int status;
    const char* servedAs; // empty: never served
};

TEST_P(SiteAttack, UploadedFilesAreOnlyEverPicturesServedAsPictures) {
    RunningSite site(GetParam());
    const Upload uploads[] = {
        {"a JPEG", "1_.jpg", kJpeg, 200, "image/jpeg"},
        {"a PNG named without a dot", "2_photo", kPng, 200, "image/png"},
        {"a GIF with its extension in capitals", "3_.GIF", kGif, 200, "image/gif"},
        {"a PNG named .jpeg is served as what it is", "4_.jpeg", kPng, 200, "image/png"},
        {"an XHTML page named .xml", "5_.xml", kPage, 415, ""},
        {"a page named .htm", "6_.htm", kPage, 415, ""},
        {"a Flash movie named .swf", "7_.swf", "FWS\x08 a movie", 415, ""},
        {"a picture named .svg", "8_.svg", kPng, 415, ""},
        {"a page named .jpg", "9_.jpg", kPage, 415, ""},
        {"an empty file", "10_.png", "", 415, ""},
    };
    auto client = site.client();
    for (const Upload& upload : uploads) {
        auto sent = client.Post("/uploadfile.aspx?filename=" + upload.filename,
                                multipartFile(upload.content), "multipart/form-data; boundary=b");
        ASSERT_TRUE(sent) << upload.name;
        EXPECT_EQ(sent->status, upload.status) << upload.name;
        auto served = client.Get("/upload/" + upload.filename);
        ASSERT_TRUE(served) << upload.name;
        if (*upload.servedAs) {
            EXPECT_EQ(served->status, 200) << upload.name;
            EXPECT_EQ(served->get_header_value("Content-Type"), upload.servedAs) << upload.name;
            EXPECT_EQ(served->get_header_value("X-Content-Type-Options"), "nosniff") << upload.name;
            EXPECT_EQ(served->body, upload.content) << upload.name;
        } else {
            EXPECT_EQ(served->status, 404) << upload.name;
        }
    }
    EXPECT_EQ(site.store().uploadNames(),
              (std::vector<std::string>{"1_.jpg", "2_photo", "3_.GIF", "4_.jpeg"}));
    if (GetParam() != sitetest::Backend::Folder)
        return;
    // A page that reached the folder some other way is not served either.
    std::ofstream(site.data() / "data" / "upload" / "11_.jpg") << kPage;
    auto planted = client.Get("/upload/11_.jpg");
    ASSERT_TRUE(planted);
    EXPECT_EQ(planted->status, 404);
}

TEST_P(SiteAttack, UploadsStayWithinTheStorageBoundAndPhotosAreNeverRemoved) {
    site::SiteOptions options;
    options.storageBytes = 200 * 1024;
    RunningSite site(GetParam(), options);
    auto client = site.client();
    const std::string picture = kPng + std::string(60 * 1024, 'p');
    for (int k = 1; k <= 6; ++k) {
        auto sent = client.Post("/uploadfile.aspx?filename=" + std::to_string(k) + "_.png",
                                multipartFile(picture), "multipart/form-data; boundary=b");
        ASSERT_TRUE(sent);
        EXPECT_EQ(sent->status, 200) << k;
    }
    // Three fit: the oldest went first.
    EXPECT_EQ(site.store().uploadNames(), (std::vector<std::string>{"4_.png", "5_.png", "6_.png"}));

    const std::string photo = sitetest::uploadBody(sitetest::testPicture(1));
    int accepted = 0;
    int refused = 0;
    for (int k = 0; k < 40 && refused == 0; ++k) {
        auto sent = client.Post("/upload2.aspx", photo, "application/x-www-form-urlencoded");
        ASSERT_TRUE(sent);
        if (sent->status == 200) {
            ++accepted;
        } else {
            EXPECT_EQ(sent->status, 507);
            EXPECT_EQ(sitetest::answerField(sent->body, "status"), "error");
            EXPECT_EQ(sitetest::answerField(sent->body, "reason"), "storage full");
            ++refused;
        }
    }
    EXPECT_GT(accepted, 3);
    EXPECT_EQ(refused, 1);
    // The photos took the picture files' room; every accepted photo is still there.
    EXPECT_TRUE(site.store().uploadNames().empty());
    EXPECT_EQ(site.store().photoCount(), accepted);
    std::uint64_t used = 0;
    for (const site::PhotoRecord& kept : site.store().photos(0, 100)) {
        auto bytes = client.Get("/pics/" + kept.name);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(bytes->status, 200) << kept.name;
        used += bytes->body.size();
    }
    EXPECT_LE(used, options.storageBytes);
    EXPECT_EQ(site.store().storageUse().photoBytes, used);
    auto late = client.Post("/uploadfile.aspx?filename=7_.png", multipartFile(picture),
                            "multipart/form-data; boundary=b");
    ASSERT_TRUE(late);
    EXPECT_EQ(late->status, 507);
}

TEST_P(SiteAttack, ASecondSiteOnATakenPortRefusesToStart) {
    RunningSite site(GetParam());
    sitetest::TemporaryFolder other;
    // Should it start after all, it is stopped rather than left serving.
    const std::string command = "timeout 10 " + std::string(IVEMBA_SITE_EXECUTABLE) +
                                " --listen 127.0.0.1:" + std::to_string(site.port()) + " --data " +
                                (other.path() / "data").string() + " 2>&1";
    std::FILE* output = ::popen(command.c_str(), "r");
    ASSERT_NE(output, nullptr);
    std::string said;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, output))
        said += buffer;
    const int status = ::pclose(output);
    ASSERT_TRUE(WIFEXITED(status)) << said;
    EXPECT_EQ(WEXITSTATUS(status), 3) << said;
    EXPECT_NE(said.find("cannot listen on 127.0.0.1:" + std::to_string(site.port())),
              std::string::npos)
        << said;
    EXPECT_EQ(said.find("listening"), std::string::npos) << said;
}

IVEMBA_ON_EVERY_BACKEND(SiteAttack);

} // namespace
