#pragma once

#include <QImage>
#include <QSize>

namespace media {

// How a view shows camera frames on the screen: its size in screen pixels, and whether it
// shows them mirrored.
struct ScreenLook {
    QSize size;
    bool mirrored = false;
    bool operator==(const ScreenLook&) const = default;
};

// A camera frame made ready for the screen in a given look, so that the view copies its
// pixels instead of scaling the frame on the UI thread at every repaint. `frameKey` is the
// cache key of the frame it was made from.
struct ScreenCopy {
    QImage image;
    ScreenLook look;
    qint64 frameKey = 0;
};

// `frame` in `look`: the frame itself, shared, when it already has that look; nothing for a
// null frame or a look without a size.
[[nodiscard]] ScreenCopy makeScreenCopy(const QImage& frame, const ScreenLook& look);

} // namespace media
