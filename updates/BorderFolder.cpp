#include "updates/BorderFolder.h"

#include "updates/SafeName.h"
#include "updates/UrlFileName.h"

namespace updates {

BorderFolder::BorderFolder(const QString& path) : path_(path) {
    while (path_.size() > 1 &&
           (path_.endsWith(QLatin1Char('/')) || path_.endsWith(QLatin1Char('\\'))))
        path_.chop(1);
}

BorderFolder BorderFolder::inProgramDirectory(const QString& programDirectory) {
    return BorderFolder(programDirectory + QLatin1Char('/') + QLatin1String(kFolderName));
}

QString BorderFolder::classListPath() const {
    return path_ + QLatin1Char('/') + QLatin1String(kClassListFile);
}

QString BorderFolder::publishedHistoryPath() const {
    return path_ + QLatin1Char('/') + QLatin1String(kPublishedHistoryFile);
}

QString BorderFolder::localHistoryPath() const {
    return path_ + QLatin1Char('/') + QLatin1String(kLocalHistoryFile);
}

QString BorderFolder::descriptionPath(int line) const {
    return path_ + QStringLiteral("/tempxml%1.xml").arg(line);
}

Result<QString> BorderFolder::classFolderPath(const QString& className) const {
    return joinSafe(path_, className);
}

Result<QString> BorderFolder::downloadTarget(const QString& className, const QString& url) const {
    Result<QString> folder = classFolderPath(className);
    if (!folder)
        return folder;
    return joinSafe(folder.value(), UrlFileName(url));
}

} // namespace updates
