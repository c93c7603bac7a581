#include "updates/AtomicFile.h"

#include "common/WholeFileWriter.h"

#include <QFile>

namespace updates {

Status writeFileAtomically(const QString& path, const QByteArray& bytes) {
    if (const common::WriteStatus written = common::writeWholeFile(path, bytes); !written)
        return Error{QStringLiteral("cannot write %1: %2").arg(path, written.error)};
    return Status::success();
}

Status writeFileIfMissing(const QString& path, const QByteArray& bytes) {
    if (const common::WriteStatus written = common::writeNewFile(path, bytes); !written)
        return Error{QStringLiteral("cannot write %1: %2").arg(path, written.error)};
    return Status::success();
}

Result<QByteArray> readWholeFile(const QString& path, qint64 maxBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Error{QStringLiteral("cannot read %1: %2").arg(path, file.errorString())};
    if (file.size() > maxBytes)
        return Error{QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(maxBytes)};
    QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes)
        return Error{QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(maxBytes)};
    if (file.error() != QFileDevice::NoError)
        return Error{QStringLiteral("cannot read %1: %2").arg(path, file.errorString())};
    return bytes;
}

} // namespace updates
