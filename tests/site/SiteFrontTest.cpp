// The site behind its front (site/deploy, Debian's nginx) while the internet attacks it:
// a thousand slow clients, refused requests with reports hidden inside, pipelining and a
// form built to be slow, all at once, while a probe must be answered within a second and
// real reports and photos go through. Afterwards the pages count exactly what was accepted.
#include "support/SiteFront.h"

#include "site/Database.h"
#include "site/SiteContext.h"
#include "support/RawConnection.h"
#include "support/SiteFixture.h"
#include "support/SlowClients.h"

#include <atomic>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;
using testsupport::RawConnection;
using testsupport::statusOf;

namespace {

const char* kForm = "application/x-www-form-urlencoded";

// The number that follows `before` in `page`, or -1.
long numberAfter(const std::string& page, const std::string& before) {
    const std::size_t at = page.find(before);
    return at == std::string::npos ? -1 : std::atol(page.c_str() + at + before.size());
}

TEST(SiteFront, HoldsAThousandSlowClientsAndAnAttackWhileCountingExactly) {
    sitetest::RunningSite site;
    testsupport::SiteFront front(IVEMBA_SITE_DEPLOY, {site.port()});
    ASSERT_TRUE(front.running()) << front.error();

    testsupport::SlowClients slow(front.port(), 1000,
                                  "POST /UseRecord.aspx HTTP/1.1\r\nHost: x\r\nContent-Length: "
                                  "9\r\n\r\npname=bad");
    ASSERT_EQ(slow.open(), 1000);

    std::atomic<bool> done{false};
    std::atomic<long> worstProbe{0};
    std::atomic<int> probes{0};
    std::thread prober([&] {
        while (!done) {
            const long took = testsupport::probeVersionFile(front.port()).count();
            worstProbe = std::max(worstProbe.load(), took);
            ++probes;
            std::this_thread::sleep_for(100ms);
        }
    });

    // Refused by the front or the site; the report inside must never count.
    std::string names;
    for (int k = 0; k < 65536; ++k)
        names += "n" + std::to_string(k) + "=&";
    const std::vector<std::string> refusals = {
        "POST /CpRecord.aspx HTTP/1.1\r\nHost: x\r\nContent-Length: 70000\r\n\r\n",
        "POST /upload2.aspx HTTP/1.1\r\nHost: x\r\nContent-Length: 5000000\r\n\r\n",
        "GET /ivemba/version.xml HTTP/1.1\r\nHost x\r\n\r\n",
        "GET / HTTP/1.1\r\nHost: x\r\nX-A: " + std::string(20000, 'a') + "\r\n\r\n",
        "POST /upload2.aspx HTTP/1.1\r\nHost: x\r\nConnection: close\r\nContent-Length: " +
            std::to_string(names.size()) + "\r\n\r\n" + names};
    // All at once: the front drains what follows a refusal for up to five seconds before
    // it closes, so that its answer is not lost to a reset.
    std::vector<std::future<RawConnection::Received>> answers;
    for (const std::string& refused : refusals)
        answers.push_back(std::async(std::launch::async, [&front, refused] {
            RawConnection connection(front.port());
            connection.send(refused + sitetest::kSmuggledReport);
            return connection.readUntilClosed(10s);
        }));
    for (std::size_t k = 0; k < refusals.size(); ++k) {
        const auto received = answers[k].get();
        const std::string row = refusals[k].substr(0, 40);
        EXPECT_TRUE(received.closed) << row;
        EXPECT_EQ(testsupport::answerCount(received.bytes), 1) << row;
        EXPECT_TRUE(statusOf(received.bytes).starts_with("4"))
            << row << ": " << received.bytes.substr(0, 60);
    }
    {
        RawConnection connection(front.port());
        connection.send("GET /ivemba/version.xml HTTP/1.1\r\nHost: x\r\n\r\n"
                        "GET /no/such/page HTTP/1.1\r\nHost: x\r\n\r\n");
        EXPECT_EQ(statusOf(connection.readAnswer(5s)), "200");
        EXPECT_EQ(statusOf(connection.readAnswer(5s)), "404");
    }

    // What real copies of the program send meanwhile.
    httplib::Client client("127.0.0.1", front.port());
    client.set_read_timeout(20, 0);
    const std::string photo = sitetest::uploadBody(sitetest::testPicture(2));
    long starts = 0;
    long photos = 0;
    for (int k = 0; k < 60; ++k) {
        auto answer = k % 6 == 0 ? client.Post("/upload2.aspx", photo, kForm)
                                 : client.Post("/UseRecord.aspx", "pname=iVemba.2005.", kForm);
        ASSERT_TRUE(answer) << k;
        EXPECT_EQ(answer->status, 200) << k;
        if (answer->status == 200)
            ++(k % 6 == 0 ? photos : starts);
    }
    while (probes < 20)
        std::this_thread::sleep_for(50ms);
    done = true;
    prober.join();

    EXPECT_LT(worstProbe.load(), 1000) << "ms for the slowest of " << probes << " probes";
    EXPECT_GE(slow.open(), 990);
    auto stats = client.Get("/stats.aspx");
    ASSERT_TRUE(stats);
    EXPECT_EQ(numberAfter(stats->body, "启动 "), starts);
    auto photosPage = client.Get("/photos.aspx");
    ASSERT_TRUE(photosPage);
    EXPECT_EQ(numberAfter(photosPage->body, "共 "), photos);
    EXPECT_EQ(site.store().photoCount(), photos);
}

} // namespace
