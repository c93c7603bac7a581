#include "host/ProgramDirectory.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <unistd.h>

namespace host {

namespace {

// What the program directory holds besides the movie file.
const char* const kSeededFolders[] = {"borders", "help"};

} // namespace

ProgramDirectory::Places ProgramDirectory::standardPlaces(const QString& executableDir) {
    Places places;
    places.executableDir = executableDir;
    places.installedData = QDir::cleanPath(executableDir + QStringLiteral("/../share/ivemba"));
    places.userDir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                     QStringLiteral("/ivemba");
    return places;
}

bool ProgramDirectory::isWritableFolder(const QString& path) {
    // access() asks the kernel, so a read-only mount counts as well as the permissions.
    return QFileInfo(path).isDir() && ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

QString ProgramDirectory::resolve(const Places& places) {
    return resolve(places, isWritableFolder(places.executableDir));
}

QString ProgramDirectory::resolve(const Places& places, bool executableDirWritable) {
    const bool ownFolder = QFileInfo(places.executableDir + QStringLiteral("/borders")).isDir();
    if (ownFolder && executableDirWritable)
        return places.executableDir;
    if (places.userDir.isEmpty() || !QDir().mkpath(places.userDir))
        return places.executableDir;
    // The installed data, or failing that the executable's own folders (a read-only
    // portable copy).
    const QString source = QFileInfo(places.installedData).isDir() ? places.installedData
                           : ownFolder                             ? places.executableDir
                                                                   : QString();
    if (!source.isEmpty())
        for (const char* folder : kSeededFolders)
            seed(source + QLatin1Char('/') + QLatin1String(folder),
                 places.userDir + QLatin1Char('/') + QLatin1String(folder));
    return places.userDir;
}

bool ProgramDirectory::seed(const QString& from, const QString& to) {
    if (!QFileInfo(from).isDir())
        return true;
    bool ok = QDir().mkpath(to);
    const QDir source(from);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        const QString target = to + QLatin1Char('/') + source.relativeFilePath(entry.filePath());
        if (entry.isDir()) {
            ok = QDir().mkpath(target) && ok;
        } else if (!QFileInfo::exists(target)) {
            ok = QDir().mkpath(QFileInfo(target).path()) && ok;
            // A copy keeps the installed file's read-only mode; the program writes here.
            ok = QFile::copy(entry.filePath(), target) && ok;
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
        }
    }
    return ok;
}

} // namespace host
