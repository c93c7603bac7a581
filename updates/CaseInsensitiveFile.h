#pragma once

#include <QString>

namespace updates {

// The catalogue names files the way a case-insensitive file system would find them: a
// border "x" may have its thumbnail stored as "x.GIF" and its picture as "x.Png". This
// returns the path of the file in `folder` whose name equals `fileName` ignoring case,
// preferring the exact spelling, or an empty string when there is none.
[[nodiscard]] QString findFileIgnoringCase(const QString& folder, const QString& fileName);

} // namespace updates
