#pragma once

#include <QByteArray>
#include <QString>

namespace host {

// Writes `bytes` to `path`, replacing any file there. The bytes go to a temporary file
// beside it that takes the name only once everything is written, so a failure never leaves
// a partial file in place of the old one. Throws Error("Cannot create file ...") on failure.
void writeWholeFile(const QString& path, const QByteArray& bytes);
// The same without waiting for the disc, for a file made again at every start.
void writeScratchFile(const QString& path, const QByteArray& bytes);

} // namespace host
