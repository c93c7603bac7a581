#pragma once

#include <QString>

namespace updates {

// The name a downloaded file is stored under: everything after the last "/" or "\" that is
// not the final character, or the whole text when there is none. "x/y/" gives "y/", which
// is not a usable name; callers check the result with isSafeName() before writing.
[[nodiscard]] QString UrlFileName(const QString& url);

} // namespace updates
