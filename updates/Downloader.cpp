#include "updates/Downloader.h"

#include "common/WholeFileWriter.h"
#include "updates/WorkGate.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
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
    RunningClock() { clock_.start(); }
    void hold(bool held) {
        if (held && !held_)
            spent_ += clock_.restart();
        else if (!held && held_)
            clock_.restart();
        held_ = held;
    }
    [[nodiscard]] qint64 elapsed() const { return held_ ? spent_ : spent_ + clock_.elapsed(); }
    void restart() {
        spent_ = 0;
        clock_.restart();
    }

private:
    QElapsedTimer clock_;
    qint64 spent_ = 0;
    bool held_ = false;
};

} // namespace

Downloader::Downloader(const WorkGate* gate, common::TransferPolicy policy)
    : gate_(gate), policy_(policy), manager_(std::make_unique<QNetworkAccessManager>()) {
    manager_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

Downloader::~Downloader() = default;

bool Downloader::isFetchable(const QString& url) {
    return common::TransferPolicy::isWebAddress(QUrl(url, QUrl::StrictMode));
}

bool Downloader::download(const QString& url, const QString& target, qint64 maxBytes) {
    lastError_.clear();
    try {
        return fetch(url, target, maxBytes);
    } catch (const std::exception& e) {
        // Whatever goes wrong inside a transfer is a failed transfer, never a crash.
        lastError_ = QString::fromLocal8Bit(e.what());
        return false;
    }
}

bool Downloader::fetch(const QString& url, const QString& target, qint64 maxBytes) {
    if (!isFetchable(url)) {
        lastError_ = QStringLiteral("refused address \"%1\"").arg(url);
        return false;
    }
    if (gate_ && !gate_->pass()) {
        lastError_ = QStringLiteral("stopped");
        return false;
    }

    QNetworkRequest request{QUrl(url, QUrl::StrictMode)};
    request.setMaximumRedirectsAllowed(common::TransferPolicy::kMaxRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    // The idle time-out is ours rather than Qt's transfer time-out, which would also fire
    // while a pause holds the answer back.
    std::unique_ptr<QNetworkReply> reply(manager_->get(request));
    reply->setReadBufferSize(kReadAheadBytes);

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
    const auto held = [&] { return gate_ && gate_->paused() && !gate_->stopRequested(); };
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

    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maxBytes)
            abortWith(QStringLiteral("announces %1 bytes").arg(length.toLongLong()));
    });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, readAvailable);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (gate_ && gate_->stopRequested()) {
            abortWith(QStringLiteral("stopped"));
            return;
        }
        const bool isHeld = held();
        total.hold(isHeld);
        idle.hold(isHeld);
        if (isHeld)
            return;
        readAvailable(); // what arrived while the transfer was held
        if (idle.elapsed() > policy_.idleTimeoutMs)
            abortWith(policy_.idleTimedOut());
        else if (total.elapsed() > policy_.totalTimeoutMs)
            abortWith(policy_.totalTimedOut());
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
    if (failure.isEmpty() && reply->error() != QNetworkReply::NoError)
        failure = reply->errorString();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (failure.isEmpty())
        failure = common::TransferPolicy::refusal(
            status, length.isValid() ? length.toLongLong() : -1, body.size());
    if (failure.isEmpty() && gate_ && gate_->stopRequested())
        failure = QStringLiteral("stopped");
    if (!failure.isEmpty()) {
        lastError_ = failure;
        return false;
    }
    if (const common::WriteStatus written = common::writeWholeFile(target, body); !written) {
        lastError_ = written.error;
        return false;
    }
    return true;
}

} // namespace updates
