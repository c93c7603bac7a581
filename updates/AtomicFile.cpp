#include "updates/AtomicFile.h"

#include "common/TransferPolicy.h"
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
    common::CappedRead read = common::readCappedFile(path, maxBytes);
    if (!read.ok())
        return Error{read.error};
    return std::move(read.bytes);
}

} // namespace updates
