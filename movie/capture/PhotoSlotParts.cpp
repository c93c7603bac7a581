#include "movie/capture/PhotoSlotParts.h"

#include "movie/capture/CaptureParts.h"
#include "movie/common/MovieNames.h"
#include "player/Clip.h"
#include "player/TextField.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace capture {

using player::Clip;

Clip* addSlotButton(Clip& slot, const QString& name, int depth, QPointF pos, QSizeF size,
                    const QString& label, QColor colour) {
    Clip* button = slot.createEmptyMovieClip(name, depth);
    button->setPos(pos);
    Clip* face = button->createEmptyMovieClip(QStringLiteral("face"), 1);
    const auto paint = [face, size](QColor fill) {
        face->setContent(QRectF(QPointF(0, 0), size), [size, fill](QPainter& p) {
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(fill);
            p.drawRoundedRect(QRectF(QPointF(0, 0), size), 3, 3);
        });
    };
    const QColor up(255, 255, 255, 200), over(255, 244, 200, 235);
    paint(up);
    player::TextField::Style style;
    style.pixelSize = 12;
    style.color = colour;
    style.bold = true;
    style.align = Qt::AlignCenter;
    addText(*button, QStringLiteral("label"), 2, {0, 0}, size, style)->setText(label);
    button->setHitArea(QRectF(QPointF(0, 0), size));
    button->setLook([paint, up, over](Clip::ButtonState state) {
        paint(state == Clip::ButtonState::Up ? up : over);
    });
    return button;
}

void addSlotProgress(Clip& slot, const QString& name) {
    Clip* bar = slot.createEmptyMovieClip(name, 10);
    bar->setPos(0.65, 42.9);
    bar->setRect(QRectF(0, 0, 78, 16), QColor(255, 255, 255, 200), QColor(0x7d, 0xa2, 0xd6));
    Clip* head = bar->createEmptyMovieClip(QStringLiteral("Load_head_mc"), 1);
    player::TextField::Style style;
    style.pixelSize = 11;
    style.color = QColor::fromRgb(kBodyBlue);
    style.align = Qt::AlignCenter;
    player::TextField* value = addText(*bar, QStringLiteral("value"), 2, {0, 0}, {78, 16}, style);
    bar->define(moviecommon::calls::SetValue, [head, value](const QVariantList& args) {
        const double v = args.value(0).toDouble();
        const double whole = std::isfinite(v) ? std::floor(v) : 0;
        value->setText(QString::number(static_cast<qint64>(whole)) + QStringLiteral(" %"));
        const double share = std::clamp(whole, 0.0, 100.0) / 100.0;
        head->setRect(QRectF(1, 1, 76 * share, 14), QColor::fromRgb(kLoadBar));
        return QVariant();
    });
}

void addSlotFrame(Clip& slot, QSizeF size) {
    Clip* frame = slot.createEmptyMovieClip(QStringLiteral("frame"), 1);
    frame->setContent(QRectF(-1, -1, size.width() + 5, size.height() + 5), [size](QPainter& p) {
        // A soft drop shadow below and right of the frame.
        for (int i = 3; i >= 1; --i)
            p.fillRect(QRectF(i, i, size.width() + 1, size.height() + 1), QColor(0, 0, 0, 30));
        p.fillRect(QRectF(-1, -1, size.width() + 2, size.height() + 2), QColor(0x7d, 0xa2, 0xd6));
        p.fillRect(QRectF(QPointF(0, 0), size), QColor(0xf2, 0xf6, 0xfc));
    });
}

} // namespace capture
