#include "updates/BorderFolder.h"

#include "updates/SafeName.h"
#include "updates/UrlFileName.h"

namespace updates {

BorderFolder::BorderFolder(const QString& path) : m_path(path) {
    while (m_path.size() > 1 &&
           (m_path.endsWith(QLatin1Char('/')) || m_path.endsWith(QLatin1Char('\\'))))
        m_path.chop(1);
}

BorderFolder BorderFolder::inProgramDirectory(const QString& programDirectory) {
    return BorderFolder(programDirectory + QLatin1Char('/') + QLatin1String(kFolderName));
}

QString BorderFolder::classListPath() const {
    return m_path + QLatin1Char('/') + QLatin1String(kClassListFile);
}

QString BorderFolder::publishedHistoryPath() const {
    return m_path + QLatin1Char('/') + QLatin1String(kPublishedHistoryFile);
}

QString BorderFolder::localHistoryPath() const {
    return m_path + QLatin1Char('/') + QLatin1String(kLocalHistoryFile);
}

QString BorderFolder::descriptionPath(int line) const {
    return m_path + QStringLiteral("/tempxml%1.xml").arg(line);
}

common::Result<QString> BorderFolder::classFolderPath(const QString& className) const {
    return joinSafe(m_path, className);
}

common::Result<QString> BorderFolder::downloadTarget(const QString& className,
                                                     const QString& url) const {
    common::Result<QString> folder = classFolderPath(className);
    if (!folder)
        return folder;
    return joinSafe(folder.value(), UrlFileName(url));
}

} // namespace updates
