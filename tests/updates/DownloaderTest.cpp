#include "updates/Downloader.h"

#include "TestFiles.h"
#include "support/LocalSite.h"
#include "updates/WorkGate.h"

#include <QTemporaryDir>
#include <chrono>
#include <gtest/gtest.h>
#include <httplib.h>
#include <thread>

namespace updates {
namespace {

using test::entriesOf;
using test::readFile;
using test::writeFile;
using namespace std::chrono_literals;

class DownloaderTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        target = dir.filePath(QStringLiteral("a.gif"));
    }
    // A good file already in place, which no failure may touch.
    void putGoodFile() { writeFile(target, "good"); }
    void expectGoodFileAlone() {
        EXPECT_EQ(readFile(target), "good");
        EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("a.gif")});
    }

    QTemporaryDir dir;
    QString target;
    testsupport::LocalSite site;
};

TEST_F(DownloaderTest, WholeAnswerBecomesTheFile) {
    site.answer("/pics/a.gif", std::string(5000, 'g'));
    putGoodFile();
    Downloader downloader;
    const common::Status<> fetched = downloader.download(site.url(QStringLiteral("/pics/a.gif")),
                                                         target, Downloader::kBorderFileMaxBytes);
    ASSERT_TRUE(fetched.ok()) << fetched.error().toStdString();
    EXPECT_EQ(readFile(target), QByteArray(5000, 'g'));
    EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("a.gif")});
    // An empty answer is a file too.
    site.answer("/empty", "");
    EXPECT_TRUE(downloader.download(site.url(QStringLiteral("/empty")), target, 10));
    EXPECT_EQ(readFile(target), QByteArray());
}

TEST_F(DownloaderTest, FailuresLeaveTheOldFileAsItWas) {
    site.fail("/missing", 404);
    site.fail("/broken", 500);
    site.stall("/stalled", 10000, 1000);
    site.flood("/announced", 100 * 1024 * 1024, true);
    site.flood("/chunked", 100 * 1024 * 1024, false);
    site.answer("/exact", std::string(1024, 'e'));
    site.route("/redirect-to-file", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("file:///etc/passwd");
    });
    // Announces more than it sends, then closes.
    testsupport::RawSite cut("HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\n" +
                             std::string(1000, 'c'));

    const struct {
        const char* name;
        QString url;
        qint64 cap;
    } cases[] = {
        {"not found", site.url(QStringLiteral("/missing")), 1000},
        {"server error", site.url(QStringLiteral("/broken")), 1000},
        {"stalls mid-file", site.url(QStringLiteral("/stalled")), 100000},
        {"announces 100 MB", site.url(QStringLiteral("/announced")),
         Downloader::kBorderFileMaxBytes},
        {"sends 100 MB chunked", site.url(QStringLiteral("/chunked")),
         Downloader::kBorderFileMaxBytes},
        {"one byte over the cap", site.url(QStringLiteral("/exact")), 1023},
        {"redirects to a local file", site.url(QStringLiteral("/redirect-to-file")), 100000},
        {"connection closed mid-file", cut.url(QStringLiteral("/a.gif")), 100000},
        {"nobody listens",
         QStringLiteral("http://127.0.0.1:%1/a.gif").arg(testsupport::refusedPort()), 1000},
    };
    Downloader downloader(nullptr,
                          common::TransferPolicy{.idleTimeoutMs = 300, .totalTimeoutMs = 5000});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        putGoodFile();
        const common::Status<> fetched = downloader.download(c.url, target, c.cap);
        EXPECT_FALSE(fetched.ok());
        EXPECT_FALSE(fetched.error().isEmpty());
        expectGoodFileAlone();
    }
}

