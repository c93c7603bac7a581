#include "ButtonArt.h"

#include "Canvas.h"
#include "Palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace artwork::buttons {
namespace {

QPen glyphPen(QColor colour, double width) {
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void paintCamera(QPainter& p, QPointF c, double scale, QColor body, QColor lens) {
    // A compact camera: body with a hump, a big lens and a flash dot.
    p.save();
    p.translate(c);
    p.scale(scale, scale);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(-20, -11, 40, 27), 6, 6);
    shape.addRoundedRect(QRectF(-8, -16, 16, 8), 3, 3);
    shape.setFillRule(Qt::WindingFill);
    p.fillPath(shape.simplified(), body);
    p.setPen(Qt::NoPen);
    p.setBrush(lens);
    p.drawEllipse(QPointF(0, 2.5), 10, 10);
    p.setBrush(body);
    p.drawEllipse(QPointF(0, 2.5), 7, 7);
    p.setBrush(lens);
    p.drawEllipse(QPointF(0, 2.5), 4.2, 4.2);
    p.setBrush(body);
    p.drawEllipse(QPointF(-1.6, 0.9), 1.4, 1.4);
    p.setBrush(lens);
    p.drawEllipse(QPointF(14, -5.5), 2, 2);
    p.restore();
}

} // namespace

QImage windowButton(WindowGlyph glyph, bool over) {
    QImage image = blankCanvas(QSize(19, 19));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath base = roundedRect(QRectF(0.5, 0.5, 18, 18), 5);
    QColor top(255, 255, 255, 70);
    QColor bottom(255, 255, 255, 34);
    QColor edge(255, 255, 255, 120);
    if (over && glyph == WindowGlyph::Quit) {
        top = QColor(0xf2, 0x6b, 0x5e);
        bottom = QColor(0xd6, 0x38, 0x2c);
        edge = QColor(255, 255, 255, 170);
    } else if (over) {
        top = QColor(255, 255, 255, 130);
        bottom = QColor(255, 255, 255, 80);
        edge = QColor(255, 255, 255, 210);
    }
    QLinearGradient fill(0, 0, 0, 19);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.fillPath(base, fill);
    p.setPen(QPen(edge, 1));
    p.drawPath(base);

    p.setPen(glyphPen(Qt::white, 2));
    switch (glyph) {
    case WindowGlyph::Quit:
        p.drawLine(QPointF(6, 6), QPointF(13, 13));
        p.drawLine(QPointF(13, 6), QPointF(6, 13));
        break;
    case WindowGlyph::Minimise:
        p.drawLine(QPointF(5.5, 12.5), QPointF(13.5, 12.5));
        break;
    case WindowGlyph::Help: {
        QPainterPath q;
        q.moveTo(6.8, 7.2);
        q.cubicTo(6.8, 4.2, 12.4, 4.0, 12.4, 7.2);
        q.cubicTo(12.4, 9.2, 9.6, 9.4, 9.6, 11.4);
        p.setBrush(Qt::NoBrush);
        p.drawPath(q);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(9.6, 14.3), 1.25, 1.25);
        break;
    }
    }
    return image;
}

QImage shutter(ShutterState state) {
    QImage image = blankCanvas(QSize(100, 100));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const bool down = state == ShutterState::Down;
    const bool over = state == ShutterState::Over;
    const QPointF c(50, down ? 49 : 48);

    if (over) {
        QRadialGradient glow(c, 50);
        glow.setColorAt(0.80, QColor(0xff, 0x9a, 0x4d, 120));
        glow.setColorAt(1.0, QColor(0xff, 0x9a, 0x4d, 0));
        p.fillRect(image.rect(), glow);
    }
    paintShadow(p, circle(c, 44), QColor(0x12, 0x2c, 0x4d, down ? 70 : 110), down ? 2 : 3,
                QPointF(0, down ? 1 : 2.5));

    // Outer white ring.
    QLinearGradient ring(0, c.y() - 44, 0, c.y() + 44);
    ring.setColorAt(0, Qt::white);
    ring.setColorAt(1, QColor(0xdd, 0xe6, 0xf1));
    p.fillPath(circle(c, 44), ring);
    p.setPen(QPen(QColor(0xb9, 0xc8, 0xda), 1));
    p.drawPath(circle(c, 43.5));

    // The orange face.
    QColor light = palette::accentLight();
    QColor mid = palette::accent();
    QColor dark = palette::accentDark();
    if (over) {
        light = QColor(0xff, 0xc6, 0x96);
        mid = QColor(0xff, 0x9c, 0x55);
        dark = QColor(0xf5, 0x76, 0x26);
    } else if (down) {
        light = QColor(0xf6, 0x8e, 0x48);
        mid = QColor(0xe8, 0x6c, 0x22);
        dark = QColor(0xc9, 0x55, 0x10);
    }
    QRadialGradient face(c + QPointF(-12, -14), 52);
    face.setColorAt(0, light);
    face.setColorAt(0.55, mid);
    face.setColorAt(1, dark);
    const QPainterPath facePath = circle(c, 36);
    p.fillPath(facePath, face);
    if (down)
        paintInsetShadow(p, facePath, QColor(0x5a, 0x22, 0x00, 120), 3, QPointF(0, 2));
    p.setPen(QPen(dark.darker(115), 1));
    p.drawPath(circle(c, 36));

    // Glassy highlight across the top of the face.
    if (!down) {
        QPainterPath gloss;
        gloss.addEllipse(QRectF(c.x() - 27, c.y() - 33, 54, 30));
        QLinearGradient g(0, c.y() - 33, 0, c.y() - 3);
        g.setColorAt(0, QColor(255, 255, 255, over ? 120 : 95));
        g.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillPath(gloss.intersected(facePath), g);
    }

    paintCamera(p, c + QPointF(0, 1.5), 1.12, Qt::white, down ? mid : dark);
    return image;
}

