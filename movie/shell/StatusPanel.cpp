#include "movie/shell/StatusPanel.h"

#include "player/TextField.h"

#include <QPainter>
#include <QPainterPath>

namespace shell {

namespace {

constexpr QPointF kPanelPos(195, 279);
constexpr QSizeF kBoxSize(417, 50);

void paintPanel(QPainter& p) {
    // A faint veil over the whole stage sets the status apart from the page below; it is
    // drawing only and catches no clicks.
    p.fillRect(QRectF(-kPanelPos, QSizeF(800, 600)), QColor(255, 255, 255, 70));
    const QRectF box(QPointF(0, 0), kBoxSize);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 4; i >= 1; --i) {
        QPainterPath shadow;
        shadow.addRoundedRect(box.translated(2, 3).adjusted(-i, -i, i, i), 6 + i, 6 + i);
        p.fillPath(shadow, QColor(0x12, 0x2c, 0x4d, 14));
    }
    QPainterPath face;
    face.addRoundedRect(box, 6, 6);
    QLinearGradient fill(0, 0, 0, kBoxSize.height());
    fill.setColorAt(0, QColor(0x4f, 0x9b, 0xea));
    fill.setColorAt(1, QColor(0x2f, 0x74, 0xc8));
    p.fillPath(face, fill);
    p.setPen(QPen(QColor(0x27, 0x63, 0xb0), 1));
    p.drawPath(face);
}

} // namespace

void placeStatusPanel(player::Clip& root) {
    player::Clip* panel = root.createEmptyMovieClip(QStringLiteral("Upload_Status_mc"), 132);
    panel->setPos(kPanelPos);
    panel->setVisible(false);
    panel->setContent(QRectF(-kPanelPos, QSizeF(800, 600)), paintPanel);
    player::TextField::Style style;
    style.pixelSize = 12;
    style.color = Qt::white;
    style.align = Qt::AlignCenter;
    auto* text =
        panel->adopt(new player::TextField(QStringLiteral("text_txt"), kBoxSize, style), 1);
    text->bind(panel, QStringLiteral("text"));
}

} // namespace shell
