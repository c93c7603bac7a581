#pragma once

#include "Quantizer.h"

#include <QByteArray>

namespace borders {

// A single-frame GIF89a of a picture of at most 256 colours: a global colour table of 256
// entries and LZW compressed pixels. Qt reads GIF but cannot write it, and thumbnails of
// the border catalogue are GIF files.
[[nodiscard]] QByteArray encodeGif(const IndexedPicture& picture);

} // namespace borders
