#include "updates/Downloader.h"

#include "common/WebExchange.h"
#include "common/WholeFileWriter.h"
#include "updates/WorkGate.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QUrl>

namespace updates {

namespace {

// How often a running transfer looks at the gate and its clocks: well inside the 200 ms a
// cancel may take.
constexpr int kPollMs = 20;
// Qt reads no further ahead than this while the answer is held by a pause.
constexpr qint64 kReadAheadBytes = 64 * 1024;

// Time that counts towards the time-outs: it stands still while the gate holds the transfer.
class RunningClock {
public:
    RunningClock() { m_clock.start(); }
    void hold(bool held) {
        if (held && !m_held)
            m_spent += m_clock.restart();
        else if (!held && m_held)
            m_clock.restart();
        m_held = held;
    }
    [[nodiscard]] qint64 elapsed() const { return m_held ? m_spent : m_spent + m_clock.elapsed(); }
    void restart() {
        m_spent = 0;
        m_clock.restart();
    }

private:
    QElapsedTimer m_clock;
    qint64 m_spent = 0;
    bool m_held = false;
};

} // namespace

Downloader::Downloader(const WorkGate* gate, common::TransferPolicy policy)
    : m_gate(gate), m_policy(policy), m_client(common::makeWebClient(nullptr)) {}

Downloader::~Downloader() = default;

bool Downloader::isFetchable(const QString& url) {
    return common::TransferPolicy::isWebAddress(QUrl(url, QUrl::StrictMode));
}

common::Status<> Downloader::download(const QString& url, const QString& target, qint64 maxBytes) {
    try {
        return fetch(url, target, maxBytes);
    } catch (const std::exception& e) {
        // Whatever goes wrong inside a transfer is a failed transfer, never a crash.
        return common::Failure{QString::fromLocal8Bit(e.what())};
    }
}

common::Status<> Downloader::fetch(const QString& url, const QString& target, qint64 maxBytes) {
    if (!isFetchable(url))
        return common::Failure{QStringLiteral("refused address \"%1\"").arg(url)};
    if (m_gate && !m_gate->pass())
        return common::Failure{QStringLiteral("stopped")};

    if (!m_client)
        return common::Failure{QStringLiteral("the web library cannot be loaded")};
    common::WebRequest request;
    request.url = QUrl(url, QUrl::StrictMode);
    request.maxRedirects = common::TransferPolicy::kMaxRedirects;
    // The idle time-out is ours rather than the exchange's, which would also fire while a
    // pause holds the answer back.
    request.readAheadBytes = kReadAheadBytes;
    QString why;
    std::unique_ptr<common::WebExchange> reply(m_client->start(request, nullptr, why));
    if (!reply)
        return common::Failure{why};

    QByteArray body;
    QString failure;
    RunningClock total;
    RunningClock idle;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(kPollMs);

    const auto abortWith = [&](const QString& why) {
        if (failure.isEmpty())
            failure = why;
        reply->abort();
    };
    const auto held = [&] { return m_gate && m_gate->paused() && !m_gate->stopRequested(); };
    const auto readAvailable = [&] {
        if (!failure.isEmpty() || held())
            return;
        while (reply->bytesAvailable() > 0) {
            const QByteArray chunk = reply->read(kReadAheadBytes);
            if (chunk.isEmpty())
                break;
            body.append(chunk);
            idle.restart();
            if (body.size() > maxBytes) {
                abortWith(QStringLiteral("more than %1 bytes").arg(maxBytes));
                return;
            }
        }
    };

    QObject::connect(reply.get(), &common::WebExchange::headersArrived, &loop, [&] {
        const qint64 length = reply->announcedLength();
        if (length > maxBytes)
            abortWith(QStringLiteral("announces %1 bytes").arg(length));
    });
    QObject::connect(reply.get(), &common::WebExchange::readyRead, &loop, readAvailable);
    QObject::connect(reply.get(), &common::WebExchange::finished, &loop, &QEventLoop::quit);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (m_gate && m_gate->stopRequested()) {
            abortWith(QStringLiteral("stopped"));
            return;
        }
        const bool isHeld = held();
        total.hold(isHeld);
        idle.hold(isHeld);
        if (isHeld)
            return;
        readAvailable(); // what arrived while the transfer was held
        if (idle.elapsed() > m_policy.idleTimeoutMs)
            abortWith(m_policy.idleTimedOut());
        else if (total.elapsed() > m_policy.totalTimeoutMs)
            abortWith(m_policy.totalTimedOut());
    });
    poll.start();
    if (!reply->isFinished())
        loop.exec();
    poll.stop();

    // The last bytes may come with the end; a pause that began just now does not hold them.
    if (failure.isEmpty()) {
        while (reply->bytesAvailable() > 0 && body.size() <= maxBytes)
            body.append(reply->read(kReadAheadBytes));
        if (body.size() > maxBytes)
            failure = QStringLiteral("more than %1 bytes").arg(maxBytes);
    }
    if (failure.isEmpty())
        failure = reply->error();
    if (failure.isEmpty())
        failure =
            common::TransferPolicy::refusal(reply->status(), reply->announcedLength(), body.size());
    if (failure.isEmpty() && m_gate && m_gate->stopRequested())
        failure = QStringLiteral("stopped");
    if (!failure.isEmpty())
        return common::Failure{failure};
    return common::writeWholeFile(target, body);
}

} // namespace updates
