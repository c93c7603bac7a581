#include "WindowArt.h"

#include "Canvas.h"
#include "Palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace artwork::window {
namespace {

void paintBody(QPainter& p) {
    p.fillRect(QRect(0, 0, 800, 600), palette::body());
    // Two very soft pools of light keep the large surface from looking flat.
    for (const auto& [centre, radius] :
         {std::pair{QPointF(150, 170), 420.0}, std::pair{QPointF(690, 480), 360.0}}) {
        QRadialGradient glow(centre, radius);
        glow.setColorAt(0, QColor(255, 255, 255, 150));
        glow.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(QRect(0, kRibbonBottom, 800, kFooterTop - kRibbonBottom), glow);
    }
    // A quiet dot lattice, offset every other row.
    p.setPen(Qt::NoPen);
    for (int y = kRibbonBottom + 9, row = 0; y < kFooterTop - 4; y += 12, ++row) {
        for (int x = (row % 2) ? 12 : 6; x < 800; x += 12) {
            QColor dot = palette::bodyDots();
            dot.setAlpha(170);
            p.setBrush(dot);
            p.drawEllipse(QPointF(x, y), 1.1, 1.1);
        }
    }
}

void paintTitleBand(QPainter& p) {
    const QRectF band(0, 0, 800, kBandBottom);
    QLinearGradient fill(0, 0, 0, kBandBottom);
    fill.setColorAt(0, palette::bandTop());
    fill.setColorAt(1, palette::bandBottom());
    p.fillRect(band, fill);

    // A glossy sheen on the upper half.
    QLinearGradient sheen(0, 0, 0, kBandBottom * 0.55);
    sheen.setColorAt(0, QColor(255, 255, 255, 46));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(0, 0, 800, kBandBottom * 0.55), sheen);

    // Soft bubbles only in the free stretch between the tabs and the hints.
    p.save();
    p.setClipRect(QRectF(420, 0, 120, kBandBottom));
    p.setPen(Qt::NoPen);
    const struct {
        double x, y, r;
        int a;
    } bubbles[] = {{438, 28, 16, 22}, {470, 6, 11, 26}, {498, 24, 20, 16},
                   {526, 9, 8, 30},   {455, 12, 5, 40}, {512, 30, 4, 44}};
    for (const auto& b : bubbles) {
        QRadialGradient g(QPointF(b.x, b.y), b.r);
        g.setColorAt(0, QColor(255, 255, 255, b.a));
        g.setColorAt(0.8, QColor(255, 255, 255, b.a / 2));
        g.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(g);
        p.drawEllipse(QPointF(b.x, b.y), b.r, b.r);
    }
    p.restore();

    // A crisp darker edge where the band meets the ribbon.
    p.fillRect(QRectF(0, kBandBottom - 1, 800, 1), QColor(0x27, 0x63, 0xb0));
}

void paintRibbon(QPainter& p) {
    QLinearGradient fill(0, kBandBottom, 0, kRibbonBottom);
    fill.setColorAt(0, QColor(0xff, 0xff, 0xff));
    fill.setColorAt(1, QColor(0xf6, 0xfa, 0xff));
    p.fillRect(QRectF(0, kBandBottom, 800, kRibbonBottom - kBandBottom), fill);
    p.fillRect(QRectF(0, kRibbonBottom - 1, 800, 1), QColor(0xd3, 0xe1, 0xf1));
    QLinearGradient shade(0, kRibbonBottom, 0, kRibbonBottom + 6);
    shade.setColorAt(0, QColor(0x2f, 0x74, 0xc8, 26));
    shade.setColorAt(1, QColor(0x2f, 0x74, 0xc8, 0));
    p.fillRect(QRectF(0, kRibbonBottom, 800, 6), shade);
}

