#pragma once

#include "common/Result.h"
#include "player/photos/KeptPhoto.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace player {

// The folder `photos/` of the program directory, where every photo card is kept the moment
// it is made, so a restart — or a crash — loses none. One lossless PNG file per card, named
// after the time it was taken so the names sort oldest first; the photo type and the time
// travel inside the file as text chunks. A file that is damaged, of another size or not ours
// is never read as a card and never deleted: it may be the user's. Without a folder (the
// browser edition, a player with no host) nothing is kept.
class PhotoFolder {
public:
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 180;
    // Cards kept at most; past it the oldest goes.
    static constexpr int kBound = 500;

    PhotoFolder() = default;
    explicit PhotoFolder(QString path) : m_path(std::move(path)) {}

    [[nodiscard]] bool enabled() const { return !m_path.isEmpty(); }
    [[nodiscard]] const QString& path() const { return m_path; }
    [[nodiscard]] QString filePath(const QString& fileName) const;

    // Writes the card's picture as a new file, synced before this returns; the file's name.
    common::Result<QString> keep(const QImage& picture, int photoType, const QDateTime& taken);
    // Removes one kept card's file; a file already gone counts as removed.
    common::Status<> remove(const QString& fileName) const;
    // The names that look like kept cards, oldest first. Whether each is whole is only known
    // once it is read.
    [[nodiscard]] QStringList fileNames() const;

    // The card in the file, or why it is not one.
    [[nodiscard]] static common::Result<KeptPhoto> read(const QString& path);
    // The PNG bytes of a card.
    [[nodiscard]] static QByteArray encode(const QImage& picture, int photoType,
                                           const QDateTime& taken);
    // "20261208-171002-123" for the time, "-2" added for the second card of one millisecond.
    [[nodiscard]] static QString fileNameFor(const QDateTime& taken, int sequence);
    [[nodiscard]] static bool looksKept(const QString& fileName);

private:
    QString m_path;
};

} // namespace player
