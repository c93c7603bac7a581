#include "Designs.h"
#include "Ornaments.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <random>

namespace borders {

using namespace ornament;

namespace {

void birthday(QPainter& p) {
    const QRectF hole(24, 34, 192, 124);
    QLinearGradient g(0, 0, kWidth, kHeight);
    g.setColorAt(0, QColor(255, 182, 213, 235));
    g.setColorAt(1, QColor(255, 214, 165, 235));
    fillBand(p, hole, 14, g);
    p.fillPath(scallops(hole, 5).subtracted([&] {
        QPainterPath h;
        h.addRoundedRect(hole, 14, 14);
        return h;
    }()),
               QColor(255, 255, 255, 230));
    std::mt19937 random(11);
    confetti(
        p, random, hole, 40,
        {QColor(255, 90, 140), QColor(255, 200, 40), QColor(80, 180, 255), QColor(120, 210, 120)});
    balloon(p, QPointF(16, 40), 11, QColor(240, 60, 90));
    balloon(p, QPointF(226, 44), 11, QColor(60, 150, 240));
    balloon(p, QPointF(212, 30), 9, QColor(250, 200, 40));
    banner(p, QRectF(62, 5, 116, 24), QColor(235, 70, 120), QStringLiteral("生日快乐"), 16);
    caption(p, QRectF(0, 160, kWidth, 20), QStringLiteral("Happy Birthday"), 11,
            QColor(230, 70, 120), Qt::white);
}

void christmas(QPainter& p) {
    const QRectF hole(22, 22, 196, 128);
    QLinearGradient g(0, 0, 0, kHeight);
    g.setColorAt(0, QColor(20, 110, 60, 240));
    g.setColorAt(1, QColor(10, 70, 40, 240));
    fillBand(p, hole, 10, g);
    outlineOpening(p, hole, 10, QPen(QColor(220, 30, 40), 3));
    outlineOpening(p, hole.adjusted(-3, -3, 3, 3), 12, QPen(QColor(250, 215, 90), 1));
    std::mt19937 random(5);
    std::uniform_real_distribution<qreal> size(3, 7);
    for (QPointF c :
         {QPointF(10, 10), QPointF(50, 11), QPointF(96, 9), QPointF(144, 12), QPointF(190, 10),
          QPointF(230, 12), QPointF(10, 60), QPointF(11, 110), QPointF(229, 70), QPointF(230, 120)})
        snowflake(p, c, size(random), QColor(255, 255, 255, 230));
    for (QPointF c : {QPointF(30, 166), QPointF(210, 166)})
        p.fillPath(star(c, 8, 3.5), QColor(255, 215, 70));
    caption(p, QRectF(0, 152, kWidth, 28), QStringLiteral("圣诞快乐"), 18, QColor(255, 235, 235),
            QColor(190, 20, 30));
}

void newYear(QPainter& p) {
    const QRectF hole(26, 40, 188, 118);
    QLinearGradient g(0, 0, 0, kHeight);
    g.setColorAt(0, QColor(200, 20, 30, 240));
    g.setColorAt(1, QColor(150, 10, 20, 240));
    fillBand(p, hole, 8, g);
    outlineOpening(p, hole.adjusted(-3, -3, 3, 3), 10, QPen(QColor(245, 200, 70), 2));
    lantern(p, QPointF(14, 0), 26);
    lantern(p, QPointF(226, 0), 26);
    caption(p, QRectF(0, 4, kWidth, 34), QStringLiteral("新年快乐"), 24, QColor(255, 215, 80),
            QColor(120, 0, 10));
    for (QPointF c : {QPointF(40, 170), QPointF(200, 170), QPointF(120, 170), QPointF(80, 168),
                      QPointF(160, 168)})
        sparkle(p, c, 5, QColor(255, 220, 110));
}

void valentine(QPainter& p) {
    const QRectF hole(26, 24, 188, 126);
    QRadialGradient g(QPointF(120, 90), 160);
    g.setColorAt(0.5, QColor(255, 120, 160, 230));
    g.setColorAt(1, QColor(220, 40, 100, 240));
    fillBand(p, hole, 30, g);
    std::mt19937 random(3);
    std::uniform_real_distribution<qreal> size(6, 12), jitter(-3, 3);
    for (qreal x = 10; x < kWidth; x += 22) {
        p.fillPath(heart(QPointF(x + jitter(random), 11), size(random)), QColor(255, 235, 240));
        p.fillPath(heart(QPointF(x + jitter(random), 166), size(random)), QColor(255, 235, 240));
    }
    for (qreal y = 36; y < 150; y += 24) {
        p.fillPath(heart(QPointF(12, y), size(random)), QColor(255, 235, 240));
        p.fillPath(heart(QPointF(228, y), size(random)), QColor(255, 235, 240));
    }
    p.fillPath(heart(QPointF(200, 140), 30), QColor(230, 20, 70));
    caption(p, QRectF(150, 128, 100, 30), QStringLiteral("我爱你"), 13, Qt::white,
            QColor(160, 0, 40));
}

void fortune(QPainter& p) {
    const QRectF hole(30, 28, 180, 124);
    fillBand(p, hole, 6, QColor(180, 15, 25, 235));
    QPen gold(QColor(240, 195, 70), 2);
    outlineOpening(p, hole.adjusted(-4, -4, 4, 4), 8, gold);
    outlineOpening(p, QRectF(4, 4, 232, 172), 6, gold);
    for (QPointF c : {QPointF(16, 16), QPointF(224, 16), QPointF(16, 164), QPointF(224, 164)}) {
        p.save();
        p.translate(c);
        p.rotate(45);
        p.fillRect(QRectF(-11, -11, 22, 22), QColor(250, 205, 70));
        p.restore();
        caption(p, QRectF(c.x() - 12, c.y() - 12, 24, 24), QStringLiteral("福"), 15,
                QColor(190, 10, 20), QColor(250, 205, 70));
    }
    caption(p, QRectF(0, 2, kWidth, 26), QStringLiteral("恭喜发财"), 18, QColor(255, 220, 90),
            QColor(110, 0, 10));
    caption(p, QRectF(0, 153, kWidth, 26), QStringLiteral("万事如意"), 15, QColor(255, 220, 90),
            QColor(110, 0, 10));
}

void midAutumn(QPainter& p) {
    const QRectF hole(24, 24, 192, 130);
    QLinearGradient g(0, 0, 0, kHeight);
    g.setColorAt(0, QColor(20, 30, 80, 240));
    g.setColorAt(1, QColor(60, 50, 120, 240));
    fillBand(p, hole, 16, g);
    QRadialGradient moon(QPointF(208, 24), 22);
    moon.setColorAt(0, QColor(255, 250, 210));
    moon.setColorAt(0.8, QColor(255, 225, 120));
    moon.setColorAt(1, QColor(255, 225, 120, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(moon);
    p.drawEllipse(QPointF(208, 24), 22, 22);
    std::mt19937 random(8);
    std::uniform_real_distribution<qreal> size(1.5, 4);
    for (QPointF c : {QPointF(14, 14), QPointF(60, 10), QPointF(100, 16), QPointF(150, 8),
                      QPointF(10, 70), QPointF(12, 130), QPointF(230, 80), QPointF(228, 140),
                      QPointF(60, 170), QPointF(180, 170)})
        sparkle(p, c, size(random) * 1.5, QColor(255, 245, 200));
    cloud(p, QPointF(40, 150), 50, QColor(200, 190, 240, 200));
    caption(p, QRectF(0, 154, kWidth, 26), QStringLiteral("中秋快乐"), 17, QColor(255, 230, 140),
            QColor(30, 20, 70));
}

void childrensDay(QPainter& p) {
    const QRectF hole(24, 26, 192, 128);
    const QList<QColor> colours = {QColor(255, 90, 90),  QColor(255, 180, 40),
                                   QColor(250, 230, 60), QColor(90, 200, 110),
                                   QColor(70, 160, 250), QColor(170, 110, 240)};
    for (int i = 0; i < 6; ++i) {
        const QRectF ring(i * 3.0, i * 3.0, kWidth - i * 6.0, kHeight - i * 6.0);
        QPainterPath outer;
        outer.addRoundedRect(ring, 12, 12);
        QPainterPath inner;
        inner.addRoundedRect(ring.adjusted(3, 3, -3, -3), 10, 10);
        QColor c = colours[i];
        c.setAlpha(230);
        p.fillPath(outer.subtracted(inner), c);
    }
    QPainterPath band = ornament::band(hole, 12);
    QPainterPath rings;
    rings.addRoundedRect(QRectF(18, 18, 204, 144), 12, 12);
    p.fillPath(band.intersected(rings), QColor(255, 255, 255, 200));
    for (int i = 0; i < 6; ++i)
        p.fillPath(star(QPointF(30 + i * 36, 168), 7, 3), colours[i]);
    balloon(p, QPointF(26, 36), 9, colours[0]);
    balloon(p, QPointF(214, 36), 9, colours[4]);
    caption(p, QRectF(0, 2, kWidth, 22), QStringLiteral("六一快乐"), 16, colours[4], Qt::white);
}

void fireworks(QPainter& p) {
    const QRectF hole(22, 22, 196, 136);
    QLinearGradient g(0, 0, 0, kHeight);
    g.setColorAt(0, QColor(15, 15, 45, 235));
    g.setColorAt(1, QColor(45, 20, 70, 235));
    fillBand(p, hole, 12, g);
    const QList<QPair<QPointF, QColor>> bursts = {{QPointF(14, 14), QColor(255, 90, 120)},
                                                  {QPointF(226, 16), QColor(120, 220, 255)},
                                                  {QPointF(14, 166), QColor(255, 220, 90)},
                                                  {QPointF(226, 164), QColor(170, 255, 140)},
                                                  {QPointF(120, 10), QColor(255, 160, 240)}};
    for (const auto& [c, colour] : bursts) {
        for (int i = 0; i < 16; ++i) {
            p.save();
            p.translate(c);
            p.rotate(i * 22.5);
            QLinearGradient ray(0, 0, 0, -16);
            QColor transparent = colour;
            transparent.setAlpha(0);
            ray.setColorAt(0, transparent);
            ray.setColorAt(1, colour);
            p.setPen(QPen(QBrush(ray), 1.4, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(0, -3), QPointF(0, -16));
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(0, -16), 0.9, 0.9);
            p.restore();
        }
    }
    outlineOpening(p, hole, 12, QPen(QColor(255, 215, 120, 200), 1.5));
    caption(p, QRectF(0, 157, kWidth, 23), QStringLiteral("节日快乐"), 16, QColor(255, 225, 130),
            QColor(60, 20, 60));
}

} // namespace

ClassDesign festiveClass() {
    return {QStringLiteral("节日祝福"),
            {{QStringLiteral("birthday"), birthday},
             {QStringLiteral("christmas"), christmas},
             {QStringLiteral("newyear"), newYear},
             {QStringLiteral("valentine"), valentine},
             {QStringLiteral("fortune"), fortune},
             {QStringLiteral("midautumn"), midAutumn},
             {QStringLiteral("childrensday"), childrensDay},
             {QStringLiteral("fireworks"), fireworks}}};
}

} // namespace borders
