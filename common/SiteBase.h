#pragma once

#include <QString>

namespace common {

// The maker's web site: scheme and host without a trailing slash. Every web address of the
// host and the movie is built from this one value, so pointing the program at another site
// (a local test server, say) is a matter of one environment variable.
[[nodiscard]] QString siteBase();

// siteBase() followed by `path`, which must start with "/".
[[nodiscard]] QString siteUrl(const QString& path);

} // namespace common
