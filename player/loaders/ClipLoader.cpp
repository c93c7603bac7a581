#include "player/loaders/ClipLoader.h"

#include "player/PictureDecoder.h"
#include "player/Services.h"
#include "player/Stage.h"
#include "player/loaders/SequenceMovie.h"
#include "player/net/Transfer.h"

#include <QCoreApplication>
#include <QThreadPool>

namespace loaders {

// One load. The decoding thread holds it only to hand its result back; everything else
// about it is touched on the UI thread alone.
struct ClipLoader::Job {
    QPointer<player::Clip> target;
    player::Clip* key = nullptr;
    QString address;
    QPointer<ClipLoader> loader;
    QPointer<net::Transfer> transfer;
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
    if (net::Transfer* transfer = job->transfer)
        transfer->cancel();
}

void ClipLoader::loadClip(const QString& address, player::Clip* target) {
    if (!target)
        return;
    cancel(target);
    auto job = std::make_shared<Job>();
    job->target = target;
    job->key = target;
    job->address = address;
    job->loader = this;
    m_jobs.insert(target, job);

    player::Stage* stage = target->stage();
    if (!stage) {
        QMetaObject::invokeMethod(
            this,
            [this, job] { finish(job, {}, {}, QStringLiteral("the clip is not on a stage")); },
            Qt::QueuedConnection);
        return;
    }
    net::Transfer* transfer = stage->services().network().get(
        address, net::Limits{m_limits.maxBytes, m_limits.idleTimeoutMs});
    job->transfer = transfer;
    connect(transfer, &net::Transfer::progress, this, [this, job](qint64 loaded, qint64 total) {
        if (!job->cancelled && job->target)
            emit progress(job->target, loaded, total);
    });
    connect(transfer, &net::Transfer::failed, this,
            [this, job](const QString& reason) { finish(job, {}, {}, reason); });
    connect(transfer, &net::Transfer::finished, this,
            [this, job](const QByteArray& bytes) { decode(job, bytes); });
}

void ClipLoader::decode(const std::shared_ptr<Job>& job, QByteArray bytes) {
    if (job->cancelled)
        return;
    // Decoding a large photograph takes long enough to miss frames: off the UI thread.
    QThreadPool::globalInstance()->start([job, bytes = std::move(bytes)]() mutable {
        player::DecodedPicture picture;
        std::shared_ptr<PictureSequence> movie;
        if (looksLikeMovieBundle(bytes)) {
            common::Result<std::shared_ptr<PictureSequence>> read =
                readPictureSequence(std::move(bytes), job->address);
            if (read)
                movie = std::move(read).value();
            else
                picture.error = read.error();
        } else
            picture = player::decodePicture(bytes);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [job, picture = std::move(picture), movie = std::move(movie)] {
                if (ClipLoader* loader = job->loader; loader && !job->cancelled)
                    loader->finish(job, picture.image, movie, picture.error);
            },
            Qt::QueuedConnection);
    });
}

void ClipLoader::finish(const std::shared_ptr<Job>& job, const QImage& image,
                        const std::shared_ptr<PictureSequence>& movie, const QString& error) {
    if (job->cancelled || m_jobs.value(job->key) != job)
        return;
    m_jobs.remove(job->key);
    job->cancelled = true;
    player::Clip* target = job->target;
    if (!target)
        return;
    if (!error.isEmpty() || (image.isNull() && !movie)) {
        emit failed(target, error.isEmpty() ? QStringLiteral("not a picture") : error);
        return;
    }
    target->unloadMovie();
    if (movie)
        target->adopt(new SequenceClip(movie), 1);
    else
        target->setImage(image);
    emit ready(target);
}

} // namespace loaders
