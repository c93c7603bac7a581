#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <random>

namespace borders {

// The size of every border picture, and the opening its frame leaves for the photo.
constexpr int kWidth = 240;
constexpr int kHeight = 180;

// Painting helpers shared by the border designs. Every shape is centred on `c`.
namespace ornament {

[[nodiscard]] QPainterPath heart(QPointF c, qreal size);
[[nodiscard]] QPainterPath star(QPointF c, qreal outer, qreal inner, int points = 5,
                                qreal rotation = 0);
// The whole picture less a rounded opening: the band a frame is painted in.
[[nodiscard]] QPainterPath band(const QRectF& opening, qreal radius);
// A scalloped edge: half circles of `r` around the rounded opening, for lace.
[[nodiscard]] QPainterPath scallops(const QRectF& opening, qreal r);

void fillBand(QPainter& p, const QRectF& opening, qreal radius, const QBrush& brush);
void outlineOpening(QPainter& p, const QRectF& opening, qreal radius, const QPen& pen);
void flower(QPainter& p, QPointF c, qreal r, int petals, const QColor& petal, const QColor& heart,
            qreal rotation = 0);
void daisy(QPainter& p, QPointF c, qreal r, qreal rotation = 0);
void snowflake(QPainter& p, QPointF c, qreal r, const QColor& colour);
void bubble(QPainter& p, QPointF c, qreal r, const QColor& tint);
void leaf(QPainter& p, QPointF c, qreal length, qreal angle, const QColor& colour);
void balloon(QPainter& p, QPointF c, qreal r, const QColor& colour);
void lantern(QPainter& p, QPointF top, qreal size);
void cloud(QPainter& p, QPointF c, qreal w, const QColor& colour);
void pawPrint(QPainter& p, QPointF c, qreal size, qreal angle, const QColor& colour);
void sparkle(QPainter& p, QPointF c, qreal r, const QColor& colour);
void lollipop(QPainter& p, QPointF c, qreal r, qreal angle, const QColor& a, const QColor& b);
void maple(QPainter& p, QPointF c, qreal r, qreal angle, const QColor& colour);
// Text in the CJK font, filled, with a soft outline so it reads over any photo.
void caption(QPainter& p, const QRectF& box, const QString& text, qreal pixelSize,
             const QBrush& fill, const QColor& outline, int flags = Qt::AlignCenter);
// A ribbon banner with folded ends, its text centred.
void banner(QPainter& p, const QRectF& box, const QColor& colour, const QString& text,
            qreal pixelSize);
// Small round or star confetti in `colours`, scattered in the band only.
void confetti(QPainter& p, std::mt19937& random, const QRectF& opening, int count,
              const QList<QColor>& colours);

} // namespace ornament
} // namespace borders
