#include "Designs.h"
#include "Ornaments.h"

#include <QLinearGradient>
#include <cmath>
#include <random>

namespace borders {

using namespace ornament;

namespace {

void bubbles(QPainter& p) {
    const QRectF hole(24, 22, 192, 136);
    QLinearGradient g(0, 0, 0, kHeight);
    g.setColorAt(0, QColor(150, 215, 255, 220));
    g.setColorAt(1, QColor(60, 150, 230, 235));
    fillBand(p, hole, 24, g);
    std::mt19937 random(21);
    std::uniform_real_distribution<qreal> x(0, kWidth), y(0, kHeight), r(3, 11);
    for (int placed = 0, tries = 0; placed < 34 && tries < 2000; ++tries) {
        const QPointF c(x(random), y(random));
        const qreal radius = r(random);
        if (hole.adjusted(radius * 0.6, radius * 0.6, -radius * 0.6, -radius * 0.6).contains(c))
            continue;
        bubble(p, c, radius, QColor(255, 255, 255));
        ++placed;
    }
    outlineOpening(p, hole, 24, QPen(QColor(255, 255, 255, 220), 2));
}

void candyStripes(QPainter& p) {
    const QRectF hole(22, 22, 196, 136);
    const QPainterPath b = band(hole, 18);
    p.save();
    p.setClipPath(b);
    p.fillRect(QRectF(0, 0, kWidth, kHeight), QColor(255, 250, 252, 240));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 130, 170, 235));
    for (int i = -kHeight; i < kWidth; i += 16) {
        QPolygonF stripe;
        stripe << QPointF(i, 0) << QPointF(i + 8, 0) << QPointF(i + 8 + kHeight, kHeight)
               << QPointF(i + kHeight, kHeight);
        p.drawPolygon(stripe);
    }
    p.restore();
    outlineOpening(p, hole, 18, QPen(QColor(230, 80, 130), 2.5));
    for (QPointF c : {QPointF(22, 22), QPointF(218, 22), QPointF(22, 158), QPointF(218, 158)}) {
        p.fillPath(heart(c, 20), QColor(230, 40, 100));
        p.fillPath(heart(c + QPointF(-3, -4), 6), QColor(255, 255, 255, 140));
    }
}

void starSticker(QPainter& p) {
    const QRectF hole(26, 26, 188, 128);
    fillBand(p, hole, 14, QColor(255, 248, 225, 235));
    outlineOpening(p, hole, 14, QPen(QColor(250, 190, 60), 2, Qt::DashLine));
    const QList<QColor> colours = {QColor(255, 200, 40), QColor(255, 120, 150),
                                   QColor(100, 190, 255), QColor(130, 220, 120),
                                   QColor(190, 140, 250)};
    std::mt19937 random(31);
    std::uniform_real_distribution<qreal> angle(-0.4, 0.4), size(7, 12);
    int k = 0;
    auto put = [&](QPointF c) {
        const qreal s = size(random);
        const QPainterPath shape = star(c, s, s * 0.48, 5, angle(random));
        p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(colours[k++ % colours.size()]);
        p.drawPath(shape);
    };
    for (qreal x = 13; x < kWidth; x += 27) {
        put(QPointF(x, 13));
        put(QPointF(x + 6, 167));
    }
    for (qreal y = 42; y < 150; y += 27) {
        put(QPointF(12, y));
        put(QPointF(228, y));
    }
}

void polkaDots(QPainter& p) {
    const QRectF hole(24, 30, 192, 126);
    const QPainterPath b = band(hole, 20);
    p.save();
    p.setClipPath(b);
    p.fillRect(QRectF(0, 0, kWidth, kHeight), QColor(255, 215, 70, 240));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 230));
    for (int row = 0; row * 12 < kHeight + 12; ++row) {
        for (int col = 0; col * 14 < kWidth + 14; ++col)
            p.drawEllipse(QPointF(col * 14 + (row % 2) * 7, row * 12), 3.2, 3.2);
    }
    p.restore();
    outlineOpening(p, hole, 20, QPen(QColor(240, 140, 30), 2.5));
    banner(p, QRectF(74, 4, 92, 22), QColor(255, 120, 80), QStringLiteral("好可爱"), 15);
}

void paws(QPainter& p) {
    const QRectF hole(24, 24, 192, 132);
    fillBand(p, hole, 16, QColor(250, 235, 215, 240));
    outlineOpening(p, hole, 16, QPen(QColor(170, 120, 80), 2));
    const QColor brown(150, 100, 60, 220);
    const QList<QPointF> trail = {
        QPointF(12, 150),  QPointF(14, 118),  QPointF(10, 86),   QPointF(14, 54),
        QPointF(12, 22),   QPointF(40, 11),   QPointF(72, 13),   QPointF(104, 10),
        QPointF(136, 13),  QPointF(168, 10),  QPointF(200, 13),  QPointF(228, 24),
        QPointF(226, 56),  QPointF(230, 88),  QPointF(226, 120), QPointF(228, 152),
        QPointF(196, 168), QPointF(164, 166), QPointF(132, 169), QPointF(100, 166),
        QPointF(68, 169),  QPointF(38, 167)};
    for (int i = 0; i < trail.size(); ++i) {
        const QPointF next = trail[(i + 1) % trail.size()];
        const QPointF d = next - trail[i];
        const qreal angle = std::atan2(d.y(), d.x()) * 180 / 3.14159265 + 90;
        pawPrint(p, trail[i], 11, angle, i % 2 ? brown : brown.lighter(120));
    }
}

