#include "player/photos/PhotoRestore.h"

#include <QMetaObject>

namespace player {

PhotoRestore::PhotoRestore(PhotoFolder folder, QStringList fileNames, Found found, Skipped skipped,
                           Done done, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)), m_fileNames(std::move(fileNames)),
      m_found(std::move(found)), m_skipped(std::move(skipped)), m_done(std::move(done)) {}

PhotoRestore::~PhotoRestore() {
    // Calls already queued to this object are dropped with it.
    if (m_thread.joinable()) {
        m_thread.request_stop();
        m_thread.join();
    }
}

void PhotoRestore::start() {
    if (m_thread.joinable())
        return;
    m_thread = std::jthread([this](const std::stop_token& stop) { run(stop); });
}

void PhotoRestore::run(const std::stop_token& stop) {
    for (const QString& name : std::as_const(m_fileNames)) {
        if (stop.stop_requested())
            return;
        common::Result<KeptPhoto> photo = PhotoFolder::read(m_folder.filePath(name));
        if (photo) {
            QMetaObject::invokeMethod(
                this, [this, kept = std::move(photo).value()] { m_found(kept); },
                Qt::QueuedConnection);
        } else {
            QMetaObject::invokeMethod(
                this, [this, name, reason = photo.error()] { m_skipped(name, reason); },
                Qt::QueuedConnection);
        }
    }
    QMetaObject::invokeMethod(
        this, [this] { m_done(); }, Qt::QueuedConnection);
}

} // namespace player
