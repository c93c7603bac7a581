#include "player/net/Transfer.h"

#include "common/WebExchange.h"
#include "player/net/FormEncoding.h"

#include <QCoreApplication>
#include <QThreadPool>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace net {

bool isWebAddress(const QString& address) {
    return common::TransferPolicy::isWebAddress(QUrl(address));
}

QString localPath(const QString& address) {
    if (address.isEmpty() || address.contains(QChar(0)))
        return {};
    const QUrl url(address);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("file"))
        return url.toLocalFile();
    // No scheme, a resource path, or a one-letter "scheme" that is a drive.
    if (scheme.isEmpty() || scheme.size() == 1 || address.startsWith(QLatin1Char(':')))
        return address;
    return {};
}

Transfer::Transfer(Request request, QObject* parent)
    : QObject(parent), m_request(std::move(request)) {}

Transfer::~Transfer() {
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

void Transfer::cancel() {
    if (m_done)
        return;
    m_done = true;
    disconnect();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
    deleteLater();
}

void Transfer::reportProgress(qint64 loaded, qint64 total) {
    if (m_done || loaded <= m_lastLoaded)
        return;
    m_lastLoaded = loaded;
    emit progress(loaded, std::max<qint64>(total, 0));
}

void Transfer::finish(const QByteArray& body) {
    if (m_done)
        return;
    reportProgress(body.size(), body.size());
    m_done = true;
    emit finished(body);
    deleteLater();
}

void Transfer::fail(const QString& reason) {
    if (m_done)
        return;
    m_done = true;
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
    emit failed(reason);
    deleteLater();
}

void Transfer::startFile(const QString& path) {
    // Read off the UI thread; the answer comes back only if the transfer still wants it.
    QPointer<Transfer> self(this);
    const qint64 cap = m_request.limits.maxBytes;
    QThreadPool::globalInstance()->start([self, path, cap] {
        common::Result<QByteArray> read = common::readCappedFile(path, cap);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, read = std::move(read)] {
                if (!self)
                    return;
                if (!read) {
                    self->fail(read.error());
                    return;
                }
                emit self->opened();
                self->finish(read.value());
            },
            Qt::QueuedConnection);
    });
}

void Transfer::startWeb(common::WebClient* client) {
    using common::WebExchange;
    using common::WebRequest;
    WebRequest request;
    request.url = QUrl(m_request.address);
    request.idleTimeoutMs = m_request.limits.idleTimeoutMs;
    request.maxRedirects = Limits::kMaxRedirects;
    switch (m_request.kind) {
    case Request::Kind::Get:
        request.method = WebRequest::Method::Get;
        break;
    case Request::Kind::PostForm:
        request.method = WebRequest::Method::Post;
        request.contentType = QByteArrayLiteral("application/x-www-form-urlencoded");
        request.body = encodeForm(m_request.fields);
        break;
    case Request::Kind::PostFile:
        request.method = WebRequest::Method::PostFile;
        request.filePath = m_request.filePath;
        request.fileName = m_request.fileName;
        request.fileField = m_request.fileField;
        break;
    }
    QString why = QStringLiteral("the web library cannot be loaded");
    WebExchange* reply = client ? client->start(request, this, why) : nullptr;
    if (!reply) {
        QMetaObject::invokeMethod(
            this, [this, why] { fail(why); }, Qt::QueuedConnection);
        return;
    }
    // The idle time-out is the exchange's; the whole transfer's is this timer.
    m_deadline = new QTimer(this);
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, [this] { fail(m_request.limits.totalTimedOut()); });
    m_deadline->start(m_request.limits.totalTimeoutMs);
    m_reply = reply;
    // Reported from the event loop, so that whoever started the transfer hears it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_done)
                emit opened();
        },
        Qt::QueuedConnection);

    connect(reply, &WebExchange::uploadProgress, this, [this](qint64 sent, qint64 total) {
        if (!m_done && total > 0)
            emit uploadProgress(sent, total);
    });
    connect(reply, &WebExchange::readyRead, this, &Transfer::takeBytes);
    connect(reply, &WebExchange::downloadProgress, this, [this](qint64, qint64 total) {
        if (total > m_request.limits.maxBytes) {
            fail(m_request.limits.tooLarge());
            return;
        }
        reportProgress(m_body.size(), total);
    });
    connect(reply, &WebExchange::finished, this, [this, reply] {
        if (m_done)
            return;
        if (const QString error = reply->error(); !error.isEmpty()) {
            fail(reply->cancelled() ? m_request.limits.idleTimedOut() : error);
            return;
        }
        takeBytes();
        if (m_done)
            return;
        const QString refused =
            Limits::refusal(reply->status(), reply->announcedLength(), m_body.size());
        if (!refused.isEmpty()) {
            fail(refused);
            return;
        }
        finish(m_body);
    });
}

void Transfer::takeBytes() {
    if (m_done || !m_reply)
        return;
    const qint64 cap = m_request.limits.maxBytes;
    // Read no more than one byte past the cap: that byte is proof enough.
    m_body += m_reply->read(cap + 1 - m_body.size());
    if (m_body.size() > cap) {
        m_body.clear();
        fail(m_request.limits.tooLarge());
    }
}

Network::Network(QObject* parent) : QObject(parent) {}

Network::~Network() {
    // A transfer still running holds an exchange of the client: it goes while the client
    // still exists, since aborting the exchange reports to it.
    const auto transfers = findChildren<Transfer*>(Qt::FindDirectChildrenOnly);
    for (Transfer* transfer : transfers)
        delete transfer;
}

common::WebClient* Network::client() {
    // Null only without the web library, which is then asked again at no cost.
    if (!m_client)
        m_client = common::makeWebClient(this);
    return m_client;
}

Transfer* Network::start(Request request) {
    auto* transfer = new Transfer(std::move(request), this);
    const Request& r = transfer->request();
    auto failLater = [transfer](const QString& reason) {
        QMetaObject::invokeMethod(
            transfer, [transfer, reason] { transfer->fail(reason); }, Qt::QueuedConnection);
    };
    if (r.address.isEmpty()) {
        failLater(QStringLiteral("empty address"));
    } else if (isWebAddress(r.address)) {
        transfer->startWeb(client());
    } else if (const QString path = localPath(r.address); !path.isEmpty()) {
        if (r.kind == Request::Kind::Get)
            transfer->startFile(path);
        else
            failLater(QStringLiteral("cannot post to a local file: ") + r.address);
    } else {
        failLater(QStringLiteral("unsupported address ") + r.address);
    }
    return transfer;
}

Transfer* Network::get(const QString& address, Limits limits) {
    Request request;
    request.address = address;
    request.limits = limits;
    return start(std::move(request));
}

Transfer* Network::postForm(const QString& address, Fields fields, Limits limits) {
    Request request;
    request.address = address;
    request.kind = Request::Kind::PostForm;
    request.fields = std::move(fields);
    request.limits = limits;
    return start(std::move(request));
}

} // namespace net
