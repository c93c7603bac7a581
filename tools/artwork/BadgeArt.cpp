#include "BadgeArt.h"

#include "Canvas.h"
#include "Palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>

namespace artwork::badge {

QImage draw(int size, bool glow) {
    QImage image = blankCanvas(QSize(size, size));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const bool tiny = size <= 24;
    // Room for a shadow below the disc, more at larger sizes.
    const double margin = tiny ? 0.5 : std::max(1.5, s * 0.05);
    const QPointF c(s / 2, s / 2 - (tiny ? 0 : s * 0.01));
    const double outer = s / 2 - margin;

    if (glow) {
        QRadialGradient g(c, s / 2);
        g.setColorAt(0.75, QColor(255, 250, 220, 170));
        g.setColorAt(1.0, QColor(255, 250, 220, 0));
        p.fillRect(image.rect(), g);
    }
    if (!tiny)
        paintShadow(p, circle(c, outer), QColor(0x0b, 0x25, 0x48, 110), std::max(1, size / 48),
                    QPointF(0, std::max(1.0, s / 64)));

    // White rim.
    QLinearGradient rim(0, c.y() - outer, 0, c.y() + outer);
    rim.setColorAt(0, Qt::white);
    rim.setColorAt(1, glow ? QColor(0xf0, 0xf6, 0xff) : QColor(0xd6, 0xe2, 0xf0));
    p.fillPath(circle(c, outer), rim);
    if (tiny) {
        p.setPen(QPen(QColor(0x2f, 0x74, 0xc8, 150), 1));
        p.drawPath(circle(c, outer - 0.5));
    }

    // The lens: deep blue with rings.
    const double lens = outer * (tiny ? 0.74 : 0.78);
    QRadialGradient glass(c + QPointF(-lens * 0.25, -lens * 0.3), lens * 1.25);
    glass.setColorAt(0, glow ? QColor(0x7c, 0xb8, 0xf5) : palette::bandTop());
    glass.setColorAt(0.6, glow ? QColor(0x3f, 0x88, 0xdc) : palette::bandBottom());
    glass.setColorAt(1, QColor(0x16, 0x3f, 0x7a));
    p.fillPath(circle(c, lens), glass);
    if (!tiny) {
        p.setPen(QPen(QColor(255, 255, 255, 70), std::max(0.8, s / 90)));
        p.drawPath(circle(c, lens * 0.72));
    }

    // The smile inside the lens: two eyes and a curve. At 16 px it is set pixel
    // by pixel, since any smoothing would blur it into a smudge.
    const double u = lens / 10;
    if (size <= 16) {
        const double o = (s - 16) / 2;
        p.setRenderHint(QPainter::Antialiasing, false);
        const QRectF pixels[] = {
            {6, 5, 1, 2}, {9, 5, 1, 2}, {5, 8, 1, 1}, {6, 9, 4, 1}, {10, 8, 1, 1}};
        for (const QRectF& px : pixels)
            p.fillRect(px.translated(o, o), Qt::white);
        p.setRenderHint(QPainter::Antialiasing, true);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(c + QPointF(-3.2 * u, -1.6 * u), 1.25 * u, 1.5 * u);
        p.drawEllipse(c + QPointF(3.2 * u, -1.6 * u), 1.25 * u, 1.5 * u);
        QPen smile(Qt::white, std::max(1.2, 1.5 * u));
        smile.setCapStyle(Qt::RoundCap);
        p.setPen(smile);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - 4.6 * u, c.y() - 3.2 * u, 9.2 * u, 8.6 * u), -25 * 16, -130 * 16);
    }

    // A glint on the glass and the orange flash dot on the rim.
    if (!tiny) {
        QPainterPath glint;
        glint.addEllipse(QRectF(c.x() - lens * 0.75, c.y() - lens * 0.85, lens * 0.8, lens * 0.5));
        QLinearGradient gg(0, c.y() - lens * 0.85, 0, c.y() - lens * 0.35);
        gg.setColorAt(0, QColor(255, 255, 255, 150));
        gg.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillPath(glint.intersected(circle(c, lens)), gg);
    }
    const double dotR = std::max(1.3, (outer - lens) * 0.42);
    const QPointF dot =
        c + QPointF(std::cos(-0.8) * (outer + lens) / 2, std::sin(-0.8) * (outer + lens) / 2);
    p.setPen(Qt::NoPen);
    p.setBrush(palette::accent());
    p.drawEllipse(dot, dotR, dotR);
    return image;
}

} // namespace artwork::badge
