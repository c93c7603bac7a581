#pragma once

#include "site/PixelUpload.h"

#include <string>

namespace site {

// Baseline JPEG of a composed photo, in memory. Throws std::runtime_error when libjpeg
// reports an error (it cannot for a well-formed picture, but its error exit must not
// abort the server).
[[nodiscard]] std::string encodeJpeg(const Picture& picture, int quality = 92);

} // namespace site
