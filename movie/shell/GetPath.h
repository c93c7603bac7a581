#pragma once

#include <QString>

namespace shell {

// The folder part of a movie address or path, with its trailing separator. Web and file
// addresses split at their last "/", plain Windows paths at their last "\"; without such a
// separator the folder is empty.
[[nodiscard]] QString GetPath(const QString& location);

} // namespace shell
