#include "movie/capture/CaptureParts.h"

#include "player/Clip.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace capture {

player::TextField* addText(player::Clip& parent, const QString& name, int depth, QPointF pos,
                           QSizeF size, const player::TextField::Style& style) {
    auto* text = parent.adopt(new player::TextField(name, size, style), depth);
    text->setPos(pos);
    return text;
}

void setFramedRect(player::Clip& clip, QRectF rect, QColor fill, QColor edge) {
    clip.setContent(rect, [rect, fill, edge](QPainter& p) {
        p.fillRect(rect, fill);
        p.fillRect(QRectF(rect.left(), rect.top(), rect.width(), 1), edge);
        p.fillRect(QRectF(rect.left(), rect.bottom() - 1, rect.width(), 1), edge);
        p.fillRect(QRectF(rect.left(), rect.top() + 1, 1, rect.height() - 2), edge);
        p.fillRect(QRectF(rect.right() - 1, rect.top() + 1, 1, rect.height() - 2), edge);
    });
}

QImage rotateHue(const QImage& image, double degrees) {
    // The luminance-preserving hue rotation matrix of the common colour-matrix filters.
    const double a = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    const double m[3][3] = {
        {0.213 + c * 0.787 - s * 0.213, 0.715 - c * 0.715 - s * 0.715,
         0.072 - c * 0.072 + s * 0.928},
        {0.213 - c * 0.213 + s * 0.143, 0.715 + c * 0.285 + s * 0.140,
         0.072 - c * 0.072 - s * 0.283},
        {0.213 - c * 0.213 - s * 0.787, 0.715 - c * 0.715 + s * 0.715,
         0.072 + c * 0.928 + s * 0.072},
    };
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            const double rgb[3] = {double(qRed(p)), double(qGreen(p)), double(qBlue(p))};
            int v[3];
            for (int i = 0; i < 3; ++i) {
                const double sum = m[i][0] * rgb[0] + m[i][1] * rgb[1] + m[i][2] * rgb[2];
                v[i] = std::clamp(static_cast<int>(std::lround(sum)), 0, 255);
            }
            line[x] = qRgba(v[0], v[1], v[2], qAlpha(p));
        }
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace capture
