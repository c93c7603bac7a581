#include "player/MovieBundle.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QResource>
#include <QtEndian>
#include <vector>

namespace player {

namespace {

// Qt trusts every offset in a resource: the header's, each tree node's, each name's and
// each file's size. A damaged file (a bad `_ivemba.swf` override, say) must be turned away
// before it is mounted, or looking a name up in it runs off the end of the buffer. So the
// whole tree is walked here with every read bounded: nodes, names and file data.
bool plausibleResource(const QByteArray& bytes) {
    const auto size = static_cast<quint64>(bytes.size());
    if (size < 20 || !bytes.startsWith("qres"))
        return false;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const auto inside = [size](quint64 offset, quint64 length) {
        return offset <= size && length <= size - offset;
    };
    const quint32 version = qFromBigEndian<quint32>(data + 4);
    if (version < 1 || version > 3 || (version >= 3 && size < 24))
        return false;
    const quint64 tree = qFromBigEndian<quint32>(data + 8);
    const quint64 files = qFromBigEndian<quint32>(data + 12);
    const quint64 names = qFromBigEndian<quint32>(data + 16);
    if (tree == 0 || files == 0 || names == 0 || tree >= size || files >= size || names >= size)
        return false;
    const quint64 nodeSize = version >= 2 ? 22 : 14;
    const quint64 nodes = (size - tree) / nodeSize;
    constexpr quint16 kDirectory = 0x02;
    std::vector<bool> seen(nodes, false);
    std::vector<quint64> pending{0};
    while (!pending.empty()) {
        const quint64 node = pending.back();
        pending.pop_back();
        if (node >= nodes || seen[node])
            return false; // out of the tree, or a loop
        seen[node] = true;
        const uchar* entry = data + tree + node * nodeSize;
        if (node != 0) { // the root has no name of its own
            const quint64 name = names + qFromBigEndian<quint32>(entry);
            if (!inside(name, 6) ||
                !inside(name + 6, 2 * quint64{qFromBigEndian<quint16>(data + name)}))
                return false;
        }
        const bool directory = qFromBigEndian<quint16>(entry + 4) & kDirectory;
        if (node == 0 && !directory)
            return false; // names are looked up from the root as a folder
        if (directory) {
            const quint64 count = qFromBigEndian<quint32>(entry + 6);
            const quint64 first = qFromBigEndian<quint32>(entry + 10);
            if (count > nodes || first > nodes - count)
                return false;
            for (quint64 child = first; child < first + count; ++child)
                pending.push_back(child);
        } else {
            const quint64 file = files + qFromBigEndian<quint32>(entry + 10);
            if (!inside(file, 4) || !inside(file + 4, qFromBigEndian<quint32>(data + file)))
                return false;
        }
    }
    return true;
}

} // namespace

MovieBundle::~MovieBundle() {
    if (!m_mapRoot.isEmpty())
        QResource::unregisterResource(reinterpret_cast<const uchar*>(m_bytes.constData()),
                                      m_mapRoot);
}

common::Result<std::unique_ptr<MovieBundle>> MovieBundle::open(QByteArray bytes) {
    const auto fail = [](const QString& why) { return common::Failure{why}; };
    if (!plausibleResource(bytes))
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