void paintFooter(QPainter& p) {
    const QRectF footer(0, kFooterTop, 800, 600 - kFooterTop);
    QLinearGradient fill(0, kFooterTop, 0, 600);
    fill.setColorAt(0, QColor(0xe8, 0xf0, 0xfa));
    fill.setColorAt(1, QColor(0xdc, 0xe7, 0xf4));
    p.fillRect(footer, fill);
    p.fillRect(QRectF(0, kFooterTop, 800, 1), QColor(0xcb, 0xd9, 0xea));
    p.fillRect(QRectF(0, kFooterTop + 1, 800, 1), QColor(255, 255, 255, 200));
}

} // namespace

QImage background() {
    QImage image(800, 600, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintBody(p);
    paintRibbon(p);
    paintTitleBand(p);
    paintFooter(p);
    return image;
}

QImage capturePanel() {
    // Stage y = panel y + 161. The upper deck carries the page's white texts and
    // buttons; the well below is left open so the border browser (which lies
    // beneath the panel) shows through.
    QImage image = blankCanvas(QSize(800, 439));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF cardRect(4.5, 2.5, 791, 399);
    const QPainterPath card = roundedRect(cardRect, palette::kRadiusCard);
    paintShadow(p, card, QColor(0x12, 0x2c, 0x4d, 70), 3, QPointF(0, 1.5));
    p.fillPath(card, Qt::white);
    p.setPen(QPen(palette::panelBorder(), 1));
    p.drawPath(card);

    const QRectF deckRect(10.5, 8.5, 779, 168);
    const QPainterPath deck = roundedRect(deckRect, palette::kRadiusInner);
    QLinearGradient deckFill(0, deckRect.top(), 0, deckRect.bottom());
    deckFill.setColorAt(0, palette::deckTop());
    deckFill.setColorAt(1, palette::deckBottom());
    p.fillPath(deck, deckFill);
    p.save();
    p.setClipPath(deck);
    QRadialGradient light(QPointF(140, 0), 380);
    light.setColorAt(0, QColor(255, 255, 255, 46));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(deckRect, light);
    // Faint diagonal stripes, the same rhythm as the body's dots.
    p.setPen(QPen(QColor(255, 255, 255, 10), 5));
    for (int x = -200; x < 820; x += 24)
        p.drawLine(QPointF(x, deckRect.bottom()), QPointF(x + 170, deckRect.top()));
    p.restore();
    paintInsetShadow(p, deck, QColor(0x0b, 0x2a, 0x55, 90), 2, QPointF(0, 1));
    p.setPen(QPen(QColor(0x2f, 0x6c, 0xbd), 1));
    p.drawPath(deck);

    const QRectF wellRect(10.5, 180.5, 779, 218);
    const QPainterPath well = roundedRect(wellRect, palette::kRadiusInner);
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.fillPath(well, Qt::transparent);
    p.restore();
    paintInsetShadow(p, well, QColor(0x12, 0x2c, 0x4d, 60), 2, QPointF(0, 1));
    p.setPen(QPen(QColor(0xc4, 0xd4, 0xe6), 1));
    p.drawPath(well);
    return image;
}

QImage tabHighlight() {
    QImage image = blankCanvas(QSize(120, 30));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Rounded on top, square at the bottom where it runs into the white ribbon.
    const double r = palette::kRadiusInner;
    QPainterPath tab;
    tab.moveTo(0.5, 30);
    tab.lineTo(0.5, 1 + r);
    tab.quadTo(0.5, 1, 0.5 + r, 1);
    tab.lineTo(119.5 - r, 1);
    tab.quadTo(119.5, 1, 119.5, 1 + r);
    tab.lineTo(119.5, 30);
    tab.closeSubpath();
    QLinearGradient fill(0, 0, 0, 30);
    fill.setColorAt(0, QColor(0xf3, 0xf8, 0xff));
    fill.setColorAt(0.6, Qt::white);
    fill.setColorAt(1, Qt::white);
    p.fillPath(tab, fill);
    p.save();
    p.setClipPath(tab);
    p.fillRect(QRectF(0, 0, 120, 3.5), palette::accent());
    p.restore();
    return image;
}

} // namespace artwork::window
