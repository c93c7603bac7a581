#include "updates/CaseInsensitiveFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace updates {

QString findFileIgnoringCase(const QString& folder, const QString& fileName) {
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(fileName)).isFile())
        return dir.filePath(fileName);
    QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    // Sorted so that several spellings of one name always resolve to the same file.
    std::sort(names.begin(), names.end());
    for (const QString& name : names) {
        if (name.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    }
    return {};
}

} // namespace updates
