#include "AboutArt.h"

#include "BadgeArt.h"
#include "Canvas.h"
#include "Palette.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>

namespace artwork::about {
namespace {

// The largest face (from 11 px down, narrowed a little before shrinking) whose
// line fits the click area with a pixel to spare on either side.
QFont addressFont(const QString& address) {
    const double room = addressHotSpot().width() - 2;
    for (int px = 11; px >= 8; --px) {
        for (int stretch = 100; stretch >= 84; stretch -= 2) {
            QFont font = uiFont(px);
            font.setUnderline(true);
            font.setStretch(stretch);
            if (QFontMetricsF(font).horizontalAdvance(address) <= room)
                return font;
        }
    }
    QFont font = uiFont(8);
    font.setUnderline(true);
    return font;
}

void paintCloud(QPainter& p, QPointF at, double scale, int alpha) {
    QPainterPath cloud;
    const struct {
        double x, y, r;
    } puffs[] = {{0, 0, 18}, {20, -8, 22}, {42, 0, 17}, {58, 6, 12}, {-14, 6, 11}};
    for (const auto& puff : puffs)
        cloud.addEllipse(QPointF(puff.x, puff.y), puff.r, puff.r);
    cloud.addRoundedRect(QRectF(-20, 2, 86, 16), 8, 8);
    cloud.setFillRule(Qt::WindingFill);
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    p.fillPath(cloud.simplified(), QColor(255, 255, 255, alpha));
    p.restore();
}

void paintStar(QPainter& p, QPointF c, double r, QColor colour) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rr = (i % 2) ? r * 0.45 : r;
        const QPointF pt = c + QPointF(std::cos(a) * rr, std::sin(a) * rr);
        i ? star.lineTo(pt) : star.moveTo(pt);
    }
    star.closeSubpath();
    p.fillPath(star, colour);
}

// A tilted instant photo with a frame and a smiling face, as the program makes them.
void paintPhoto(QPainter& p, QPointF c, double angle, QColor sky, QColor frame) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    const QRectF card(-50, -42, 100, 86);
    paintShadow(p, roundedRect(card, 4), QColor(0x0b, 0x25, 0x48, 90), 3, QPointF(2, 3));
    p.fillPath(roundedRect(card, 4), Qt::white);
    const QRectF pic(-43, -35, 86, 64);
    QLinearGradient bg(0, pic.top(), 0, pic.bottom());
    bg.setColorAt(0, sky.lighter(130));
    bg.setColorAt(1, sky);
    p.fillRect(pic, bg);
    // A face.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xdd, 0xb8));
    p.drawEllipse(QPointF(0, 2), 17, 19);
    p.setBrush(QColor(0x3a, 0x27, 0x1f));
    QPainterPath hair;
    hair.addEllipse(QRectF(-18, -20, 36, 20));
    p.drawPath(hair.subtracted([] {
        QPainterPath cut;
        cut.addEllipse(QRectF(-14, -6, 28, 30));
        return cut;
    }()));
    p.drawEllipse(QPointF(-6, 1), 1.8, 2.2);
    p.drawEllipse(QPointF(6, 1), 1.8, 2.2);
    QPen mouth(QColor(0xd9, 0x4f, 0x3f), 1.8);
    mouth.setCapStyle(Qt::RoundCap);
    p.setPen(mouth);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-6, 3, 12, 9), -20 * 16, -140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x9e, 0x9e, 150));
    p.drawEllipse(QPointF(-10, 8), 3, 2);
    p.drawEllipse(QPointF(10, 8), 3, 2);
    // The decorative border laid over the picture.
    QPen border(frame, 5);
    border.setJoinStyle(Qt::RoundJoin);
    p.setPen(border);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(pic.adjusted(2.5, 2.5, -2.5, -2.5), 6, 6);
    for (const QPointF& corner :
         {pic.topLeft() + QPointF(7, 7), pic.topRight() + QPointF(-7, 7),
          pic.bottomLeft() + QPointF(7, -7), pic.bottomRight() + QPointF(-7, -7)})
        paintStar(p, corner, 6, QColor(0xff, 0xe0, 0x4d));
    p.restore();
}

void paintCamera(QPainter& p, QPointF c) {
    p.save();
    p.translate(c);
    p.rotate(-8);
    QPainterPath body;
    body.addRoundedRect(QRectF(-46, -26, 92, 60), 12, 12);
    body.addRoundedRect(QRectF(-18, -36, 36, 16), 5, 5);
    body.setFillRule(Qt::WindingFill);
    body = body.simplified();
    paintShadow(p, body, QColor(0x0b, 0x25, 0x48, 110), 4, QPointF(2, 4));
    QLinearGradient fill(0, -36, 0, 34);
    fill.setColorAt(0, palette::accentLight());
    fill.setColorAt(1, palette::accentDark());
    p.fillPath(body, fill);
    p.fillRect(QRectF(-46, -4, 92, 14), QColor(255, 255, 255, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(0, 4), 25, 25);
    QRadialGradient glass(QPointF(-6, -3), 26);
    glass.setColorAt(0, palette::bandTop());
    glass.setColorAt(0.7, palette::bandBottom());
    glass.setColorAt(1, QColor(0x14, 0x37, 0x6a));
    p.setBrush(glass);
    p.drawEllipse(QPointF(0, 4), 19, 19);
    p.setBrush(QColor(255, 255, 255, 160));
    p.drawEllipse(QPointF(-7, -4), 5, 4);
    p.setBrush(QColor(0xff, 0xf3, 0xa0));
    p.drawRoundedRect(QRectF(28, -20, 12, 8), 2, 2);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(-34, -17), 3, 3);
    p.restore();
}