QImage cardIcon(CardAction action) {
    QImage image = blankCanvas(QSize(50, 50));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(25, 24);
    const QPainterPath disc = circle(c, 19);
    // A dark halo and a drop shadow keep the white disc apart from a bright photo.
    paintShadow(p, disc, QColor(0, 0, 0, 150), 2, QPointF(0, 1.5));
    QLinearGradient fill(0, 5, 0, 43);
    fill.setColorAt(0, Qt::white);
    fill.setColorAt(1, QColor(0xe6, 0xed, 0xf6));
    p.fillPath(disc, fill);
    p.setPen(QPen(QColor(0x9f, 0xb2, 0xc8), 1));
    p.drawPath(circle(c, 18.5));

    p.translate(c);
    switch (action) {
    case CardAction::Delete: {
        const QColor red = palette::danger();
        p.setPen(glyphPen(red, 2));
        p.drawLine(QPointF(-8.5, -6.5), QPointF(8.5, -6.5)); // lid
        p.drawLine(QPointF(-2.5, -9), QPointF(2.5, -9));     // handle
        QPainterPath can;
        can.moveTo(-6.5, -4);
        can.lineTo(-5.5, 9);
        can.quadTo(-5.3, 10, -4.3, 10);
        can.lineTo(4.3, 10);
        can.quadTo(5.3, 10, 5.5, 9);
        can.lineTo(6.5, -4);
        p.setBrush(QColor(0xfd, 0xe4, 0xe1));
        p.drawPath(can);
        p.setPen(glyphPen(red, 1.6));
        for (double x : {-2.6, 0.0, 2.6})
            p.drawLine(QPointF(x, -1), QPointF(x * 0.92, 7));
        break;
    }
    case CardAction::Print: {
        const QColor blue = palette::bandBottom();
        p.setPen(glyphPen(blue, 1.8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(-5.5, -10, 11, 6)); // paper in
        p.setBrush(QColor(0xd8, 0xe8, 0xfa));
        p.drawRoundedRect(QRectF(-10, -4.5, 20, 10.5), 2.5, 2.5); // body
        p.setBrush(Qt::white);
        p.drawRect(QRectF(-5.5, 2.5, 11, 8)); // paper out
        p.setPen(glyphPen(blue, 1.2));
        p.drawLine(QPointF(-3, 5.5), QPointF(3, 5.5));
        p.drawLine(QPointF(-3, 8), QPointF(1.5, 8));
        p.setPen(Qt::NoPen);
        p.setBrush(palette::accent());
        p.drawEllipse(QPointF(6.5, -1.5), 1.3, 1.3);
        break;
    }
    case CardAction::Save: {
        const QColor green = palette::safe();
        p.setPen(glyphPen(green, 2.2));
        p.drawLine(QPointF(0, -10), QPointF(0, 3));
        p.drawLine(QPointF(-5, -2), QPointF(0, 3.5));
        p.drawLine(QPointF(5, -2), QPointF(0, 3.5));
        QPainterPath tray;
        tray.moveTo(-9, 3);
        tray.lineTo(-9, 8.5);
        tray.quadTo(-9, 10, -7.5, 10);
        tray.lineTo(7.5, 10);
        tray.quadTo(9, 10, 9, 8.5);
        tray.lineTo(9, 3);
        p.setBrush(Qt::NoBrush);
        p.drawPath(tray);
        break;
    }
    }
    return image;
}

QImage textButton(bool over) {
    QImage image = blankCanvas(QSize(90, 24));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, 89, 22);
    const QPainterPath shape = roundedRect(r, palette::kRadiusSmall);
    p.fillPath(shape.translated(0, 1), QColor(0x12, 0x2c, 0x4d, 50)); // 1 px drop
    QLinearGradient fill(0, 0, 0, 23);
    if (over) {
        fill.setColorAt(0, Qt::white);
        fill.setColorAt(1, QColor(0xd9, 0xea, 0xfd));
    } else {
        fill.setColorAt(0, Qt::white);
        fill.setColorAt(1, QColor(0xe7, 0xee, 0xf7));
    }
    p.fillPath(shape, fill);
    p.setPen(QPen(over ? palette::bandTop() : QColor(0xb3, 0xc4, 0xd8), 1));
    p.drawPath(shape);
    p.setPen(QPen(QColor(255, 255, 255, 220), 1));
    p.drawLine(QPointF(6, 1.5), QPointF(84, 1.5));
    return image;
}

} // namespace artwork::buttons
