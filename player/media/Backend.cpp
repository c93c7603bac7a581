#include "player/media/Backend.h"

#include "common/ProgramLibrary.h"

#include <QtDebug>

namespace media {

namespace {

Backend* load() {
    QString why;
    if (auto entry = reinterpret_cast<BackendEntry>(common::programLibraryEntry(
            QStringLiteral("libivemba_media.so"), "ivemba_media_backend", &why)))
        return entry();
    qWarning().noquote() << "no camera and no sound: the media library cannot be loaded:" << why;
    return nullptr;
}

} // namespace

Backend* systemBackend() {
    // Loaded once: a library, like the system it opens, belongs to the whole process.
    static Backend* const backend = load();
    return backend;
}

} // namespace media