TEST_F(DownloaderTest, OnlyWebAddressesAreFetched) {
    site.answer("/a.gif", "from the site");
    Downloader downloader;
    for (const QString& url :
         {QStringLiteral("file:///etc/passwd"), QStringLiteral("ftp://127.0.0.1/a.gif"),
          QStringLiteral("/etc/passwd"), QStringLiteral("a.gif"), QString(),
          QStringLiteral("http:///a.gif"), QStringLiteral("data:text/plain,hello"),
          QStringLiteral("qrc:/updates/boarderxml")}) {
        SCOPED_TRACE(url.toStdString());
        putGoodFile();
        EXPECT_FALSE(downloader.download(url, target, 1000));
        expectGoodFileAlone();
    }
    EXPECT_TRUE(site.requests().empty());
    // Scheme names are not case-sensitive.
    EXPECT_TRUE(downloader.download(site.url(QStringLiteral("/a.gif")).replace(0, 4, "HTTP"),
                                    target, 1000));
}

// The update window's cancel and the end of the worker's thread each end a transfer that
// is in the middle, without touching the file already in place.
TEST_F(DownloaderTest, CancelOrStopOfTheThreadEndsATransferInTheMiddle) {
    site.stall("/stalled", 10000, 100);
    for (const bool byCancel : {true, false}) {
        SCOPED_TRACE(byCancel ? "cancel" : "stop of the thread");
        putGoodFile();
        std::stop_source stop;
        WorkGate gate(stop.get_token());
        // The idle time-out is far away: only the cancel or the stop can end this transfer.
        Downloader downloader(
            &gate, common::TransferPolicy{.idleTimeoutMs = 600'000, .totalTimeoutMs = 600'000});
        std::jthread ender([&] {
            std::this_thread::sleep_for(200ms);
            if (byCancel)
                gate.cancel();
            else
                stop.request_stop();
        });
        const common::Status<> fetched =
            downloader.download(site.url(QStringLiteral("/stalled")), target, 100000);
        EXPECT_FALSE(fetched.ok());
        EXPECT_EQ(fetched.error(), QStringLiteral("stopped"));
        expectGoodFileAlone();
    }
}

TEST_F(DownloaderTest, PauseHoldsTheTransferWithoutRunningTheTimeOuts) {
    // A first part at once, the rest a little later.
    const std::size_t size = 2 * 1024 * 1024;
    site.route("/big.png", [size](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(
            size, "image/png", [size](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                static const std::string block(64 * 1024, 'x');
                if (offset == 0)
                    return sink.write(block.data(), 100);
                if (offset == 100)
                    std::this_thread::sleep_for(200ms);
                return sink.write(block.data(), std::min(block.size(), size - offset));
            });
    });
    WorkGate gate;
    // The pause lasts longer than the idle time-out; held time must not count.
    Downloader downloader(&gate,
                          common::TransferPolicy{.idleTimeoutMs = 400, .totalTimeoutMs = 60'000});
    std::atomic<bool> resumed{false};
    std::jthread pauser([&] {
        while (site.count("/big.png") == 0)
            std::this_thread::sleep_for(1ms);
        gate.pause();
        std::this_thread::sleep_for(1000ms);
        resumed = true;
        gate.resume();
    });
    const common::Status<> fetched = downloader.download(site.url(QStringLiteral("/big.png")),
                                                         target, Downloader::kBorderFileMaxBytes);
    ASSERT_TRUE(fetched.ok()) << fetched.error().toStdString();
    EXPECT_TRUE(resumed) << "the transfer ended while paused";
    EXPECT_EQ(readFile(target), QByteArray(static_cast<qsizetype>(size), 'x'));
}

TEST_F(DownloaderTest, CancelWhilePausedEndsTheTransfer) {
    site.stall("/stalled", 10000, 100);
    WorkGate gate;
    gate.pause();
    Downloader downloader(
        &gate, common::TransferPolicy{.idleTimeoutMs = 600'000, .totalTimeoutMs = 600'000});
    std::jthread canceller([&gate] {
        std::this_thread::sleep_for(200ms);
        gate.cancel();
    });
    const common::Status<> fetched =
        downloader.download(site.url(QStringLiteral("/stalled")), target, 100000);
    EXPECT_FALSE(fetched.ok());
    EXPECT_EQ(fetched.error(), QStringLiteral("stopped"));
}

} // namespace
} // namespace updates
