#include "Ornaments.h"

#include <QFont>
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

namespace borders::ornament {

namespace {

constexpr qreal kPi = 3.14159265358979323846;

QFont cjkFont(qreal pixelSize) {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    font.setBold(true);
    return font;
}

} // namespace

QPainterPath heart(QPointF c, qreal s) {
    QPainterPath path;
    path.moveTo(c.x(), c.y() + s * 0.45);
    path.cubicTo(c.x() - s * 0.9, c.y() - s * 0.1, c.x() - s * 0.45, c.y() - s * 0.75, c.x(),
                 c.y() - s * 0.3);
    path.cubicTo(c.x() + s * 0.45, c.y() - s * 0.75, c.x() + s * 0.9, c.y() - s * 0.1, c.x(),
                 c.y() + s * 0.45);
    return path;
}

QPainterPath star(QPointF c, qreal outer, qreal inner, int points, qreal rotation) {
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const qreal r = (i % 2 == 0) ? outer : inner;
        const qreal a = rotation - kPi / 2 + i * kPi / points;
        const QPointF q(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(q);
        else
            path.lineTo(q);
    }
    path.closeSubpath();
    return path;
}

QPainterPath band(const QRectF& opening, qreal radius) {
    QPainterPath outer;
    outer.addRect(0, 0, kWidth, kHeight);
    QPainterPath inner;
    inner.addRoundedRect(opening, radius, radius);
    return outer.subtracted(inner);
}

QPainterPath scallops(const QRectF& opening, qreal r) {
    QPainterPath path;
    const qreal step = r * 1.8;
    for (qreal x = opening.left() + r; x <= opening.right() - r + 0.1; x += step) {
        path.addEllipse(QPointF(x, opening.top()), r, r);
        path.addEllipse(QPointF(x, opening.bottom()), r, r);
    }
    for (qreal y = opening.top() + r; y <= opening.bottom() - r + 0.1; y += step) {
        path.addEllipse(QPointF(opening.left(), y), r, r);
        path.addEllipse(QPointF(opening.right(), y), r, r);
    }
    return path.simplified();
}

void fillBand(QPainter& p, const QRectF& opening, qreal radius, const QBrush& brush) {
    p.fillPath(band(opening, radius), brush);
}

void outlineOpening(QPainter& p, const QRectF& opening, qreal radius, const QPen& pen) {
    p.save();
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(opening, radius, radius);
    p.restore();
}

void flower(QPainter& p, QPointF c, qreal r, int petals, const QColor& petal, const QColor& centre,
            qreal rotation) {
    p.save();
    p.translate(c);
    p.rotate(rotation);
    p.setPen(QPen(petal.darker(125), 0.8));
    QRadialGradient gradient(QPointF(0, 0), r);
    gradient.setColorAt(0, petal.lighter(130));
    gradient.setColorAt(1, petal);
    p.setBrush(gradient);
    for (int i = 0; i < petals; ++i) {
        p.drawEllipse(QPointF(0, -r * 0.55), r * 0.32, r * 0.5);
        p.rotate(360.0 / petals);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(centre);
    p.drawEllipse(QPointF(0, 0), r * 0.28, r * 0.28);
    p.restore();
}

void daisy(QPainter& p, QPointF c, qreal r, qreal rotation) {
    p.save();
    p.translate(c);
    p.rotate(rotation);
    p.setPen(QPen(QColor(210, 210, 200), 0.6));
    p.setBrush(Qt::white);
    for (int i = 0; i < 14; ++i) {
        p.drawEllipse(QPointF(0, -r * 0.58), r * 0.16, r * 0.45);
        p.rotate(360.0 / 14);
    }
    QRadialGradient gradient(QPointF(-r * 0.08, -r * 0.08), r * 0.3);
    gradient.setColorAt(0, QColor(255, 230, 90));
    gradient.setColorAt(1, QColor(235, 160, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawEllipse(QPointF(0, 0), r * 0.26, r * 0.26);
    p.restore();
}

void snowflake(QPainter& p, QPointF c, qreal r, const QColor& colour) {
    p.save();
    p.translate(c);
    p.setPen(QPen(colour, std::max<qreal>(1.0, r / 7), Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 6; ++i) {
        p.drawLine(QPointF(0, 0), QPointF(0, -r));
        p.drawLine(QPointF(0, -r * 0.55), QPointF(-r * 0.25, -r * 0.78));
        p.drawLine(QPointF(0, -r * 0.55), QPointF(r * 0.25, -r * 0.78));
        p.rotate(60);
    }
    p.restore();
}

void bubble(QPainter& p, QPointF c, qreal r, const QColor& tint) {
    p.save();
    QRadialGradient gradient(c + QPointF(-r * 0.3, -r * 0.35), r * 1.3);
    QColor inner = tint;
    inner.setAlpha(40);
    QColor outer = tint;
    outer.setAlpha(170);
    gradient.setColorAt(0, inner);
    gradient.setColorAt(0.75, inner);
    gradient.setColorAt(1, outer);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.0));
    p.setBrush(gradient);
    p.drawEllipse(c, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(c + QPointF(-r * 0.4, -r * 0.4), r * 0.22, r * 0.14);
    p.restore();
}

void leaf(QPainter& p, QPointF c, qreal length, qreal angle, const QColor& colour) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    QPainterPath path;
    path.moveTo(0, 0);
    path.quadTo(length * 0.5, -length * 0.32, length, 0);
    path.quadTo(length * 0.5, length * 0.32, 0, 0);
    QLinearGradient gradient(0, -length * 0.3, 0, length * 0.3);
    gradient.setColorAt(0, colour.lighter(125));
    gradient.setColorAt(1, colour.darker(115));
    p.setPen(QPen(colour.darker(140), 0.7));
    p.setBrush(gradient);
    p.drawPath(path);
    p.drawLine(QPointF(0, 0), QPointF(length * 0.85, 0));
    p.restore();
}

void balloon(QPainter& p, QPointF c, qreal r, const QColor& colour) {
    p.save();
    p.setPen(QPen(QColor(120, 120, 120), 0.8));
    QPainterPath string;
    string.moveTo(c.x(), c.y() + r * 1.2);
    string.cubicTo(c.x() - r * 0.4, c.y() + r * 1.8, c.x() + r * 0.4, c.y() + r * 2.2, c.x(),
                   c.y() + r * 2.8);
    p.setBrush(Qt::NoBrush);
    p.drawPath(string);
    QRadialGradient gradient(c + QPointF(-r * 0.35, -r * 0.4), r * 1.4);
    gradient.setColorAt(0, colour.lighter(160));
    gradient.setColorAt(0.5, colour);
    gradient.setColorAt(1, colour.darker(130));
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawEllipse(QRectF(c.x() - r, c.y() - r * 1.2, 2 * r, 2.4 * r));
    QPainterPath knot;
    knot.moveTo(c.x(), c.y() + r * 1.15);
    knot.lineTo(c.x() - r * 0.18, c.y() + r * 1.38);
    knot.lineTo(c.x() + r * 0.18, c.y() + r * 1.38);
    knot.closeSubpath();
    p.setBrush(colour.darker(120));
    p.drawPath(knot);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(c + QPointF(-r * 0.45, -r * 0.55), r * 0.18, r * 0.3);
    p.restore();
}

void lantern(QPainter& p, QPointF top, qreal s) {
    p.save();
    p.setPen(QPen(QColor(150, 100, 20), 1.2));
    p.drawLine(top, top + QPointF(0, s * 0.35));
    const QPointF c = top + QPointF(0, s * 0.35 + s * 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 180, 40));
    p.drawRect(QRectF(c.x() - s * 0.28, c.y() - s * 0.56, s * 0.56, s * 0.12));
    p.drawRect(QRectF(c.x() - s * 0.28, c.y() + s * 0.44, s * 0.56, s * 0.12));
    QRadialGradient gradient(c + QPointF(-s * 0.1, -s * 0.1), s * 0.7);
    gradient.setColorAt(0, QColor(255, 110, 80));
    gradient.setColorAt(1, QColor(190, 10, 20));
    p.setBrush(gradient);
    p.drawEllipse(c, s * 0.55, s * 0.46);
    p.setPen(QPen(QColor(240, 190, 60, 200), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, s * 0.22, s * 0.46);
    p.drawLine(c + QPointF(0, -s * 0.46), c + QPointF(0, s * 0.46));
    p.setPen(QPen(QColor(230, 180, 40), 1.1));
    for (int i = -2; i <= 2; ++i)
        p.drawLine(c + QPointF(i * s * 0.06, s * 0.56), c + QPointF(i * s * 0.06, s * 0.85));
    p.restore();
}

void cloud(QPainter& p, QPointF c, qreal w, const QColor& colour) {
    QPainterPath path;
    path.addEllipse(c + QPointF(-w * 0.28, w * 0.02), w * 0.24, w * 0.17);
    path.addEllipse(c + QPointF(0, -w * 0.08), w * 0.26, w * 0.24);
    path.addEllipse(c + QPointF(w * 0.28, w * 0.03), w * 0.22, w * 0.16);
    path.addRoundedRect(QRectF(c.x() - w * 0.48, c.y(), w * 0.96, w * 0.18), w * 0.09, w * 0.09);
    p.save();
    p.setPen(QPen(colour.darker(112), 1.0));
    p.setBrush(colour);
    p.drawPath(path.simplified());
    p.restore();
}

void pawPrint(QPainter& p, QPointF c, qreal s, qreal angle, const QColor& colour) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(0, s * 0.2), s * 0.36, s * 0.3);
    p.drawEllipse(QPointF(-s * 0.38, -s * 0.18), s * 0.13, s * 0.17);
    p.drawEllipse(QPointF(-s * 0.13, -s * 0.38), s * 0.13, s * 0.17);
    p.drawEllipse(QPointF(s * 0.13, -s * 0.38), s * 0.13, s * 0.17);
    p.drawEllipse(QPointF(s * 0.38, -s * 0.18), s * 0.13, s * 0.17);
    p.restore();
}

void sparkle(QPainter& p, QPointF c, qreal r, const QColor& colour) {
    p.fillPath(star(c, r, r * 0.22, 4), colour);
}

void lollipop(QPainter& p, QPointF c, qreal r, qreal angle, const QColor& a, const QColor& b) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    p.setPen(QPen(QColor(250, 250, 245), r * 0.28, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, r * 0.8), QPointF(0, r * 2.6));
    p.setPen(Qt::NoPen);
    p.setBrush(a);
    p.drawEllipse(QPointF(0, 0), r, r);
    p.setPen(QPen(b, r * 0.22, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath spiral;
    for (int i = 0; i <= 60; ++i) {
        const qreal t = i / 60.0;
        const qreal radius = r * 0.85 * t;
        const qreal phi = t * 4.2 * kPi;
        const QPointF q(radius * std::cos(phi), radius * std::sin(phi));
        if (i == 0)
            spiral.moveTo(q);
        else
            spiral.lineTo(q);
    }
    p.drawPath(spiral);
    p.restore();
}

void maple(QPainter& p, QPointF c, qreal r, qreal angle, const QColor& colour) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    QPainterPath path;
    const int lobes = 5;
    for (int i = 0; i <= lobes * 4; ++i) {
        const qreal a = -kPi / 2 + i * 2 * kPi / (lobes * 4);
        const int phase = i % 4;
        const qreal radius = phase == 0 ? r : (phase == 2 ? r * 0.42 : r * 0.7);
        const QPointF q(radius * std::cos(a),
                        radius * std::sin(a) * (a > kPi * 0.3 && a < kPi * 0.7 ? 0.4 : 1.0));
        if (i == 0)
            path.moveTo(q);
        else
            path.lineTo(q);
    }
    path.closeSubpath();
    p.setPen(QPen(colour.darker(130), 0.8));
    p.setBrush(colour);
    p.drawPath(path);
    p.drawLine(QPointF(0, 0), QPointF(0, r * 1.1));
    p.restore();
}

void caption(QPainter& p, const QRectF& box, const QString& text, qreal pixelSize,
             const QBrush& fill, const QColor& outline, int flags) {
    const QFont font = cjkFont(pixelSize);
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(text);
    qreal x = box.left() + (box.width() - width) / 2;
    if (flags & Qt::AlignLeft)
        x = box.left();
    else if (flags & Qt::AlignRight)
        x = box.right() - width;
    const qreal y = box.top() + (box.height() + metrics.ascent() - metrics.descent()) / 2;
    QPainterPath path;
    path.addText(QPointF(x, y), font, text);
    p.save();
    p.setPen(QPen(outline, pixelSize / 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

void banner(QPainter& p, const QRectF& box, const QColor& colour, const QString& text,
            qreal pixelSize) {
    p.save();
    const qreal fold = box.height() * 0.5;
    const QColor dark = colour.darker(140);
    for (int side : {-1, 1}) {
        QPainterPath tail;
        const qreal x0 = side < 0 ? box.left() : box.right();
        tail.moveTo(x0 - side * fold * 0.2, box.top() + fold * 0.5);
        tail.lineTo(x0 + side * fold * 1.3, box.top() + fold * 0.5);
        tail.lineTo(x0 + side * fold * 0.8, box.center().y() + fold * 0.5);
        tail.lineTo(x0 + side * fold * 1.3, box.bottom() + fold * 0.5);
        tail.lineTo(x0 - side * fold * 0.2, box.bottom() + fold * 0.5);
        tail.closeSubpath();
        p.fillPath(tail, dark);
    }
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0, colour.lighter(125));
    gradient.setColorAt(1, colour);
    QPainterPath body;
    body.addRoundedRect(box, 3, 3);
    p.fillPath(body, gradient);
    p.setPen(QPen(QColor(255, 255, 255, 160), 0.8, Qt::DashLine));
    p.drawRoundedRect(box.adjusted(2, 2, -2, -2), 2, 2);
    p.restore();
    caption(p, box, text, pixelSize, Qt::white, dark);
}

void confetti(QPainter& p, std::mt19937& random, const QRectF& opening, int count,
              const QList<QColor>& colours) {
    std::uniform_real_distribution<qreal> x(0, kWidth), y(0, kHeight), size(1.5, 3.5);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(colours.size()) - 1);
    std::uniform_int_distribution<int> shape(0, 2);
    int placed = 0;
    for (int tries = 0; placed < count && tries < count * 50; ++tries) {
        const QPointF c(x(random), y(random));
        if (opening.adjusted(-4, -4, 4, 4).contains(c))
            continue;
        const QColor colour = colours[pick(random)];
        const qreal s = size(random);
        switch (shape(random)) {
        case 0:
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawEllipse(c, s, s);
            break;
        case 1:
            p.fillPath(star(c, s * 1.6, s * 0.7), colour);
            break;
        default:
            p.fillRect(QRectF(c.x() - s, c.y() - s * 0.4, s * 2, s * 0.8), colour);
            break;
        }
        ++placed;
    }
}

} // namespace borders::ornament
