#pragma once

#include <QImage>
#include <QString>

namespace output {

// A picture as the text the host rebuilds a JPEG from: for every pixel, column by column
// (x outer, y inner), a "-" followed by its colour 0xRRGGBB in decimal, with no leading
// zeros and no terminator. Alpha is not part of the value: a picture with alpha is read
// as laid over black, which is what the black save bitmap gives.
[[nodiscard]] QString pixelText(const QImage& picture);

// Most characters one pixel can take: "-" and eight digits (16777215).
inline constexpr int kMaxPixelChars = 9;

} // namespace output
