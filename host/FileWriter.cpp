#include "host/FileWriter.h"

#include "host/Error.h"

#include <QDir>
#include <QSaveFile>

namespace host {

namespace {
[[noreturn]] void cannotCreate(const QString& path, const QString& reason) {
    throw Error(QStringLiteral("Cannot create file \"%1\". %2")
                    .arg(QDir::toNativeSeparators(path), reason));
}
} // namespace

void writeWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disc) shows in what write() returns: a
    // buffered short write is lost on the way and the save file would still commit.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        cannotCreate(path, file.errorString());
    // A short write is retried for the rest, which gives the system's reason when it fails.
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            cannotCreate(path, reason);
        }
        done += n;
    }
    if (!file.commit())
        cannotCreate(path, file.errorString());
}

} // namespace host
