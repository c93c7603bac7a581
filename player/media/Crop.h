#pragma once

#include <QRect>
#include <QSize>

namespace media {

// The largest rectangle of `shape`'s proportions centred in a picture of `source`, on even
// coordinates so that shared chroma samples stay whole.
[[nodiscard]] QRect centreCrop(QSize source, QSize shape);

} // namespace media
