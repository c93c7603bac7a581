#include "player/media/ScreenCopy.h"

namespace media {

ScreenCopy makeScreenCopy(const QImage& frame, const ScreenLook& look) {
    if (frame.isNull() || look.size.isEmpty())
        return {};
    QImage image = frame.size() == look.size
                       ? frame
                       : frame.scaled(look.size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (look.mirrored)
        image = std::move(image).mirrored(true, false);
    return {std::move(image), look, frame.cacheKey()};
}

} // namespace media
