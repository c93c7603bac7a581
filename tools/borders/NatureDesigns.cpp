#include "Designs.h"
#include "Ornaments.h"

#include <QLinearGradient>
#include <cmath>
#include <random>

namespace borders {

using namespace ornament;

namespace {

void vines(QPainter& p) {
    const QRectF hole(24, 24, 192, 132);
    fillBand(p, hole, 14, QColor(235, 248, 225, 225));
    std::mt19937 random(51);
    std::uniform_real_distribution<qreal> length(8, 13), wobble(-20, 20);
    const QColor green(90, 170, 70);
    p.setPen(QPen(QColor(110, 140, 60), 1.6));
    p.setBrush(Qt::NoBrush);
    QPainterPath stem;
    stem.moveTo(4, 176);
    stem.cubicTo(20, 120, 0, 60, 16, 16);
    stem.cubicTo(60, 4, 120, 20, 236, 8);
    p.drawPath(stem);
    QPainterPath stem2;
    stem2.moveTo(236, 176);
    stem2.cubicTo(220, 140, 240, 100, 226, 60);
    stem2.moveTo(236, 176);
    stem2.cubicTo(180, 166, 100, 178, 40, 168);
    p.drawPath(stem2);
    for (const QPainterPath* path : {&stem, &stem2}) {
        for (qreal t = 0.03; t < 1; t += 0.055) {
            const QPointF at = path->pointAtPercent(t);
            const qreal a = path->angleAtPercent(t);
            const int side = (static_cast<int>(t * 100) % 2) ? 1 : -1;
            leaf(p, at, length(random), -a + side * 55 + wobble(random),
                 std::fmod(t * 10, 2) < 1 ? green : green.lighter(125));
        }
    }
    flower(p, QPointF(16, 16), 9, 5, QColor(255, 250, 250), QColor(250, 200, 60));
    flower(p, QPointF(226, 164), 9, 5, QColor(255, 250, 250), QColor(250, 200, 60));
}

void daisies(QPainter& p) {
    const QRectF hole(24, 22, 192, 134);
    QLinearGradient g(0, 0, 0, kHeight);
    g.setColorAt(0, QColor(210, 240, 200, 220));
    g.setColorAt(1, QColor(140, 200, 120, 235));
    fillBand(p, hole, 20, g);
    outlineOpening(p, hole, 20, QPen(QColor(255, 255, 255, 220), 2));
    daisy(p, QPointF(20, 20), 18, 10);
    daisy(p, QPointF(42, 10), 10, 30);
    daisy(p, QPointF(8, 44), 9, 0);
    daisy(p, QPointF(220, 160), 18, 5);
    daisy(p, QPointF(196, 170), 10, 20);
    daisy(p, QPointF(232, 136), 9, 40);
    for (QPointF c : {QPointF(120, 11), QPointF(90, 170), QPointF(150, 170), QPointF(228, 40),
                      QPointF(12, 120)})
        daisy(p, c, 7, 15);
}

void sakura(QPainter& p) {
    const QRectF hole(26, 26, 188, 128);
    QLinearGradient g(0, 0, kWidth, kHeight);
    g.setColorAt(0, QColor(255, 230, 238, 230));
    g.setColorAt(1, QColor(255, 245, 248, 230));
    fillBand(p, hole, 16, g);
    p.setPen(QPen(QColor(110, 70, 60), 3.2, Qt::SolidLine, Qt::RoundCap));
    QPainterPath branch;
    branch.moveTo(0, 6);
    branch.cubicTo(40, 14, 80, 4, 130, 12);
    branch.moveTo(60, 9);
    branch.cubicTo(70, 22, 66, 30, 76, 34);
    p.setBrush(Qt::NoBrush);
    p.drawPath(branch);
    std::mt19937 random(61);
    std::uniform_real_distribution<qreal> turn(0, 72);
    for (qreal t : {0.05, 0.18, 0.3, 0.45, 0.58, 0.7, 0.85, 0.97})
        flower(p, branch.pointAtPercent(t), 11, 5, QColor(255, 183, 205), QColor(230, 90, 120),
               turn(random));
    std::uniform_real_distribution<qreal> x(0, kWidth), y(0, kHeight), r(2.5, 4.5);
    for (int placed = 0, tries = 0; placed < 26 && tries < 1000; ++tries) {
        const QPointF c(x(random), y(random));
        if (hole.adjusted(-2, -2, 2, 2).contains(c) || c.y() < 26)
            continue;
        p.save();
        p.translate(c);
        p.rotate(turn(random) * 5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 160, 190, 220));
        p.drawEllipse(QPointF(0, 0), r(random), r(random) * 0.6);
        p.restore();
        ++placed;
    }
    outlineOpening(p, hole, 16, QPen(QColor(240, 150, 180), 1.5));
}

void sky(QPainter& p) {
    const QRectF hole(24, 26, 192, 126);
    QLinearGradient g(0, 0, 0, kHeight);
    g.setColorAt(0, QColor(90, 170, 240, 230));
    g.setColorAt(1, QColor(190, 230, 255, 230));
    fillBand(p, hole, 12, g);
    cloud(p, QPointF(30, 16), 54, QColor(255, 255, 255, 240));
    cloud(p, QPointF(150, 12), 44, QColor(255, 255, 255, 230));
    cloud(p, QPointF(214, 166), 56, QColor(255, 255, 255, 240));
    cloud(p, QPointF(60, 170), 40, QColor(255, 255, 255, 220));
    p.setPen(QPen(QColor(50, 60, 90), 1.3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (QPointF c : {QPointF(200, 12), QPointF(212, 20), QPointF(190, 22), QPointF(12, 100)}) {
        QPainterPath bird;
        bird.moveTo(c + QPointF(-5, 0));
        bird.quadTo(c + QPointF(-2.5, -3), c);
        bird.quadTo(c + QPointF(2.5, -3), c + QPointF(5, 0));
        p.drawPath(bird);
    }
    QRadialGradient sun(QPointF(226, 90), 14);
    sun.setColorAt(0, QColor(255, 245, 170));
    sun.setColorAt(1, QColor(255, 200, 60, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(226, 90), 14, 14);
}

void lace(QPainter& p) {
    const QRectF hole(26, 26, 188, 128);
    fillBand(p, hole, 10, QColor(190, 235, 215, 235));
    QPainterPath opening;
    opening.addRoundedRect(hole, 10, 10);
    p.fillPath(scallops(hole, 7).subtracted(opening), QColor(255, 255, 255, 240));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 235, 215, 255));
    const qreal step = 7 * 1.8;
    for (qreal x = hole.left() + 7; x <= hole.right() - 6.9; x += step) {
        p.drawEllipse(QPointF(x, hole.top() - 3.5), 1.6, 1.6);
        p.drawEllipse(QPointF(x, hole.bottom() + 3.5), 1.6, 1.6);
    }
    QPainterPath outerLace = scallops(QRectF(6, 6, 228, 168), 5);
    QPainterPath frame;
    frame.addRect(0, 0, kWidth, kHeight);
    p.fillPath(outerLace.intersected(frame), QColor(255, 255, 255, 200));
    for (QPointF c : {QPointF(14, 14), QPointF(226, 14), QPointF(14, 166), QPointF(226, 166)})
        flower(p, c, 12, 6, QColor(255, 255, 255), QColor(140, 200, 170));
}

void meadow(QPainter& p) {
    const QRectF hole(22, 20, 196, 130);
    QLinearGradient g(0, 0, 0, kHeight);
    g.setColorAt(0, QColor(225, 245, 255, 220));
    g.setColorAt(0.75, QColor(200, 240, 190, 230));
    g.setColorAt(1, QColor(120, 190, 90, 240));
    fillBand(p, hole, 10, g);
    std::mt19937 random(71);
    std::uniform_real_distribution<qreal> height(10, 30), lean(-5, 5);
    for (qreal x = 0; x <= kWidth; x += 3.5) {
        const qreal h = height(random);
        QPainterPath blade;
        blade.moveTo(x - 2, kHeight);
        blade.quadTo(x, kHeight - h * 0.6, x + lean(random), kHeight - h);
        blade.quadTo(x + 0.5, kHeight - h * 0.5, x + 2, kHeight);
        p.fillPath(blade, QColor(70 + static_cast<int>(h * 2), 160, 60));
    }
    const QList<QColor> colours = {QColor(255, 90, 110), QColor(255, 200, 50),
                                   QColor(180, 120, 240), QColor(255, 255, 255)};
    int k = 0;
    for (qreal x = 12; x < kWidth; x += 26, ++k)
        flower(p, QPointF(x, 162 + (k % 2) * 6), 6, 5, colours[k % colours.size()],
               QColor(250, 210, 60));
    for (QPointF c : {QPointF(20, 26), QPointF(214, 14)}) {
        p.save();
        p.translate(c);
        for (int side : {-1, 1}) {
            p.setPen(QPen(QColor(80, 50, 90), 0.8));
            p.setBrush(QColor(255, 170, 60, 230));
            p.drawEllipse(QPointF(side * 6, -3), 6, 5);
            p.setBrush(QColor(255, 120, 80, 230));
            p.drawEllipse(QPointF(side * 4.5, 4), 4, 3.5);
        }
        p.setPen(QPen(QColor(60, 40, 60), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, -5), QPointF(0, 6));
        p.restore();
    }
}

void ocean(QPainter& p) {
    const QRectF hole(24, 22, 192, 128);
    QLinearGradient g(0, 0, 0, kHeight);
    g.setColorAt(0, QColor(210, 245, 250, 220));
    g.setColorAt(1, QColor(120, 210, 230, 230));
    fillBand(p, hole, 14, g);
    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath wave;
        const qreal base = 150 + layer * 10;
        wave.moveTo(0, kHeight);
        wave.lineTo(0, base);
        for (qreal x = 0; x < kWidth; x += 30) {
            wave.quadTo(x + 7.5, base - 7 + layer, x + 15, base);
            wave.quadTo(x + 22.5, base + 7 - layer, x + 30, base);
        }
        wave.lineTo(kWidth, kHeight);
        wave.closeSubpath();
        p.fillPath(wave,
                   QColor(40 + layer * 20, 140 + layer * 25, 210 - layer * 10, 200 + layer * 15));
    }
    std::mt19937 random(81);
    std::uniform_real_distribution<qreal> r(2, 6);
    for (QPointF c : {QPointF(12, 130), QPointF(16, 110), QPointF(10, 92), QPointF(228, 120),
                      QPointF(224, 100), QPointF(230, 78), QPointF(14, 60)})
        bubble(p, c, r(random), QColor(255, 255, 255));
    p.fillPath(star(QPointF(22, 16), 10, 5, 5, 0.2), QColor(255, 140, 90));
    p.fillPath(star(QPointF(218, 14), 8, 4, 5, -0.3), QColor(255, 190, 90));
    caption(p, QRectF(0, 1, kWidth, 20), QStringLiteral("清凉一夏"), 14, QColor(30, 130, 190),
            Qt::white);
}

void autumn(QPainter& p) {
    const QRectF hole(26, 24, 188, 130);
    QLinearGradient g(0, 0, kWidth, kHeight);
    g.setColorAt(0, QColor(255, 235, 200, 230));
    g.setColorAt(1, QColor(250, 210, 160, 235));
    fillBand(p, hole, 12, g);
    std::mt19937 random(91);
    std::uniform_real_distribution<qreal> x(0, kWidth), y(0, kHeight), angle(-60, 60), r(6, 11);
    const QList<QColor> colours = {QColor(220, 70, 30), QColor(240, 140, 30), QColor(200, 40, 40),
                                   QColor(230, 180, 40)};
    int k = 0;
    for (int placed = 0, tries = 0; placed < 24 && tries < 2000; ++tries) {
        const QPointF c(x(random), y(random));
        const qreal radius = r(random);
        if (hole.adjusted(radius * 0.3, radius * 0.3, -radius * 0.3, -radius * 0.3).contains(c))
            continue;
        maple(p, c, radius, angle(random), colours[k++ % colours.size()]);
        ++placed;
    }
    outlineOpening(p, hole, 12, QPen(QColor(190, 110, 50), 1.5));
    caption(p, QRectF(0, 156, kWidth, 24), QStringLiteral("秋日私语"), 14, QColor(190, 70, 20),
            QColor(255, 240, 220));
}

} // namespace

ClassDesign natureClass() {
    return {QStringLiteral("清新自然"),
            {{QStringLiteral("vines"), vines},
             {QStringLiteral("daisies"), daisies},
             {QStringLiteral("sakura"), sakura},
             {QStringLiteral("sky"), sky},
             {QStringLiteral("lace"), lace},
             {QStringLiteral("meadow"), meadow},
             {QStringLiteral("ocean"), ocean},
             {QStringLiteral("autumn"), autumn}}};
}

} // namespace borders
