// The one transfer under every load and post: a local file handed to the UI thread, and a
// form post's round trip to a site on this machine.
#include "player/Stage.h"
#include "player/net/FormPost.h"
#include "player/net/Transfer.h"
#include "support/LocalSite.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Runs the event loop until `done` holds.
template <class Done> void spinUntil(Done done) {
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

void BM_LocalFileThroughTheTransfer(benchmark::State& state) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("picture.bin")));
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray(100 * 1024, 'p'));
    file.close();
    net::Network network;
    for (auto _ : state) {
        bool done = false;
        net::Transfer* transfer = network.get(file.fileName());
        QObject::connect(transfer, &net::Transfer::finished, [&](const QByteArray& body) {
            benchmark::DoNotOptimize(body.size());
            done = true;
        });
        spinUntil([&] { return done; });
    }
}
BENCHMARK(BM_LocalFileThroughTheTransfer)->Unit(benchmark::kMillisecond);

void BM_FormPostRoundTrip(benchmark::State& state) {
    testsupport::LocalSite site;
    site.answer("/ivemba/CpRecord.aspx", "status=ok");
    player::Stage stage;
    net::FormPost post(stage);
    post.set(QStringLiteral("cpcount"), QStringLiteral("3"));
    post.set(QStringLiteral("softmodel"), QStringLiteral("soft"));
    const QString address = site.url(QStringLiteral("/ivemba/CpRecord.aspx"));
    for (auto _ : state) {
        bool done = false;
        auto connection =
            QObject::connect(&post, &net::FormPost::loaded, [&](bool) { done = true; });
        post.post(address);
        spinUntil([&] { return done; });
        QObject::disconnect(connection);
    }
}
BENCHMARK(BM_FormPostRoundTrip)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("median", [](const std::vector<double>& v) {
        std::vector<double> sorted = v;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    });

} // namespace
