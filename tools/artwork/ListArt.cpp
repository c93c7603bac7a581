#include "ListArt.h"

#include "Canvas.h"
#include "Palette.h"

#include <QLinearGradient>
#include <QPainter>

namespace artwork::list {

QImage area() {
    QImage image = blankCanvas({750, 213});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(0.5, 0.5, 749, 212);
    QLinearGradient fill(0, 0, 0, 213);
    fill.setColorAt(0, QColor(0xfb, 0xfd, 0xff));
    fill.setColorAt(1, palette::body());
    p.setPen(QPen(palette::panelBorder(), 1));
    p.setBrush(fill);
    p.drawRoundedRect(box, 6, 6);
    // A faint sunk edge along the top, where the rows slide in.
    paintInsetShadow(p, roundedRect(box, 6), QColor(0x12, 0x2c, 0x4d, 40), 4, {0, 2});
    return image;
}

QImage item() {
    QImage image = blankCanvas({114, 88});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame(0, 0, kFrameWidth, kFrameHeight);
    // A short, tight shadow: the pool of items is packed 10 pixels apart.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x12, 0x2c, 0x4d, 70));
    p.drawRect(frame.translated(2, 2.5));
    p.setBrush(QColor(0x12, 0x2c, 0x4d, 50));
    p.drawRect(frame.translated(1, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(frame);
    p.setPen(QPen(QColor(0xb8, 0xc9, 0xdf), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame.adjusted(0.5, 0.5, -0.5, -0.5));
    return image;
}

} // namespace artwork::list
