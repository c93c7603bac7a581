#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QString>

class QPainter;

// Drawing helpers every piece of artwork shares: transparent canvases, blurred
// shadows, the house font and checked saving.
namespace artwork {

[[nodiscard]] QImage blankCanvas(QSize size);

// Three box blurs in a row come close to a Gaussian and stay cheap.
void blur(QImage& image, int radius);

// Paints a soft shadow of `shape` (blurred, offset) below whatever comes next.
void paintShadow(QPainter& painter, const QPainterPath& shape, QColor colour, int radius,
                 QPointF offset);

// A soft inner shadow along the edge of `shape`, as if it were sunk into the surface.
void paintInsetShadow(QPainter& painter, const QPainterPath& shape, QColor colour, int radius,
                      QPointF offset);

[[nodiscard]] QPainterPath roundedRect(const QRectF& rect, double radius);
[[nodiscard]] QPainterPath circle(QPointF centre, double radius);

// WenQuanYi Micro Hei at a pixel size; registered once by main().
[[nodiscard]] QFont uiFont(double pixelSize, bool bold = false);

// Writes a PNG (or JPEG by suffix) after checking the size the movie expects;
// throws std::runtime_error on a wrong size or a failed write.
void saveImage(const QImage& image, const QString& path, QSize expected, int quality = -1);

} // namespace artwork