void catEars(QPainter& p) {
    const QRectF hole(26, 40, 188, 118);
    fillBand(p, hole, 22, QColor(255, 225, 235, 235));
    for (int side : {-1, 1}) {
        const qreal cx = 120 + side * 62;
        QPainterPath ear;
        ear.moveTo(cx - 26, 44);
        ear.lineTo(cx + side * 14, 2);
        ear.lineTo(cx + 26, 44);
        ear.closeSubpath();
        p.setPen(QPen(QColor(120, 90, 100), 2));
        p.setBrush(QColor(255, 255, 255));
        p.drawPath(ear);
        QPainterPath inner;
        inner.moveTo(cx - 14, 40);
        inner.lineTo(cx + side * 10, 14);
        inner.lineTo(cx + 14, 40);
        inner.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 160, 190));
        p.drawPath(inner);
    }
    p.setPen(QPen(QColor(120, 90, 100), 1.5, Qt::SolidLine, Qt::RoundCap));
    for (int side : {-1, 1}) {
        const qreal x = side < 0 ? 22 : 218;
        for (int i = -1; i <= 1; ++i)
            p.drawLine(QPointF(x, 110 + i * 7), QPointF(x - side * 20, 106 + i * 11));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 150, 170, 170));
        p.drawEllipse(QPointF(side < 0 ? 12 : 228, 128), 8, 5);
        p.setPen(QPen(QColor(120, 90, 100), 1.5, Qt::SolidLine, Qt::RoundCap));
    }
    outlineOpening(p, hole, 22, QPen(QColor(120, 90, 100), 2));
    caption(p, QRectF(0, 158, kWidth, 22), QStringLiteral("喵～"), 15, QColor(255, 120, 160),
            Qt::white);
}

void rainbowClouds(QPainter& p) {
    const QRectF hole(26, 28, 188, 124);
    fillBand(p, hole, 18, QColor(200, 235, 255, 225));
    const QList<QColor> colours = {QColor(255, 80, 80),  QColor(255, 160, 50),
                                   QColor(255, 225, 60), QColor(90, 200, 100),
                                   QColor(70, 150, 250), QColor(150, 100, 230)};
    p.save();
    p.setClipPath(band(hole, 18));
    for (int i = 0; i < colours.size(); ++i) {
        QColor c = colours[i];
        c.setAlpha(220);
        p.setPen(QPen(c, 4.5, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        const qreal r = 150 - i * 4.5;
        p.drawEllipse(QPointF(120, 200), r * 1.05, r);
    }
    p.restore();
    cloud(p, QPointF(26, 160), 52, Qt::white);
    cloud(p, QPointF(214, 160), 52, Qt::white);
    cloud(p, QPointF(120, 170), 40, Qt::white);
    for (QPointF c : {QPointF(14, 18), QPointF(226, 18)})
        sparkle(p, c, 8, QColor(255, 220, 60));
}

void sweets(QPainter& p) {
    const QRectF hole(28, 28, 184, 124);
    QLinearGradient g(0, 0, kWidth, 0);
    g.setColorAt(0, QColor(255, 200, 225, 235));
    g.setColorAt(1, QColor(200, 230, 255, 235));
    fillBand(p, hole, 12, g);
    QPainterPath lace = scallops(hole, 6);
    QPainterPath opening;
    opening.addRoundedRect(hole, 12, 12);
    p.fillPath(lace.subtracted(opening), QColor(255, 255, 255, 235));
    lollipop(p, QPointF(18, 20), 12, -20, QColor(255, 110, 150), Qt::white);
    lollipop(p, QPointF(222, 20), 12, 20, QColor(120, 190, 255), Qt::white);
    lollipop(p, QPointF(18, 128), 10, 0, QColor(255, 200, 60), QColor(255, 120, 60));
    lollipop(p, QPointF(222, 128), 10, 0, QColor(140, 220, 130), Qt::white);
    std::mt19937 random(41);
    confetti(p, random, hole.adjusted(-10, -10, 10, 10), 26,
             {QColor(255, 120, 160), QColor(120, 180, 255), QColor(255, 210, 80)});
    caption(p, QRectF(0, 154, kWidth, 26), QStringLiteral("甜甜的"), 15, QColor(240, 90, 140),
            Qt::white);
}

} // namespace

ClassDesign cartoonClass() {
    return {QStringLiteral("可爱卡通"),
            {{QStringLiteral("bubbles"), bubbles},
             {QStringLiteral("candy"), candyStripes},
             {QStringLiteral("stars"), starSticker},
             {QStringLiteral("dots"), polkaDots},
             {QStringLiteral("paws"), paws},
             {QStringLiteral("kitty"), catEars},
             {QStringLiteral("rainbow"), rainbowClouds},
             {QStringLiteral("sweets"), sweets}}};
}

} // namespace borders
