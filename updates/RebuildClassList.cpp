#include "updates/RebuildClassList.h"

#include "updates/SafeName.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace updates {

namespace {

constexpr QLatin1String kThumbnailSuffix(".gif");

QStringList sortedEntries(const QDir& dir, QDir::Filters filters) {
    QStringList names = dir.entryList(filters | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end());
    return names;
}

// Base names of the class's thumbnails, in order, each once.
QStringList thumbnailBaseNames(const QDir& classFolder) {
    QStringList baseNames;
    for (const QString& file : sortedEntries(classFolder, QDir::Files | QDir::Hidden)) {
        if (file.size() <= kThumbnailSuffix.size() ||
            !file.endsWith(kThumbnailSuffix, Qt::CaseInsensitive))
            continue;
        const QString baseName = file.chopped(kThumbnailSuffix.size());
        if (!baseNames.contains(baseName))
            baseNames.append(baseName);
    }
    return baseNames;
}

} // namespace

void RebuildClassList(const QString& borderFolder, pugi::xml_node root) {
    const QDir folder(borderFolder);
    for (const QString& name : sortedEntries(folder, QDir::Dirs)) {
        if (name.contains(QLatin1Char('.')) || !isSafeName(name))
            continue;
        const QStringList pics = thumbnailBaseNames(QDir(folder.filePath(name)));
        if (pics.isEmpty())
            continue;
        pugi::xml_node classElement = root.append_child("class");
        classElement.append_attribute("name").set_value(name.toUtf8().constData());
        classElement.append_attribute("path").set_value(
            (QStringLiteral("borders/") + name + QLatin1Char('/')).toUtf8().constData());
        for (const QString& pic : pics) {
            classElement.append_child("pic")
                .append_child(pugi::node_pcdata)
                .set_value(pic.toUtf8().constData());
        }
    }
}

} // namespace updates
