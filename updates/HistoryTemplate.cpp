#include "updates/HistoryTemplate.h"

#include "common/WholeFileWriter.h"

#include <QFile>

namespace updates {

QByteArray localHistoryTemplate() {
    QFile resource(QStringLiteral(":/updates/boarderxml"));
    if (!resource.open(QIODevice::ReadOnly))
        return {};
    return resource.readAll();
}

common::Status<> ensureLocalHistory(const QString& path) {
    const QByteArray bytes = localHistoryTemplate();
    if (bytes.isEmpty())
        return common::Failure{QStringLiteral("the local border history template is missing")};
    if (const common::Status<> written = common::writeNewFile(path, bytes); !written)
        return common::Failure{QStringLiteral("cannot write %1: %2").arg(path, written.error())};
    return {};
}

} // namespace updates
