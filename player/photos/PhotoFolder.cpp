#include "player/photos/PhotoFolder.h"

#include "common/WholeFileWriter.h"
#include "player/photos/StoredPng.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>

namespace player {

namespace {

const QByteArray kTypeKey = QByteArrayLiteral("PhotoType");
const QByteArray kTimeKey = QByteArrayLiteral("PhotoTime");
const QString kTimeFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");
constexpr int kMostPerMillisecond = 99;

} // namespace

QString PhotoFolder::filePath(const QString& fileName) const {
    return m_path + QLatin1Char('/') + fileName;
}

QString PhotoFolder::fileNameFor(const QDateTime& taken, int sequence) {
    return taken.toUTC().toString(kTimeFormat) + QLatin1Char('-') +
           QStringLiteral("%1").arg(sequence, 2, 10, QLatin1Char('0')) + QStringLiteral(".png");
}

bool PhotoFolder::looksKept(const QString& fileName) {
    static const QRegularExpression name(QStringLiteral("^\\d{8}-\\d{6}-\\d{3}-\\d{2}\\.png$"));
    return name.match(fileName).hasMatch();
}

QByteArray PhotoFolder::encode(const QImage& picture, int photoType, const QDateTime& taken) {
    return storedPng(picture, {{kTypeKey, QByteArray::number(photoType)},
                               {kTimeKey, taken.toUTC().toString(Qt::ISODateWithMs).toLatin1()}});
}

common::Result<QString> PhotoFolder::keep(const QImage& picture, int photoType,
                                          const QDateTime& taken) {
    if (!enabled())
        return common::Failure{QStringLiteral("no photo folder")};
    if (picture.size() != QSize(kWidth, kHeight))
        return common::Failure{QStringLiteral("a card is 240×180, not %1×%2")
                                   .arg(picture.width())
                                   .arg(picture.height())};
    if (!QDir().mkpath(m_path))
        return common::Failure{QStringLiteral("cannot make ") + m_path};
    const QByteArray bytes = encode(picture, photoType, taken);
    if (bytes.isEmpty())
        return common::Failure{QStringLiteral("the picture could not be encoded")};
    // The writer never replaces a file, and counts one already there as written; a name
    // nobody holds is found first, so a card never silently lands on another.
    for (int sequence = 1; sequence <= kMostPerMillisecond; ++sequence) {
        const QString name = fileNameFor(taken, sequence);
        if (QFileInfo::exists(filePath(name)))
            continue;
        if (const common::Status<> written = common::writeNewFile(filePath(name), bytes); !written)
            return common::Failure{written.error()};
        return name;
    }
    return common::Failure{QStringLiteral("too many photos in one millisecond")};
}

common::Status<> PhotoFolder::remove(const QString& fileName) const {
    if (!enabled() || !looksKept(fileName))
        return common::Failure{QStringLiteral("not a kept photo: ") + fileName};
    QFile file(filePath(fileName));
    if (!file.exists() || file.remove())
        return {};
    return common::Failure{file.errorString()};
}

QStringList PhotoFolder::fileNames() const {
    if (!enabled())
        return {};
    QStringList names = QDir(m_path).entryList({QStringLiteral("*.png")}, QDir::Files);
    names.removeIf([](const QString& name) { return !looksKept(name); });
    names.sort();
    return names;
}

common::Result<KeptPhoto> PhotoFolder::read(const QString& path) {
    QImageReader reader(path, "png");
    reader.setDecideFormatFromContent(false);
    // The size is checked before a pixel is decoded, so a huge foreign picture costs nothing.
    if (reader.size() != QSize(kWidth, kHeight))
        return common::Failure{QStringLiteral("not a 240×180 PNG picture")};
    QImage picture;
    if (!reader.read(&picture))
        return common::Failure{reader.errorString()};
    bool typeOk = false;
    const int type = picture.text(QString::fromLatin1(kTypeKey)).toInt(&typeOk);
    if (!typeOk || (type != 1 && type != 2))
        return common::Failure{QStringLiteral("no photo type")};
    const QDateTime taken =
        QDateTime::fromString(picture.text(QString::fromLatin1(kTimeKey)), Qt::ISODateWithMs);
    if (!taken.isValid())
        return common::Failure{QStringLiteral("no time taken")};
    KeptPhoto photo;
    photo.fileName = QFileInfo(path).fileName();
    photo.picture = picture.convertToFormat(QImage::Format_ARGB32);
    photo.photoType = type;
    photo.taken = taken.toUTC();
    return photo;
}

} // namespace player
