#include "player/MovieBundle.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QResource>
#include <QtEndian>

namespace player {

namespace {

// Qt trusts the offsets in a resource header; a damaged file must be turned away before
// it is mounted, or reading it would run off the end of the buffer.
bool plausibleResourceHeader(const QByteArray& bytes) {
    if (bytes.size() < 20 || !bytes.startsWith("qres"))
        return false;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const quint32 version = qFromBigEndian<quint32>(data + 4);
    if (version < 1 || version > 3)
        return false;
    const auto size = static_cast<quint32>(bytes.size());
    for (int field = 0; field < 3; ++field) {
        const quint32 offset = qFromBigEndian<quint32>(data + 8 + 4 * field);
        if (offset == 0 || offset >= size)
            return false;
    }
    return true;
}

} // namespace

MovieBundle::~MovieBundle() {
    if (!m_mapRoot.isEmpty())
        QResource::unregisterResource(reinterpret_cast<const uchar*>(m_bytes.constData()),
                                      m_mapRoot);
}

std::unique_ptr<MovieBundle> MovieBundle::open(QByteArray bytes, QString* error) {
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return nullptr;
    };
    if (!plausibleResourceHeader(bytes))
        return fail(QStringLiteral("not a movie bundle"));

    std::unique_ptr<MovieBundle> bundle(new MovieBundle);
    bundle->m_bytes = std::move(bytes);
    // The bundle's own address keeps mount points of live bundles apart.
    const QString mapRoot =
        QStringLiteral("/movie_%1").arg(reinterpret_cast<quintptr>(bundle.get()), 0, 16);
    if (!QResource::registerResource(reinterpret_cast<const uchar*>(bundle->m_bytes.constData()),
                                     mapRoot))
        return fail(QStringLiteral("the movie bundle cannot be mounted"));
    bundle->m_mapRoot = mapRoot;
    bundle->m_root = QLatin1Char(':') + mapRoot + QLatin1Char('/');

    QFile manifestFile(bundle->m_root + QStringLiteral("manifest.json"));
    if (!manifestFile.open(QIODevice::ReadOnly) || manifestFile.size() > 64 * 1024)
        return fail(QStringLiteral("the movie bundle has no manifest"));
    const QJsonObject manifest = QJsonDocument::fromJson(manifestFile.readAll()).object();
    bundle->m_program = manifest.value(QStringLiteral("program")).toString();
    if (bundle->m_program.isEmpty())
        return fail(QStringLiteral("the movie bundle names no program"));
    const QJsonObject stage = manifest.value(QStringLiteral("stage")).toObject();
    bundle->m_stage = QSize(stage.value(QStringLiteral("width")).toInt(800),
                            stage.value(QStringLiteral("height")).toInt(600));
    bundle->m_fps = manifest.value(QStringLiteral("fps")).toDouble(16);
    if (bundle->m_stage.isEmpty() || bundle->m_stage.width() > 8192 ||
        bundle->m_stage.height() > 8192 || bundle->m_fps <= 0 || bundle->m_fps > 120)
        return fail(QStringLiteral("the movie bundle's manifest is out of range"));
    return bundle;
}

} // namespace player
