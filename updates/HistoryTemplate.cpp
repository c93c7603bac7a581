#include "updates/HistoryTemplate.h"

#include "updates/AtomicFile.h"

#include <QFile>

namespace updates {

QByteArray localHistoryTemplate() {
    QFile resource(QStringLiteral(":/updates/boarderxml"));
    if (!resource.open(QIODevice::ReadOnly))
        return {};
    return resource.readAll();
}

Status ensureLocalHistory(const QString& path) {
    const QByteArray bytes = localHistoryTemplate();
    if (bytes.isEmpty())
        return Error{QStringLiteral("the local border history template is missing")};
    return writeFileIfMissing(path, bytes);
}

} // namespace updates
