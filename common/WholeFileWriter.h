#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QString>

namespace common {

// Writes `bytes` into a new file beside `path`, checks every byte reached the disc, syncs
// it and only then renames it over `path`. A reader sees the old file or the whole new
// one, never a part: not when the disc fills, not when the file-size limit is reached,
// not when the process dies in the middle. On failure nothing is left behind and the old
// file at `path`, if any, is untouched; the failure's reason is the system's.
[[nodiscard]] Status<> writeWholeFile(const QString& path, const QByteArray& bytes);

// The same without waiting for the disc: for a file the program makes again at every
// start and removes at its end, which a crash of the machine may cost but never leaves
// half-written for a reader.
[[nodiscard]] Status<> writeScratchFile(const QString& path, const QByteArray& bytes);

// The same, for a file that must never replace one already there, also one that appears
// while this runs: the new file is linked into place instead of renamed. Success when the
// file was made or already existed.
[[nodiscard]] Status<> writeNewFile(const QString& path, const QByteArray& bytes);

} // namespace common
