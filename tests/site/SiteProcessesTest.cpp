// Two site processes sharing one PostgreSQL database behind the front: the load of fifty
// clients is counted exactly whichever process took each request, and when one process is
// killed in the middle of uploads the front sends the rest to the other, losing no photo
// that was answered "ok" and storing none twice.
#include "site/store/PostgresStore.h"
#include "support/PostgresServer.h"
#include "support/SiteFixture.h"
#include "support/SiteFront.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <thread>

using namespace std::chrono_literals;

namespace {

const char* kForm = "application/x-www-form-urlencoded";

long numberAfter(const std::string& page, const std::string& before) {
    const std::size_t at = page.find(before);
    return at == std::string::npos ? -1 : std::atol(page.c_str() + at + before.size());
}

struct TwoSites {
    TwoSites()
        : options(sitetest::optionsFor(sitetest::Backend::Postgres, folder.path())),
          first(IVEMBA_SITE_EXECUTABLE, options), second(IVEMBA_SITE_EXECUTABLE, options),
          front(IVEMBA_SITE_DEPLOY, {first.port(), second.port()}) {}
    sitetest::TemporaryFolder folder;
    site::SiteOptions options;
    sitetest::SiteProcess first;
    sitetest::SiteProcess second;
    testsupport::SiteFront front;
};

TEST(SiteProcesses, FiftyClientsThroughTheFrontAreCountedExactly) {
    TwoSites sites;
    ASSERT_GT(sites.first.port(), 0);
    ASSERT_GT(sites.second.port(), 0);
    ASSERT_TRUE(sites.front.running()) << sites.front.error();

    const std::string upload = sitetest::uploadBody(sitetest::testPicture(3));
    std::atomic<long> starts{0}, softCaptures{0}, uploads{0}, failures{0};
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    std::vector<std::thread> clients;
    for (int c = 0; c < 50; ++c)
        clients.emplace_back([&, c] {
            httplib::Client client("127.0.0.1", sites.front.port());
            client.set_read_timeout(20, 0);
            for (long k = 0; std::chrono::steady_clock::now() < deadline; ++k) {
                const int kind = static_cast<int>((k + c) % 20);
                auto answer =
                    kind == 0   ? client.Post("/upload2.aspx", upload, kForm)
                    : kind < 8  ? client.Post("/UseRecord.aspx", "pname=iVemba.2005.", kForm)
                    : kind < 12 ? client.Post("/CpRecord.aspx", "cpcount=3&softmodel=soft", kForm)
                                : client.Get("/ivemba/version.xml");
                if (!answer || answer->status != 200)
                    ++failures;
                else if (kind == 0)
                    ++uploads;
                else if (kind < 8)
                    ++starts;
                else if (kind < 12)
                    softCaptures += 3;
            }
        });
    for (std::thread& client : clients)
        client.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_GT(uploads.load(), 0);

    httplib::Client client("127.0.0.1", sites.front.port());
    // Both processes read the same figures.
    for (int ask = 0; ask < 4; ++ask) {
        auto stats = client.Get("/stats.aspx");
        ASSERT_TRUE(stats);
        EXPECT_EQ(numberAfter(stats->body, "启动 "), starts.load());
        EXPECT_EQ(numberAfter(stats->body, "桌面版 "), softCaptures.load());
        auto photos = client.Get("/photos.aspx");
        ASSERT_TRUE(photos);
        EXPECT_EQ(numberAfter(photos->body, "共 "), uploads.load());
    }
}

TEST(SiteProcesses, AKilledProcessLosesNoAnsweredPhotoAndTheOtherTakesOver) {
    TwoSites sites;
    ASSERT_GT(sites.first.port(), 0);
    ASSERT_GT(sites.second.port(), 0);
    ASSERT_TRUE(sites.front.running()) << sites.front.error();

    std::mutex mutex;
    std::map<std::string, std::string> answered; // title -> photo name
    std::atomic<bool> killed{false}, stop{false};
    std::atomic<long> afterKill{0};
    std::vector<std::thread> uploaders;
    for (int u = 0; u < 8; ++u)
        uploaders.emplace_back([&, u] {
            httplib::Client client("127.0.0.1", sites.front.port());
            client.set_read_timeout(20, 0);
            for (int k = 0; !stop; ++k) {
                const std::string title = "u" + std::to_string(u) + "-" + std::to_string(k);
                auto answer = client.Post(
                    "/upload2.aspx", sitetest::uploadBody(sitetest::testPicture(u), title), kForm);
                if (answer && answer->status == 200) {
                    std::scoped_lock lock(mutex);
                    answered[title] = sitetest::answerField(answer->body, "filename");
                    if (killed)
                        ++afterKill;
                }
            }
        });
    const auto waitFor = [&](std::size_t count) {
        const auto deadline = std::chrono::steady_clock::now() + 60s;
        while (std::chrono::steady_clock::now() < deadline) {
            {
                std::scoped_lock lock(mutex);
                if (answered.size() >= count)
                    return;
            }
            std::this_thread::sleep_for(10ms);
        }
    };
    waitFor(20);
    sites.first.kill();
    killed = true;
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (afterKill < 20 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(10ms);
    stop = true;
    for (std::thread& uploader : uploaders)
        uploader.join();
    EXPECT_GE(afterKill.load(), 20) << "the other process took the uploads";

    site::PostgresStore store(sites.options.database, sites.options.storageBytes, 2);
    std::map<std::string, int> stored;
    for (const site::PhotoRecord& photo : store.photos(0, 1000000))
        ++stored[photo.title];
    for (const auto& [title, count] : stored)
        EXPECT_EQ(count, 1) << title << " stored twice";
    httplib::Client client("127.0.0.1", sites.front.port());
    for (const auto& [title, name] : answered) {
        EXPECT_EQ(stored.count(title), 1u) << title << " answered ok but lost";
        auto photo = client.Get("/pics/" + name);
        ASSERT_TRUE(photo) << name;
        EXPECT_EQ(photo->status, 200) << name;
    }
}

} // namespace
