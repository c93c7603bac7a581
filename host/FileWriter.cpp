#include "host/FileWriter.h"

#include "common/WholeFileWriter.h"
#include "host/Error.h"

#include <QDir>

namespace host {

namespace {
[[noreturn]] void cannotCreate(const QString& path, const QString& reason) {
    throw Error(QStringLiteral("Cannot create file \"%1\". %2")
                    .arg(QDir::toNativeSeparators(path), reason));
}
} // namespace

void writeWholeFile(const QString& path, const QByteArray& bytes) {
    if (const common::Status<> written = common::writeWholeFile(path, bytes); !written)
        cannotCreate(path, written.error());
}

void writeScratchFile(const QString& path, const QByteArray& bytes) {
    if (const common::Status<> written = common::writeScratchFile(path, bytes); !written)
        cannotCreate(path, written.error());
}

} // namespace host