void paintAddressText(QPainter& p, const QString& address) {
    const QRect spot = addressHotSpot();
    const QFont font = addressFont(address);
    p.setFont(font);
    const QFontMetricsF fm(font);
    // Baseline placed so the glyphs and the underline sit inside the hot spot.
    const double width = fm.horizontalAdvance(address);
    const double x = spot.left() + (spot.width() - width) / 2;
    const double baseline = spot.top() + 10;
    p.setPen(QColor(0x0f, 0x4a, 0x9c));
    p.drawText(QPointF(x, baseline), address);
}

} // namespace

QRect addressInk(const Texts& texts) {
    QImage layer = blankCanvas(QSize(490, 265));
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        paintAddressText(p, texts.address);
    }
    QRect ink;
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x)
            if (qAlpha(layer.pixel(x, y)) > 24)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

Texts Texts::chinese() {
    return {QStringLiteral("大头贴"), QStringLiteral("摄像头大头贴 · 照片边框合成"),
            QStringLiteral("版本 2.0"), QStringLiteral("拍照 · 加边框 · 保存打印，一气呵成"),
            QStringLiteral("访问 iVemba 官方网站")};
}

Texts Texts::english() {
    return {QStringLiteral("Photo Stickers"), QStringLiteral("Webcam stickers · Photo frames"),
            QStringLiteral("Version 2.0"), QStringLiteral("Shoot, frame, save and print in one go"),
            QStringLiteral("iVemba website")};
}

QImage draw(const Texts& texts) {
    QImage image(490, 265, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 0, 265);
    sky.setColorAt(0, QColor(0x7e, 0xc8, 0xfa));
    sky.setColorAt(1, QColor(0xc4, 0xe8, 0xff));
    p.fillRect(image.rect(), sky);
    QRadialGradient sun(QPointF(440, 20), 200);
    sun.setColorAt(0, QColor(255, 255, 240, 170));
    sun.setColorAt(1, QColor(255, 255, 240, 0));
    p.fillRect(image.rect(), sun);

    paintCloud(p, QPointF(40, 40), 0.8, 150);
    paintCloud(p, QPointF(250, 28), 0.6, 120);
    paintCloud(p, QPointF(400, 222), 1.2, 200);
    paintCloud(p, QPointF(20, 250), 1.6, 170);

    // Illustration on the right: two photos and a camera, with stars.
    paintPhoto(p, QPointF(360, 92), -10, QColor(0x7f, 0xd3, 0x8f), QColor(0xff, 0x7a, 0xa8));
    paintPhoto(p, QPointF(420, 128), 9, QColor(0xa8, 0xc8, 0xff), palette::accent());
    paintCamera(p, QPointF(355, 185));
    paintStar(p, QPointF(300, 40), 9, QColor(0xff, 0xe0, 0x4d));
    paintStar(p, QPointF(468, 52), 6, Qt::white);
    paintStar(p, QPointF(290, 150), 6, Qt::white);
    paintStar(p, QPointF(462, 200), 8, QColor(0xff, 0xe0, 0x4d));

    // Title block on the left.
    const QImage logo = badge::draw(64);
    p.drawImage(QPointF(24, 30), logo);
    auto shadowedText = [&](QPointF at, const QString& text, const QFont& font, QColor colour) {
        p.setFont(font);
        p.setPen(QColor(0x12, 0x4a, 0x8a, 110));
        p.drawText(at + QPointF(1.5, 2), text);
        p.setPen(colour);
        p.drawText(at, text);
    };
    shadowedText(QPointF(96, 72), QStringLiteral("iVemba"), uiFont(40, true), Qt::white);
    // The product's name under the title, as large as its room lets it be.
    QFont name = uiFont(34, true);
    while (name.pixelSize() > 16 && QFontMetricsF(name).horizontalAdvance(texts.name) > 190)
        name.setPixelSize(name.pixelSize() - 2);
    shadowedText(QPointF(98, 112), texts.name, name, QColor(0xff, 0xf1, 0x8a));
    shadowedText(QPointF(28, 146), texts.subtitle, uiFont(16), Qt::white);

    // Version pill.
    const QRectF pill(28, 160, 86, 26);
    paintShadow(p, roundedRect(pill, 13), QColor(0x8a, 0x3a, 0x00, 90), 2, QPointF(0, 1.5));
    QLinearGradient pf(0, pill.top(), 0, pill.bottom());
    pf.setColorAt(0, palette::accentLight());
    pf.setColorAt(1, palette::accent());
    p.fillPath(roundedRect(pill, 13), pf);
    QFont pillFont = uiFont(14, true);
    while (pillFont.pixelSize() > 9 &&
           QFontMetricsF(pillFont).horizontalAdvance(texts.version) > pill.width() - 10)
        pillFont.setPixelSize(pillFont.pixelSize() - 1);
    p.setFont(pillFont);
    p.setPen(Qt::white);
    p.drawText(pill, Qt::AlignCenter, texts.version);

    p.setFont(uiFont(12));
    p.setPen(QColor(0x1f, 0x4f, 0x86));
    p.drawText(QPointF(28, 208), texts.line);

    // A light bar under the address, then a small globe just left of it.
    const QRectF bar(40, 227, 128, 23);
    p.fillPath(roundedRect(bar, 11.5), QColor(255, 255, 255, 190));
    p.setPen(QPen(QColor(0x2f, 0x74, 0xc8), 1.2));
    p.setBrush(Qt::NoBrush);
    const QPointF globe(53, 238.5);
    p.drawEllipse(globe, 5.5, 5.5);
    p.drawEllipse(globe, 2.4, 5.5);
    p.drawLine(globe - QPointF(5.5, 0), globe + QPointF(5.5, 0));
    paintAddressText(p, texts.address);
    return image;
}

} // namespace artwork::about
