#pragma once

#include <QImage>
#include <QSize>

class QVideoFrame;

namespace media {

// Turns one camera frame into a `target`-sized RGB32 picture: the centre of the frame cut
// to the target's shape, then scaled, never stretched. The common webcam layouts (packed
// and planar YUV, JPEG, RGB) are read directly and scaled as they are read; anything else
// goes through Qt's own conversion. Safe on any thread; a null picture when the frame
// cannot be read.
[[nodiscard]] QImage convertFrame(const QVideoFrame& frame, QSize target);

// A compressed JPEG frame decoded straight to `target`, centre cut as above. The decoder
// scales down while decoding, so a large frame costs little more than a small one.
[[nodiscard]] QImage decodeJpegFrame(const uchar* data, qsizetype size, QSize target);

} // namespace media
