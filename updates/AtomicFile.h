#pragma once

#include "updates/Result.h"

#include <QByteArray>
#include <QString>

namespace updates {

// Writes `bytes` beside `path` and renames the result over it, so a reader sees the old
// file or the new one and never a half-written one, also when the disk fills or the
// process dies in the middle.
[[nodiscard]] Status writeFileAtomically(const QString& path, const QByteArray& bytes);

// Creates `path` with `bytes` only when nothing exists there yet. An existing file is left
// untouched, also one that appears while this runs: the new file is written beside it and
// linked into place, which fails instead of replacing. Success when the file was created
// or already existed.
[[nodiscard]] Status writeFileIfMissing(const QString& path, const QByteArray& bytes);

// The whole content of `path`, refused when larger than `maxBytes`.
[[nodiscard]] Result<QByteArray> readWholeFile(const QString& path, qint64 maxBytes);

} // namespace updates
