#pragma once

#include <QImage>
#include <QList>
#include <QRgb>
#include <cstdint>
#include <vector>

namespace borders {

// An opaque picture reduced to at most 256 colours: a palette and one index per pixel,
// row by row.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    QList<QRgb> palette;
    std::vector<std::uint8_t> indices;
};

// Median cut: the colour box holding the most spread is split at the median of its widest
// channel until there are 256 boxes; each box's mean is a palette entry, and pixels are
// mapped to the nearest entry with Floyd-Steinberg error diffusion so gradients stay smooth.
// Alpha is ignored: thumbnails are drawn over an opaque background first.
[[nodiscard]] IndexedPicture quantize(const QImage& picture, int maxColours = 256);

} // namespace borders
