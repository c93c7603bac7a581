#include "updates/AtomicFile.h"

#include "common/WholeFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace updates {

Status writeFileAtomically(const QString& path, const QByteArray& bytes) {
    if (const common::WriteStatus written = common::writeWholeFile(path, bytes); !written)
        return Error{QStringLiteral("cannot write %1: %2").arg(path, written.error)};
    return Status::success();
}

Status writeFileIfMissing(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    if (target.exists() || target.isSymLink())
        return Status::success();

    QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.ivemba-XXXXXX"));
    if (!temporary.open())
        return Error{QStringLiteral("cannot write %1: %2").arg(path, temporary.errorString())};
    if (temporary.write(bytes) != bytes.size() || !temporary.flush())
        return Error{QStringLiteral("cannot write %1: %2").arg(path, temporary.errorString())};
    temporary.close();

    const QByteArray from = QFile::encodeName(temporary.fileName());
    const QByteArray to = QFile::encodeName(target.absoluteFilePath());
    if (::link(from.constData(), to.constData()) != 0 && errno != EEXIST) {
        return Error{QStringLiteral("cannot write %1: %2")
                         .arg(path, QString::fromLocal8Bit(strerror(errno)))};
    }
    return Status::success(); // the temporary name goes away with `temporary`
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
