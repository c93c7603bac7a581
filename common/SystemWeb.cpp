// The web library: exchanges with web servers through Qt Network. The program loads it the
// first time it talks to the web; nothing else in the program links the network system.
#include "common/WebExchange.h"

#include <QFile>
#include <QHttpMultiPart>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <memory>

namespace common {

namespace {

// A file name as it may stand inside a quoted header parameter.
QByteArray headerSafe(const QString& name) {
    QByteArray bytes = name.toUtf8();
    for (char& c : bytes) {
        if (c == '"' || c == '\r' || c == '\n' || c == '\\' || c == '\0')
            c = '_';
    }
    return bytes;
}

class ReplyExchange : public WebExchange {
public:
    ReplyExchange(QNetworkReply* reply, QObject* parent) : WebExchange(parent), m_reply(reply) {
        reply->setParent(this);
        connect(reply, &QNetworkReply::metaDataChanged, this, &WebExchange::headersArrived);
        connect(reply, &QNetworkReply::readyRead, this, &WebExchange::readyRead);
        connect(reply, &QNetworkReply::uploadProgress, this, &WebExchange::uploadProgress);
        connect(reply, &QNetworkReply::downloadProgress, this, &WebExchange::downloadProgress);
        connect(reply, &QNetworkReply::finished, this, &WebExchange::finished);
    }
    ~ReplyExchange() override {
        // Aborting reports to the reply's listeners, this one among them: not any more.
        if (m_reply) {
            m_reply->disconnect(this);
            m_reply->abort();
        }
    }

    [[nodiscard]] qint64 bytesAvailable() const override { return m_reply->bytesAvailable(); }
    QByteArray read(qint64 maxBytes) override { return m_reply->read(maxBytes); }
    [[nodiscard]] bool isFinished() const override { return m_reply->isFinished(); }
    void abort() override { m_reply->abort(); }
    [[nodiscard]] int status() const override {
        return m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    }
    [[nodiscard]] qint64 announcedLength() const override {
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        return length.isValid() ? length.toLongLong() : -1;
    }
    [[nodiscard]] QString error() const override {
        return m_reply->error() == QNetworkReply::NoError ? QString() : m_reply->errorString();
    }
    [[nodiscard]] bool cancelled() const override {
        return m_reply->error() == QNetworkReply::OperationCanceledError;
    }

private:
    QPointer<QNetworkReply> m_reply;
};

class QtWebClient : public WebClient {
public:
    explicit QtWebClient(QObject* parent) : WebClient(parent) {}

    WebExchange* start(const WebRequest& r, QObject* parent, QString& why) override {
        QNetworkRequest request{r.url};
        if (r.idleTimeoutMs > 0)
            request.setTransferTimeout(r.idleTimeoutMs);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::NoLessSafeRedirectPolicy);
        request.setMaximumRedirectsAllowed(r.maxRedirects);
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                             QNetworkRequest::AlwaysNetwork);
        QNetworkReply* reply = nullptr;
        switch (r.method) {
        case WebRequest::Method::Get:
            reply = m_manager.get(request);
            break;
        case WebRequest::Method::Post:
            request.setHeader(QNetworkRequest::ContentTypeHeader, r.contentType);
            reply = m_manager.post(request, r.body);
            break;
        case WebRequest::Method::PostFile:
            reply = postFile(request, r, why);
            break;
        }
        if (!reply)
            return nullptr;
        if (r.readAheadBytes > 0)
            reply->setReadBufferSize(r.readAheadBytes);
        return new ReplyExchange(reply, parent);
    }

private:
    QNetworkReply* postFile(const QNetworkRequest& request, const WebRequest& r, QString& why) {
        auto file = std::make_unique<QFile>(r.filePath);
        if (!file->open(QIODevice::ReadOnly)) {
            why = QStringLiteral("cannot read file: ") + file->errorString();
            return nullptr;
        }
        auto multipart = std::make_unique<QHttpMultiPart>(QHttpMultiPart::FormDataType);
        QHttpPart name;
        name.setHeader(QNetworkRequest::ContentDispositionHeader,
                       QByteArrayLiteral("form-data; name=\"Filename\""));
        name.setBody(r.fileName.toUtf8());
        QHttpPart content;
        content.setHeader(QNetworkRequest::ContentDispositionHeader,
                          QByteArrayLiteral("form-data; name=\"") + headerSafe(r.fileField) +
                              QByteArrayLiteral("\"; filename=\"") + headerSafe(r.fileName) +
                              QByteArrayLiteral("\""));
        content.setHeader(QNetworkRequest::ContentTypeHeader,
                          QByteArrayLiteral("application/octet-stream"));
        content.setBodyDevice(file.get());
        file.release()->setParent(multipart.get());
        QHttpPart button;
        button.setHeader(QNetworkRequest::ContentDispositionHeader,
                         QByteArrayLiteral("form-data; name=\"Upload\""));
        button.setBody(QByteArrayLiteral("Submit Query"));
        multipart->append(name);
        multipart->append(content);
        multipart->append(button);
        QNetworkReply* reply = m_manager.post(request, multipart.get());
        multipart.release()->setParent(reply);
        return reply;
    }

    QNetworkAccessManager m_manager;
};

} // namespace

} // namespace common

extern "C" Q_DECL_EXPORT common::WebClient* ivemba_web_client(QObject* parent) {
    return new common::QtWebClient(parent);
}
