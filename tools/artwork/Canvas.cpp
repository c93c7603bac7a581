#include "Canvas.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <stdexcept>
#include <vector>

namespace artwork {

QImage blankCanvas(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

namespace {

// One horizontal or vertical running-sum pass over premultiplied pixels.
void boxPass(QImage& image, int radius, bool horizontal) {
    const int w = image.width();
    const int h = image.height();
    const int lines = horizontal ? h : w;
    const int length = horizontal ? w : h;
    std::vector<QRgb> line(static_cast<size_t>(length));
    const int span = 2 * radius + 1;
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> QRgb& {
            return horizontal ? reinterpret_cast<QRgb*>(image.scanLine(l))[i]
                              : reinterpret_cast<QRgb*>(image.scanLine(i))[l];
        };
        for (int i = 0; i < length; ++i)
            line[static_cast<size_t>(i)] = at(i);
        int sum[4] = {0, 0, 0, 0};
        auto add = [&](int i, int sign) {
            if (i < 0 || i >= length)
                return;
            const QRgb p = line[static_cast<size_t>(i)];
            sum[0] += sign * qAlpha(p);
            sum[1] += sign * qRed(p);
            sum[2] += sign * qGreen(p);
            sum[3] += sign * qBlue(p);
        };
        for (int i = -radius; i <= radius; ++i)
            add(i, 1);
        for (int i = 0; i < length; ++i) {
            at(i) = qRgba(sum[1] / span, sum[2] / span, sum[3] / span, sum[0] / span);
            add(i - radius, -1);
            add(i + radius + 1, 1);
        }
    }
}

} // namespace

void blur(QImage& image, int radius) {
    if (radius <= 0)
        return;
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(image, radius, true);
        boxPass(image, radius, false);
    }
}

void paintShadow(QPainter& painter, const QPainterPath& shape, QColor colour, int radius,
                 QPointF offset) {
    const QSize size =
        painter.device() ? QSize(painter.device()->width(), painter.device()->height()) : QSize();
    QImage layer = blankCanvas(size);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.setTransform(painter.transform());
        p.translate(offset);
        p.fillPath(shape, colour);
    }
    blur(layer, radius);
    painter.save();
    painter.resetTransform();
    painter.drawImage(0, 0, layer);
    painter.restore();
}

void paintInsetShadow(QPainter& painter, const QPainterPath& shape, QColor colour, int radius,
                      QPointF offset) {
    const QSize size(painter.device()->width(), painter.device()->height());
    QImage layer = blankCanvas(size);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.setTransform(painter.transform());
        QPainterPath outside;
        outside.addRect(
            shape.boundingRect().adjusted(-4 * radius, -4 * radius, 4 * radius, 4 * radius));
        outside = outside.subtracted(shape).translated(offset);
        p.fillPath(outside, colour);
    }
    blur(layer, radius);
    painter.save();
    painter.setClipPath(shape);
    painter.resetTransform();
    painter.drawImage(0, 0, layer);
    painter.restore();
}

QPainterPath roundedRect(const QRectF& rect, double radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath circle(QPointF centre, double radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QFont uiFont(double pixelSize, bool bold) {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(static_cast<int>(pixelSize));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void saveImage(const QImage& image, const QString& path, QSize expected, int quality) {
    if (image.size() != expected)
        throw std::runtime_error("wrong size for " + path.toStdString());
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw std::runtime_error("cannot create folder for " + path.toStdString());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot open " + path.toStdString());
    const bool jpeg = path.endsWith(QStringLiteral(".jpg"));
    const QImage out = jpeg ? image.convertToFormat(QImage::Format_RGB32) : image;
    if (!out.save(&file, jpeg ? "JPG" : "PNG", quality) || !file.commit())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace artwork
