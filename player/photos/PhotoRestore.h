#pragma once

#include "player/photos/PhotoFolder.h"

#include <QObject>
#include <functional>
#include <thread>

namespace player {

// Reads kept cards in the background, oldest first, and hands each back on the thread
// that owns this object, so start-up never waits for the disc and the UI thread only
// places pictures. Destroying it stops the reading and drops what was not yet handed back.
class PhotoRestore : public QObject {
    Q_OBJECT
public:
    using Found = std::function<void(const KeptPhoto& photo)>;
    using Skipped = std::function<void(const QString& fileName, const QString& reason)>;
    using Done = std::function<void()>;

    PhotoRestore(PhotoFolder folder, QStringList fileNames, Found found, Skipped skipped, Done done,
                 QObject* parent = nullptr);
    ~PhotoRestore() override;
    PhotoRestore(const PhotoRestore&) = delete;
    PhotoRestore& operator=(const PhotoRestore&) = delete;

    void start();

private:
    void run(const std::stop_token& stop);

    PhotoFolder m_folder;
    QStringList m_fileNames;
    Found m_found;
    Skipped m_skipped;
    Done m_done;
    std::jthread m_thread;
};

} // namespace player
