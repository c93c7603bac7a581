#include "player/loaders/SequenceMovie.h"

#include "player/MovieBundle.h"
#include "player/PictureDecoder.h"
#include "player/Stage.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QUrl>
#include <cmath>

namespace loaders {

namespace {

constexpr qint64 kMaxManifestBytes = 64 * 1024;

// A picture's name inside the bundle: a plain relative path, so a manifest cannot reach
// into another bundle mounted beside it.
bool plainName(const QString& name) {
    return !name.isEmpty() && name.size() < 256 && !name.startsWith(QLatin1Char('/')) &&
           !name.contains(QLatin1Char(':')) && !name.contains(QLatin1Char('\\')) &&
           !name.split(QLatin1Char('/')).contains(QStringLiteral(".."));
}

} // namespace

bool looksLikeMovieBundle(const QByteArray& bytes) {
    return bytes.startsWith("qres");
}

common::Result<std::shared_ptr<PictureSequence>> readPictureSequence(QByteArray bytes,
                                                                     const QString& address) {
    const auto fail = [](const QString& why) { return common::Failure{why}; };
    const common::Result<std::unique_ptr<player::MovieBundle>> opened =
        player::MovieBundle::open(std::move(bytes));
    if (!opened)
        return fail(opened.error());
    const std::unique_ptr<player::MovieBundle>& bundle = opened.value();
    if (bundle->program() != kPictureSequenceProgram)
        return fail(QStringLiteral("a movie this player cannot play: ") + bundle->program());

    QFile manifestFile(bundle->root() + QStringLiteral("manifest.json"));
    if (!manifestFile.open(QIODevice::ReadOnly) || manifestFile.size() > kMaxManifestBytes)
        return fail(QStringLiteral("the movie has no manifest"));
    const QJsonObject sequence = QJsonDocument::fromJson(manifestFile.readAll())
                                     .object()
                                     .value(QStringLiteral("sequence"))
                                     .toObject();
    const QJsonArray names = sequence.value(QStringLiteral("frames")).toArray();
    if (names.isEmpty() || names.size() > kMaxSequenceFrames)
        return fail(QStringLiteral("the movie has no pictures or too many"));

    auto movie = std::make_shared<PictureSequence>();
    movie->fps = bundle->frameRate();
    const QSize stage = bundle->stageSize();
    movie->origin = QPointF(sequence.value(QStringLiteral("x")).toDouble(),
                            sequence.value(QStringLiteral("y")).toDouble());
    if (!QRectF(QPointF(0, 0), stage).contains(movie->origin))
        return fail(QStringLiteral("the movie's pictures lie off its stage"));
    qint64 pixels = 0;
    for (const QJsonValue& value : names) {
        const QString name = value.toString();
        if (!plainName(name))
            return fail(QStringLiteral("a picture name the movie may not use: ") + name);
        QFile file(bundle->root() + name);
        if (!file.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("the movie lacks its picture ") + name);
        player::DecodedPicture picture = player::decodePicture(file.readAll());
        if (picture.image.isNull())
            return fail(QStringLiteral("a picture of the movie cannot be read: ") + name);
        pixels += qint64(picture.image.width()) * picture.image.height();
        if (picture.image.width() > stage.width() || picture.image.height() > stage.height() ||
            pixels > kMaxSequencePixels)
            return fail(QStringLiteral("the movie's pictures are too large"));
        movie->frames.append(std::move(picture.image));
    }
    const QString click = sequence.value(QStringLiteral("click")).toString();
    if (!click.isEmpty())
        movie->click = QUrl(address).resolved(QUrl(click)).toString();
    return movie;
}

SequenceClip::SequenceClip(std::shared_ptr<const PictureSequence> movie)
    : m_movie(std::move(movie)) {
    QRectF area;
    for (const QImage& frame : m_movie->frames)
        area = area.united(QRectF(m_movie->origin, frame.size()));
    setContent(area,
               [this](QPainter& p) { p.drawImage(m_movie->origin, m_movie->frames.at(m_frame)); });
    m_timer.setInterval(std::max(1, int(std::lround(1000.0 / m_movie->fps))));
    connect(&m_timer, &QTimer::timeout, this, &SequenceClip::advance);
    if (!m_movie->click.isEmpty()) {
        onRelease([this] {
            if (player::Stage* s = stage())
                s->getURL(m_movie->click, QStringLiteral("_blank"));
        });
    }
    connect(this, &QGraphicsObject::visibleChanged, this, &SequenceClip::updateTimer);
}

void SequenceClip::advance() {
    if (frameCount() < 2)
        return;
    m_frame = (m_frame + 1) % frameCount();
    update();
}

QVariant SequenceClip::itemChange(GraphicsItemChange change, const QVariant& value) {
    const QVariant result = Clip::itemChange(change, value);
    if (change == ItemSceneHasChanged)
        updateTimer();
    return result;
}

// A single picture needs no timer, and a movie off the stage or hidden draws nothing.
void SequenceClip::updateTimer() {
    if (frameCount() > 1 && scene() && isVisible())
        m_timer.start();
    else
        m_timer.stop();
}

} // namespace loaders
