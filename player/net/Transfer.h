#pragma once

#include "common/TransferPolicy.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>

class QTimer;

namespace common {
class WebClient;
class WebExchange;
} // namespace common

namespace net {

// The bounds every transfer keeps: the program's one transfer policy.
using Limits = common::TransferPolicy;

using Fields = QList<QPair<QString, QString>>;

// What to fetch or send. The address is a file path, a file:// address or an http(s)://
// address; posts go to http(s) only.
struct Request {
    enum class Kind { Get, PostForm, PostFile };
    QString address;
    Kind kind = Kind::Get;
    Fields fields;                                  // PostForm: sent form-encoded, UTF-8
    QString filePath;                               // PostFile: the local file sent
    QString fileName;                               // PostFile: the name the server is told
    QString fileField = QStringLiteral("Filedata"); // PostFile: the form field of the file
    Limits limits;
};

// One load, post or upload, reporting on the thread that started it (the UI thread). It
// reports exactly one of finished or failed, then deletes itself; after cancel() it
// reports nothing at all. Hold it in a QPointer.
class Transfer : public QObject {
    Q_OBJECT
public:
    ~Transfer() override;

    // Stops the transfer; nothing is reported for it afterwards.
    void cancel();
    [[nodiscard]] const Request& request() const { return m_request; }

signals:
    // The connection is open and the request is on its way (or the file is being read).
    void opened();
    // Bytes of the request body sent so far, and the body's size.
    void uploadProgress(qint64 sent, qint64 total);
    // Bytes of the answer received so far, and the size announced (0 when unknown). Never
    // goes backwards; the last report before finished() has loaded equal to the body size.
    void progress(qint64 loaded, qint64 total);
    void finished(const QByteArray& body);
    void failed(const QString& reason);

private:
    friend class Network;
    Transfer(Request request, QObject* parent);
    void startFile(const QString& path);
    void startWeb(common::WebClient* client);
    void takeBytes();
    void reportProgress(qint64 loaded, qint64 total);
    void finish(const QByteArray& body);
    void fail(const QString& reason);

    Request m_request;
    QPointer<common::WebExchange> m_reply;
    QByteArray m_body;
    QTimer* m_deadline = nullptr;
    qint64 m_lastLoaded = -1;
    bool m_done = false;
};

// Starts transfers. One per stage; it owns the network connection they share.
class Network : public QObject {
    Q_OBJECT
public:
    explicit Network(QObject* parent = nullptr);
    ~Network() override;

    // Starts `request`; the reports come through the transfer returned, which is never
    // null (a request that cannot start reports its failure from the event loop).
    Transfer* start(Request request);
    // Shorthands.
    Transfer* get(const QString& address, Limits limits = {});
    Transfer* postForm(const QString& address, Fields fields, Limits limits = {});

private:
    common::WebClient* client();
    common::WebClient* m_client = nullptr;
};

// Whether an address names the network (http or https) rather than a local file.
[[nodiscard]] bool isWebAddress(const QString& address);
// The local path an address names (a path or a file:// address); empty for any other.
[[nodiscard]] QString localPath(const QString& address);

} // namespace net
