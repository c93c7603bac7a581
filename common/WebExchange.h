#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

namespace common {

// What one exchange with a web server sends.
struct WebRequest {
    enum class Method { Get, Post, PostFile };
    QUrl url;
    Method method = Method::Get;
    QByteArray contentType; // Post
    QByteArray body;        // Post
    // PostFile: the parts a web page's file upload sends: the name, the file, the button.
    QString filePath;
    QString fileName;
    QString fileField;
    // Ends the exchange when nothing arrives for this long; 0 leaves it to the caller.
    int idleTimeoutMs = 0;
    int maxRedirects = 0;
    // How much of the answer is read ahead of the reader; 0 for no bound. A bound lets a
    // reader that stops reading hold the server back.
    qint64 readAheadBytes = 0;
};

// One exchange in flight. The answer's bytes come through read(); finished() comes once at
// the end, when error() says whether the exchange failed. Lives on the thread that made it.
class WebExchange : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    [[nodiscard]] virtual qint64 bytesAvailable() const = 0;
    virtual QByteArray read(qint64 maxBytes) = 0;
    [[nodiscard]] virtual bool isFinished() const = 0;
    // Stops the exchange at once; it then finishes as cancelled.
    virtual void abort() = 0;
    // The answer's status; 0 before its headers.
    [[nodiscard]] virtual int status() const = 0;
    // The length the answer's headers announce; -1 when they do not.
    [[nodiscard]] virtual qint64 announcedLength() const = 0;
    // Why the exchange failed; empty when it did not (so far).
    [[nodiscard]] virtual QString error() const = 0;
    // Whether it was cancelled: by abort() or by the idle time-out.
    [[nodiscard]] virtual bool cancelled() const = 0;

signals:
    void headersArrived();
    void readyRead();
    void uploadProgress(qint64 sent, qint64 total);
    void downloadProgress(qint64 received, qint64 total);
    void finished();
};

// Starts exchanges; it owns the connections they share. One per thread that talks to the
// web, living on that thread.
class WebClient : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // The exchange, a child of `parent`; null with `why` set when the request cannot even be
    // sent (its file cannot be read).
    [[nodiscard]] virtual WebExchange* start(const WebRequest& request, QObject* parent,
                                             QString& why) = 0;
};

// The function the web library exports, by the name "ivemba_web_client".
using WebClientEntry = WebClient* (*)(QObject* parent);

// A new client, a child of `parent`, from the web library (which the program loads the first
// time one is asked for, so that the network system is not loaded on the way to the first
// frame); null when the library cannot be loaded.
[[nodiscard]] WebClient* makeWebClient(QObject* parent);

} // namespace common
