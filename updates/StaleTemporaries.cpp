#include "updates/StaleTemporaries.h"

#include <QDir>
#include <QFile>

namespace updates {

namespace {

constexpr qsizetype kUniqueChars = 6;

bool isUniqueSuffix(QStringView text) {
    if (text.size() != kUniqueChars)
        return false;
    for (const QChar c : text) {
        if (!(c.isDigit() || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) ||
            c.unicode() > 0x7f)
            return false;
    }
    return true;
}

void sweep(const QString& folder) {
    const QDir dir(folder);
    const QStringList hidden =
        dir.entryList(QStringList{QStringLiteral(".*")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : hidden) {
        if (isTemporaryName(name))
            QFile::remove(dir.filePath(name));
    }
}

} // namespace

bool isTemporaryName(const QString& fileName) {
    if (!fileName.startsWith(u'.'))
        return false;
    const QStringView name(fileName);
    if (name.startsWith(u".ivemba-") && isUniqueSuffix(name.sliced(8)))
        return true;
    // "." + target name + "." + suffix, the target name not empty
    const qsizetype dot = name.size() - kUniqueChars - 1;
    return dot > 1 && name.at(dot) == u'.' && isUniqueSuffix(name.sliced(dot + 1));
}

void removeStaleTemporaries(const QString& borderFolder) {
    sweep(borderFolder);
    const QStringList classes =
        QDir(borderFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString& name : classes)
        sweep(borderFolder + QLatin1Char('/') + name);
}

} // namespace updates
