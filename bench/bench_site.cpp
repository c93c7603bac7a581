// The site's speed: decoding and composing one upload, parsing a form built to be slow,
// version-file requests under load (alone, and behind the front with and without a thousand
// slow clients), a report post, reports and uploads on each store (its own folder, one
// process on PostgreSQL, two behind the front), and the site's memory after that load.
#include "Duration.h"
#include "jpeg/JpegEncoder.h"
#include "site/FormFields.h"
#include "site/PixelUpload.h"
#include "site/SiteServer.h"
#include "support/PostgresServer.h"
#include "support/SiteFixture.h"
#include "support/SiteFront.h"
#include "support/SlowClients.h"

#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <httplib.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A site with a fresh data folder for the length of one benchmark.
struct BenchSite {
    sitetest::RunningSite site;
    int port = site.port();
};

void BM_DecodeAndComposeUpload(benchmark::State& state) {
    const std::string text = sitetest::utf8(
        site::PixelUpload::compressedText(site::PixelUpload::pixelText(sitetest::testPicture(0))));
    for (auto _ : state) {
        auto picture = site::PixelUpload::decode(text);
        const auto& rgb = picture.value().rgb;
        benchmark::DoNotOptimize(jpeg::encodeRgb(rgb.data(), site::Picture::kWidth,
                                                 site::Picture::kHeight, site::Picture::kWidth * 3,
                                                 92, jpeg::Chroma::Full));
    }
}
BENCHMARK(BM_DecodeAndComposeUpload)->Unit(benchmark::kMillisecond);

// `clients` keep-alive clients sending `send` to `port` for three seconds: answers per
// second (the counter `rate`), latency percentiles and failures, as the benchmark's counters.
void measureLoad(benchmark::State& state, int port, int clients,
                 const std::function<httplib::Result(httplib::Client&)>& send,
                 const char* rate = "per_s") {
    std::vector<std::vector<double>> latencies(static_cast<std::size_t>(clients));
    std::atomic<long> errors{0};
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(benchsupport::measuringMs(3000));
    std::vector<std::thread> threads;
    const auto began = std::chrono::steady_clock::now();
    for (int c = 0; c < clients; ++c)
        threads.emplace_back([&, c] {
            httplib::Client client("127.0.0.1", port);
            client.set_keep_alive(true);
            client.set_tcp_nodelay(true);
            client.set_read_timeout(30, 0);
            while (std::chrono::steady_clock::now() < deadline) {
                const auto start = std::chrono::steady_clock::now();
                auto answer = send(client);
                if (!answer || answer->status != 200)
                    ++errors;
                latencies[static_cast<std::size_t>(c)].push_back(
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                              start)
                        .count());
            }
        });
    for (auto& thread : threads)
        thread.join();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::vector<double> all;
    for (auto& one : latencies)
        all.insert(all.end(), one.begin(), one.end());
    std::sort(all.begin(), all.end());
    state.counters[rate] = static_cast<double>(all.size()) / seconds;
    state.counters["p50_ms"] = all[all.size() / 2];
    state.counters["p99_ms"] = all[all.size() * 99 / 100];
    state.counters["errors"] = static_cast<double>(errors.load());
}

// `clients` keep-alive clients asking for the version file at `port` for three seconds.
void measureVersionLoad(benchmark::State& state, int port, int clients) {
    measureLoad(
        state, port, clients,
        [](httplib::Client& client) { return client.Get("/ivemba/version.xml"); },
        "requests_per_s");
}

// Site processes on one store: the folder (one process), or a PostgreSQL server that
// commits every transaction to disk, with `processes` site processes, reached directly (one)
// or through the front.
struct StoreSetup {
    StoreSetup(bool postgres, int processes, bool fronted) {
        site::SiteOptions options;
        options.data = folder.path() / "data";
        if (postgres) {
            server = std::make_unique<testsupport::PostgresServer>(true);
            options.database = server->freshDatabase();
        }
        for (int k = 0; k < processes; ++k)
            sites.push_back(std::make_unique<sitetest::SiteProcess>(
                IVEMBA_BINARY_DIR "/bin/ivemba-site", options));
        port = sites[0]->port();
        if (fronted) {
            std::vector<int> ports;
            for (const auto& one : sites)
                ports.push_back(one->port());
            front =
                std::make_unique<testsupport::SiteFront>(IVEMBA_SOURCE_DIR "/site/deploy", ports);
            port = front->port();
        }
    }
    sitetest::TemporaryFolder folder;
    std::unique_ptr<testsupport::PostgresServer> server;
    std::vector<std::unique_ptr<sitetest::SiteProcess>> sites;
    std::unique_ptr<testsupport::SiteFront> front;
    int port = 0;
};

