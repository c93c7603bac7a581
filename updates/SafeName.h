#pragma once

#include "common/Result.h"

#include <QString>

namespace updates {

// A file or folder name that came from data (a class name in a package description, the
// file name of a download address) names exactly one entry inside its folder: it is not
// empty, not "." or "..", holds no "/", no "\" and no NUL, and is at most 255 bytes long. Anything
// else could reach outside the border folder or name the folder itself, so it is refused before any
// write.
inline constexpr qsizetype kMaxNameBytes = 255;

[[nodiscard]] bool isSafeName(const QString& name);

// `folder` + "/" + `name` when `name` is safe; otherwise an error naming the refused name.
[[nodiscard]] common::Result<QString> joinSafe(const QString& folder, const QString& name);

} // namespace updates
