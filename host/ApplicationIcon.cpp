#include "host/ApplicationIcon.h"

#include <QDir>

namespace host {

QIcon applicationIcon() {
    QIcon icon;
    const QDir dir(QStringLiteral(":/icon"));
    for (const QString& name : dir.entryList({QStringLiteral("ivemba_*.png")}, QDir::Files))
        icon.addFile(dir.filePath(name));
    return icon;
}

} // namespace host
