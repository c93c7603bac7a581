#pragma once

#include "player/Clip.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

namespace loaders {

struct PictureSequence;

// Loads a picture into a clip, as a movie's clip loader does: from a file path, a file://
// or an http(s):// address, in the background, reporting on the UI thread. The picture
// replaces what the target held, at its origin and at 100 %, only once it has been
// decoded; a failed load leaves the target as it was. A new load into the same target
// cancels the one before it. A movie bundle of the player's own picture-sequence kind
// loads the same way and plays inside the target.
class ClipLoader : public QObject {
    Q_OBJECT
public:
    struct Limits {
        qint64 maxBytes = 32LL * 1024 * 1024;
        int idleTimeoutMs = 30000; // no byte for this long ends a transfer
    };

    explicit ClipLoader(QObject* parent = nullptr);
    ~ClipLoader() override;

    void setLimits(Limits limits) { m_limits = limits; }
    [[nodiscard]] Limits limits() const { return m_limits; }

    void loadClip(const QString& address, player::Clip* target);
    // Forgets the load into `target`, if any; nothing is reported for it afterwards.
    void cancel(player::Clip* target);
    [[nodiscard]] bool isLoading(player::Clip* target) const { return m_jobs.contains(target); }

signals:
    // Bytes received so far and the total announced (0 when the source does not say).
    void progress(player::Clip* target, qint64 loaded, qint64 total);
    // The picture (or the movie's first frame) is in the target and can be drawn.
    void ready(player::Clip* target);
    void failed(player::Clip* target, const QString& error);

private:
    struct Job;
    void decode(const std::shared_ptr<Job>& job, QByteArray bytes);
    void finish(const std::shared_ptr<Job>& job, const QImage& image,
                const std::shared_ptr<PictureSequence>& movie, const QString& error);

    Limits m_limits;
    QHash<player::Clip*, std::shared_ptr<Job>> m_jobs;
};

} // namespace loaders
