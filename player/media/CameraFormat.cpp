#include "player/media/CameraFormat.h"

#include <tuple>

namespace media {

std::optional<int> conversionCost(QVideoFrameFormat::PixelFormat format) {
    switch (format) {
    // Packed 4:2:2 and the 8-bit RGB layouts are read straight from one plane.
    case QVideoFrameFormat::Format_YUYV:
    case QVideoFrameFormat::Format_UYVY:
        return 0;
    case QVideoFrameFormat::Format_NV12:
    case QVideoFrameFormat::Format_NV21:
    case QVideoFrameFormat::Format_YUV420P:
    case QVideoFrameFormat::Format_YV12:
        return 1;
    case QVideoFrameFormat::Format_Jpeg:
        // Decoding is work, but the decoder scales down as it goes.
        return 3;
    default:
        break;
    }
    if (QVideoFrameFormat::imageFormatFromPixelFormat(format) != QImage::Format_Invalid)
        return 2;
    return std::nullopt;
}

std::optional<qsizetype> chooseCameraFormat(const QList<FormatOffer>& offers, QSize view,
                                            double fps) {
    using Rank = std::tuple<bool, qint64, int, double>;
    std::optional<qsizetype> best;
    Rank bestRank;
    for (qsizetype i = 0; i < offers.size(); ++i) {
        const FormatOffer& offer = offers.at(i);
        const std::optional<int> cost = conversionCost(offer.pixelFormat);
        const QRect crop = centreCrop(offer.resolution, view);
        if (!cost || crop.width() < view.width() || crop.height() < view.height() ||
            offer.maxFps + 0.01 < fps)
            continue;
        const bool otherShape = crop.size() != offer.resolution;
        const Rank rank{otherShape, qint64(offer.resolution.width()) * offer.resolution.height(),
                        *cost, offer.maxFps};
        if (!best || rank < bestRank) {
            best = i;
            bestRank = rank;
        }
    }
    return best;
}

} // namespace media
