#include "player/loaders/ClipLoader.h"

#include "player/loaders/PictureDecoder.h"

#include <QCoreApplication>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QThreadPool>
#include <QUrl>

namespace loaders {

// One load. Worker threads hold it only to hand their result back; everything else about
// it is touched on the UI thread alone.
struct ClipLoader::Job {
    QPointer<player::Clip> target;
    player::Clip* key = nullptr;
    QPointer<ClipLoader> loader;
    QPointer<QNetworkReply> reply;
    bool cancelled = false;
};

ClipLoader::ClipLoader(QObject* parent) : QObject(parent) {}

ClipLoader::~ClipLoader() {
    const auto jobs = m_jobs;
    for (auto* target : jobs.keys())
        cancel(target);
}

void ClipLoader::cancel(player::Clip* target) {
    const auto job = m_jobs.take(target);
    if (!job)
        return;
    job->cancelled = true;
    if (QNetworkReply* reply = job->reply) {
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void ClipLoader::loadClip(const QString& address, player::Clip* target) {
    if (!target)
        return;
    cancel(target);
    auto job = std::make_shared<Job>();
    job->target = target;
    job->key = target;
    job->loader = this;
    m_jobs.insert(target, job);

    const QUrl url(address);
    const QString scheme = url.scheme().toLower();
    if (address.isEmpty())
        failLater(job, QStringLiteral("empty address"));
    else if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        startNetwork(job, url);
    else if (scheme == QLatin1String("file"))
        startFile(job, url.toLocalFile());
    else if (scheme.size() > 1 && !address.startsWith(QLatin1Char(':')))
        failLater(job, QStringLiteral("unsupported address ") + address);
    else
        startFile(job, address); // a path (a one-letter scheme is a drive)
}

void ClipLoader::failLater(const std::shared_ptr<Job>& job, const QString& error) {
    QMetaObject::invokeMethod(
        this, [this, job, error] { finish(job, {}, error); }, Qt::QueuedConnection);
}

void ClipLoader::startFile(const std::shared_ptr<Job>& job, const QString& path) {
    const qint64 cap = m_limits.maxBytes;
    QThreadPool::globalInstance()->start([job, path, cap] {
        QFile file(path);
        QByteArray bytes;
        QString error;
        qint64 size = 0;
        if (!file.open(QIODevice::ReadOnly))
            error = file.errorString();
        else if ((size = file.size()) > cap)
            error = QStringLiteral("file too large");
        else
            bytes = file.read(cap + 1);
        if (error.isEmpty() && bytes.size() > cap)
            error = QStringLiteral("file too large");
        DecodedPicture picture;
        if (error.isEmpty())
            picture = decodePicture(bytes);
        const qint64 loaded = bytes.size();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [job, picture, error, loaded] {
                ClipLoader* loader = job->loader;
                if (!loader || job->cancelled)
                    return;
                if (error.isEmpty())
                    emit loader->progress(job->target, loaded, loaded);
                loader->finish(job, picture.image, error.isEmpty() ? picture.error : error);
            },
            Qt::QueuedConnection);
    });
}

void ClipLoader::startNetwork(const std::shared_ptr<Job>& job, const QUrl& url) {
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(url);
    request.setTransferTimeout(m_limits.idleTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = m_network->get(request);
    job->reply = reply;
    connect(reply, &QNetworkReply::downloadProgress, this,
            [this, job, reply](qint64 loaded, qint64 total) {
                if (job->cancelled)
                    return;
                if (loaded > m_limits.maxBytes || total > m_limits.maxBytes) {
                    reply->disconnect(this);
                    reply->abort();
                    reply->deleteLater();
                    finish(job, {}, QStringLiteral("picture too large"));
                    return;
                }
                if (job->target)
                    emit progress(job->target, loaded, std::max<qint64>(total, 0));
            });
    connect(reply, &QNetworkReply::finished, this, [this, job, reply] {
        reply->deleteLater();
        if (job->cancelled)
            return;
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() != QNetworkReply::NoError) {
            finish(job, {}, reply->errorString());
            return;
        }
        if (status >= 400) {
            finish(job, {}, QStringLiteral("HTTP status %1").arg(status));
            return;
        }
        decode(job, reply->readAll());
    });
}

void ClipLoader::decode(const std::shared_ptr<Job>& job, QByteArray bytes) {
    QThreadPool::globalInstance()->start([job, bytes = std::move(bytes)] {
        DecodedPicture picture = decodePicture(bytes);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [job, picture] {
                if (ClipLoader* loader = job->loader; loader && !job->cancelled)
                    loader->finish(job, picture.image, picture.error);
            },
            Qt::QueuedConnection);
    });
}

void ClipLoader::finish(const std::shared_ptr<Job>& job, const QImage& image,
                        const QString& error) {
    if (job->cancelled || m_jobs.value(job->key) != job)
        return;
    m_jobs.remove(job->key);
    job->cancelled = true;
    player::Clip* target = job->target;
    if (!target)
        return;
    if (!error.isEmpty() || image.isNull()) {
        emit failed(target, error.isEmpty() ? QStringLiteral("not a picture") : error);
        return;
    }
    target->unloadMovie();
    target->setImage(image);
    emit ready(target);
}

} // namespace loaders
