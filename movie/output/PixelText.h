#pragma once

#include <QImage>
#include <QString>

namespace output {

// A picture as the text the host rebuilds a JPEG from (the format of pixeltext/). Alpha is
// not part of the value: a picture with alpha is read as laid over black, which is what the
// black save bitmap gives.
[[nodiscard]] QString pixelText(const QImage& picture);

} // namespace output