// Start reports (kind 0) or photo uploads (kind 1) from 50 keep-alive clients for three
// seconds: on SQLite (store 0), one process on PostgreSQL (1), two processes on PostgreSQL
// behind the front (2), and one process on PostgreSQL behind the front (3), which tells the
// front's own cost from that of splitting the load.
void BM_StoreLoad(benchmark::State& state) {
    const auto store = state.range(0);
    StoreSetup setup(store > 0, store == 2 ? 2 : 1, store >= 2);
    if (setup.front && !setup.front->running())
        return state.SkipWithError(setup.front->error().c_str());
    const std::string upload = sitetest::uploadBody(sitetest::testPicture(0));
    const bool reports = state.range(1) == 0;
    for (auto _ : state)
        measureLoad(state, setup.port, 50, [&](httplib::Client& client) {
            return reports
                       ? client.Post("/UseRecord.aspx", "pname=iVemba.2005.",
                                     "application/x-www-form-urlencoded")
                       : client.Post("/upload2.aspx", upload, "application/x-www-form-urlencoded");
        });
}
BENCHMARK(BM_StoreLoad)
    ->ArgNames({"store", "upload"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({3, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({2, 1})
    ->Args({3, 1})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// Requests per second and latency percentiles of the version file with 16 keep-alive
// clients on 127.0.0.1 (client and server share the two cores).
void BM_VersionFileUnderLoad(benchmark::State& state) {
    BenchSite site;
    for (auto _ : state)
        measureVersionLoad(state, site.port, 16);
}
BENCHMARK(BM_VersionFileUnderLoad)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// 64 k distinct names in one body: linear parsing keeps this to milliseconds.
void BM_ParseManyFieldNames(benchmark::State& state) {
    std::string names;
    for (int k = 0; k < 65536; ++k)
        names += "n" + std::to_string(k) + "=&";
    for (auto _ : state)
        benchmark::DoNotOptimize(site::FormFields::parse(names));
}
BENCHMARK(BM_ParseManyFieldNames)->Unit(benchmark::kMillisecond);

// The version file with 50 keep-alive clients for three seconds, through the front (nginx
// from site/deploy) or straight to the site, while `slow` other clients each send a byte a
// second and never finish.
void BM_VersionFileFiftyClients(benchmark::State& state) {
    BenchSite site;
    std::unique_ptr<testsupport::SiteFront> front;
    if (state.range(0)) {
        front = std::make_unique<testsupport::SiteFront>(IVEMBA_SOURCE_DIR "/site/deploy",
                                                         std::vector<int>{site.port});
        if (!front->running())
            return state.SkipWithError(front->error().c_str());
    }
    const int port = front ? front->port() : site.port;
    const int slowCount = static_cast<int>(state.range(1));
    std::unique_ptr<testsupport::SlowClients> slow;
    if (slowCount > 0)
        slow = std::make_unique<testsupport::SlowClients>(
            port, slowCount,
            "POST /UseRecord.aspx HTTP/1.1\r\nHost: x\r\nContent-Length: 9\r\n\r\npname=bad");
    for (auto _ : state) {
        measureVersionLoad(state, port, 50);
        state.counters["slow_open"] = slow ? slow->open() : 0;
    }
}
BENCHMARK(BM_VersionFileFiftyClients)
    ->ArgNames({"front", "slow"})
    ->Args({1, 0})
    ->Args({1, 1000})
    ->Args({0, 0})
    ->Args({0, 1000})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

void BM_ReportPost(benchmark::State& state) {
    BenchSite site;
    httplib::Client client("127.0.0.1", site.port);
    client.set_keep_alive(true);
    client.set_tcp_nodelay(true);
    std::vector<double> latencies;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto answer = client.Post("/CpRecord.aspx", "cpcount=3&softmodel=soft",
                                  "application/x-www-form-urlencoded");
        if (!answer || answer->status != 200)
            state.SkipWithError("report refused");
        latencies.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(latencies.begin(), latencies.end());
    if (!latencies.empty())
        state.counters["median_ms"] = latencies[latencies.size() / 2];
}
BENCHMARK(BM_ReportPost)->Unit(benchmark::kMicrosecond)->UseRealTime();

long peakKiBOf(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

// The load test's mix (50 clients, uploads among the reports) for five seconds against a
// site in a child process, then that process's peak resident memory.
void BM_MemoryUnderLoad(benchmark::State& state) {
    const sitetest::TemporaryFolder folder;
    int ready[2];
    if (::pipe(ready) != 0)
        return state.SkipWithError("pipe");
    const pid_t child = ::fork();
    if (child == 0) {
        site::SiteOptions options;
        options.port = 0;
        options.data = folder.path() / "data";
        options.log = false;
        site::SiteServer server(options);
        const int port = server.bind();
        (void)!::write(ready[1], &port, sizeof port);
        server.serve();
        ::_exit(0);
    }
    struct {
        int port = 0;
    } site;
    (void)!::read(ready[0], &site.port, sizeof site.port);
    const std::string upload = site::FormFields::encode(
        {{"actionname", "sendpic"},
         {"text", sitetest::utf8(site::PixelUpload::compressedText(
                      site::PixelUpload::pixelText(sitetest::testPicture(0))))},
         {"title", "t"},
         {"author", "a"},
         {"phototype", "1"}});
    for (auto _ : state) {
        const auto deadline = std::chrono::steady_clock::now() +
                              std::chrono::milliseconds(benchsupport::measuringMs(5000));
        std::vector<std::thread> clients;
        for (int c = 0; c < 50; ++c)
            clients.emplace_back([&, c] {
                httplib::Client client("127.0.0.1", site.port);
                for (long k = 0; std::chrono::steady_clock::now() < deadline; ++k) {
                    const int kind = static_cast<int>((k + c) % 20);
                    if (kind == 0)
                        (void)client.Post("/upload2.aspx", upload,
                                          "application/x-www-form-urlencoded");
                    else if (kind < 10)
                        (void)client.Post("/UseRecord.aspx", "pname=iVemba.2005.",
                                          "application/x-www-form-urlencoded");
                    else
                        (void)client.Get("/ivemba/version.xml");
                }
            });
        for (auto& client : clients)
            client.join();
    }
    state.counters["site_peak_rss_MiB"] = static_cast<double>(peakKiBOf(child)) / 1024.0;
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}
BENCHMARK(BM_MemoryUnderLoad)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
