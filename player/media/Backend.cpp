#include "player/media/Backend.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>
#include <QtDebug>
#include <dlfcn.h>

namespace media {

namespace {

constexpr const char* kEntry = "ivemba_media_backend";

Backend* load() {
    // A program built with the back end linked in (the tests, the benches) has it already.
    if (auto entry = reinterpret_cast<BackendEntry>(dlsym(RTLD_DEFAULT, kEntry)))
        return entry();
    // Beside the program in a build tree; in its own folder of the library directory when
    // installed.
    const QString programDir = QCoreApplication::applicationDirPath();
    const QStringList places{programDir,
                             programDir + QStringLiteral("/" IVEMBA_MEDIA_FROM_PROGRAM_DIR)};
    QStringList failures;
    for (const QString& place : places) {
        QLibrary library(place + QStringLiteral("/libivemba_media.so"));
        if (auto entry = reinterpret_cast<BackendEntry>(library.resolve(kEntry)))
            return entry(); // the library stays loaded for the life of the process
        failures.append(library.errorString());
    }
    qWarning().noquote() << "no camera and no sound: the media library cannot be loaded:"
                         << failures.join(QStringLiteral("; "));
    return nullptr;
}

} // namespace

Backend* systemBackend() {
    // Loaded once: a library, like the system it opens, belongs to the whole process.
    static Backend* const backend = load();
    return backend;
}

} // namespace media
