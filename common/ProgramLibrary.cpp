#include "common/ProgramLibrary.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>
#include <dlfcn.h>

namespace common {

void* programLibraryEntry(const QString& fileName, const char* entry, QString* why) {
    if (void* linked = dlsym(RTLD_DEFAULT, entry))
        return linked;
    const QString programDir = QCoreApplication::applicationDirPath();
    const QStringList places{programDir,
                             programDir + QStringLiteral("/" IVEMBA_LIBS_FROM_PROGRAM_DIR)};
    QStringList failures;
    for (const QString& place : places) {
        QLibrary library(place + QLatin1Char('/') + fileName);
        if (QFunctionPointer found = library.resolve(entry))
            return reinterpret_cast<void*>(found);
        failures.append(library.errorString());
    }
    if (why)
        *why = failures.join(QStringLiteral("; "));
    return nullptr;
}

} // namespace common
