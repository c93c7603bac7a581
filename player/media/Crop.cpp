#include "player/media/Crop.h"

#include <algorithm>

namespace media {

QRect centreCrop(QSize source, QSize shape) {
    if (source.isEmpty() || shape.isEmpty())
        return {};
    int w = source.width();
    int h = source.height();
    // Compared in 64 bits: a product of two sizes can pass the int range.
    if (qint64(w) * shape.height() > qint64(h) * shape.width())
        w = int(qint64(h) * shape.width() / shape.height());
    else
        h = int(qint64(w) * shape.height() / shape.width());
    w = std::max(2, w & ~1);
    h = std::max(2, h & ~1);
    const int x = ((source.width() - w) / 2) & ~1;
    const int y = ((source.height() - h) / 2) & ~1;
    return {x, y, std::min(w, source.width()), std::min(h, source.height())};
}

} // namespace media
