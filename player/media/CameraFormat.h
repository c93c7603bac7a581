#pragma once

#include "player/media/Crop.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QVideoFrameFormat>
#include <optional>

namespace media {

// One way a device can deliver frames, as its driver lists it.
struct FormatOffer {
    QSize resolution;
    double minFps = 0;
    double maxFps = 0;
    QVideoFrameFormat::PixelFormat pixelFormat = QVideoFrameFormat::Format_Invalid;
};

// What a frame of `format` costs to turn into a picture, lowest first; nullopt when the
// conversion does not know the format at all.
[[nodiscard]] std::optional<int> conversionCost(QVideoFrameFormat::PixelFormat format);

// The offer a camera feeding a `view`-sized picture at `fps` should use, as an index into
// `offers`; nullopt when none can. Offers that cannot fill the view once cropped to its
// shape, or cannot keep up with `fps`, are out. Of the rest: the view's own shape first, then
// the fewest pixels, then the cheapest conversion, then the lowest top rate.
[[nodiscard]] std::optional<qsizetype> chooseCameraFormat(const QList<FormatOffer>& offers,
                                                          QSize view, double fps);

} // namespace media
