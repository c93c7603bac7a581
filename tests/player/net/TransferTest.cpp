#include "player/net/Transfer.h"

#include "support/LocalSite.h"
#include "support/Wait.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

using net::Limits;
using net::Network;
using net::Transfer;

// Everything one transfer reported.
struct Outcome {
    explicit Outcome(Transfer* transfer) {
        QObject::connect(transfer, &Transfer::progress, [this](qint64 l, qint64 t) {
            progress.append({l, t});
        });
        QObject::connect(transfer, &Transfer::finished, [this](const QByteArray& b) {
            body = b;
            ++finished;
        });
        QObject::connect(transfer, &Transfer::failed, [this](const QString& r) {
            reason = r;
            ++failed;
        });
    }
    [[nodiscard]] bool done() const { return finished + failed > 0; }
    QList<QPair<qint64, qint64>> progress;
    QByteArray body;
    QString reason;
    int finished = 0;
    int failed = 0;
};

bool monotonic(const QList<QPair<qint64, qint64>>& progress) {
    for (qsizetype i = 1; i < progress.size(); ++i) {
        if (progress[i].first < progress[i - 1].first)
            return false;
    }
    return true;
}

class TransferTest : public ::testing::Test {
protected:
    Outcome run(const QString& address, Limits limits = {}) {
        Outcome outcome(network.get(address, limits));
        EXPECT_TRUE(testsupport::waitUntil([&] { return outcome.done(); }, 10000))
            << address.toStdString();
        // Exactly one report, also after a while.
        testsupport::spin(20);
        EXPECT_EQ(outcome.finished + outcome.failed, 1);
        return outcome;
    }
    Network network;
    testsupport::LocalSite site;
};

TEST_F(TransferTest, LocalFilesByPathAndByFileAddress) {
    QTemporaryDir dir;
    const QByteArray bytes(100 * 1024, 'f');
    QFile file(dir.filePath(QStringLiteral("本地 file.bin")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    for (const QString& address :
         {file.fileName(), QUrl::fromLocalFile(file.fileName()).toString()}) {
        const Outcome outcome = run(address);
        EXPECT_EQ(outcome.body, bytes);
        ASSERT_FALSE(outcome.progress.isEmpty());
        EXPECT_EQ(outcome.progress.last(), qMakePair(qint64(bytes.size()), qint64(bytes.size())));
    }
    EXPECT_EQ(run(dir.filePath(QStringLiteral("missing"))).failed, 1);
    EXPECT_EQ(run(file.fileName(), Limits{1000, 30000}).failed, 1) << "over the cap";
}

TEST_F(TransferTest, HttpBodyArrivesWithMonotonicProgressEndingAtTheTotal) {
    std::string body(3 * 1024 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < body.size(); ++i)
        body[i] = static_cast<char>(i * 7);
    site.answer("/big.bin", body, "application/octet-stream");
    const Outcome outcome = run(site.url(QStringLiteral("/big.bin")));
    ASSERT_EQ(outcome.finished, 1) << outcome.reason.toStdString();
    EXPECT_EQ(outcome.body, QByteArray::fromStdString(body));
    ASSERT_FALSE(outcome.progress.isEmpty());
    EXPECT_TRUE(monotonic(outcome.progress));
    EXPECT_EQ(outcome.progress.last().first, qint64(body.size()));
    EXPECT_EQ(outcome.progress.last().second, qint64(body.size()));
}

TEST_F(TransferTest, FailuresOfTheServerAndOfTheAddress) {
    site.fail("/gone", 404);
    site.fail("/broken", 500);
    testsupport::RawSite cutInHeader("HTTP/1.1 200 OK\r\nContent-Len");
    testsupport::RawSite cutInBody("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nonly a part");
    const QStringList addresses{
        site.url(QStringLiteral("/gone")),
        site.url(QStringLiteral("/broken")),
        QStringLiteral("http://127.0.0.1:%1/x").arg(testsupport::refusedPort()),
        cutInHeader.url(QStringLiteral("/x")),
        cutInBody.url(QStringLiteral("/x")),
        QString(),
        QStringLiteral("ftp://127.0.0.1/x"),
        QStringLiteral("javascript:alert(1)"),
    };
    for (const QString& address : addresses) {
        const Outcome outcome = run(address);
        EXPECT_EQ(outcome.failed, 1) << address.toStdString();
        EXPECT_TRUE(outcome.body.isEmpty());
        EXPECT_FALSE(outcome.reason.isEmpty());
    }
}

TEST_F(TransferTest, StalledBodyEndsAtTheIdleTimeOut) {
    site.stall("/stalled", 100000, 500);
    const Outcome outcome = run(site.url(QStringLiteral("/stalled")), Limits{1 << 20, 300});
    EXPECT_EQ(outcome.failed, 1);
    EXPECT_TRUE(outcome.body.isEmpty());
}

TEST_F(TransferTest, StalledBodyEndsAtTheTotalTimeOutToo) {
    site.stall("/stalled", 100000, 500);
    const Outcome outcome = run(site.url(QStringLiteral("/stalled")),
                                Limits{.idleTimeoutMs = 30000, .totalTimeoutMs = 300});
    EXPECT_EQ(outcome.failed, 1);
    EXPECT_EQ(outcome.reason, "not done after 300 ms");
}

// Only a whole 2xx answer is one: the border downloads have always held to this.
TEST_F(TransferTest, OnlyAWholeSuccessCounts) {
    const struct {
        const char* name;
        std::string answer;
        bool counts;
    } rows[] = {
        {"200", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok", true},
        {"204", "HTTP/1.1 204 No Content\r\n\r\n", true},
        {"300", "HTTP/1.1 300 Multiple Choices\r\nContent-Length: 2\r\n\r\nok", false},
        {"cut short", "HTTP/1.1 200 OK\r\nContent-Length: 4000\r\n\r\n" + std::string(500, 'c'),
         false},
    };
    for (const auto& row : rows) {
        testsupport::RawSite raw(row.answer);
        const Outcome outcome = run(raw.url(QStringLiteral("/x")));
        EXPECT_EQ(outcome.finished, row.counts ? 1 : 0) << row.name;
        EXPECT_EQ(outcome.failed, row.counts ? 0 : 1) << row.name << " " << outcome.body.size();
    }
}

TEST_F(TransferTest, BodyOverTheCapIsCutAndNothingIsKept) {
    site.flood("/announced", 5 * 1024 * 1024, true);
    site.flood("/chunked", 5 * 1024 * 1024, false);
    for (const char* path : {"/announced", "/chunked"}) {
        const Outcome outcome =
            run(site.url(QString::fromLatin1(path)), Limits{1024 * 1024, 30000});
        EXPECT_EQ(outcome.failed, 1) << path;
        EXPECT_TRUE(outcome.body.isEmpty()) << path;
        for (const auto& [loaded, total] : outcome.progress)
            EXPECT_LE(loaded, 1024 * 1024 + 1) << path;
    }
}

TEST_F(TransferTest, CancelledTransferReportsNothing) {
    site.delay("/slow", 300, "late");
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("a")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("local");
    file.close();
    for (const QString& address : {site.url(QStringLiteral("/slow")), file.fileName()}) {
        Transfer* transfer = network.get(address);
        Outcome outcome(transfer);
        transfer->cancel();
        testsupport::spin(600);
        EXPECT_FALSE(outcome.done()) << address.toStdString();
        EXPECT_TRUE(outcome.progress.isEmpty());
    }
}

} // namespace
