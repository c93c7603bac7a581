#include "movie/shell/BlinkingHint.h"

#include "player/TextField.h"

#include <QPainter>

namespace shell {

namespace {
const QColor kWhite(0xff, 0xff, 0xff);
const QColor kRed(0xff, 0x00, 0x00);
} // namespace

BlinkingHint::BlinkingHint(const QString& name, Look look) : Clip(name), m_look(std::move(look)) {
    setVisible(false);
    // The whole box catches the pointer, not only the glyphs.
    setContent(QRectF(QPointF(0, 0), m_look.size), [this](QPainter& p) { paintText(p); });
    timeline().setTotalFrames(m_look.frames);
    timeline().setScript(1, [this] { setColor(kWhite); });
    timeline().setScript(m_look.whiteFrames + 1, [this] { setColor(kRed); });
    connect(this, &QGraphicsObject::visibleChanged, this, [this] {
        if (isVisible())
            gotoAndPlay(1);
        else
            stop();
    });
}

void BlinkingHint::setColor(QColor color) {
    if (color == m_color)
        return;
    m_color = color;
    update();
}

QFont BlinkingHint::font() const {
    QFont font = player::movieFont(12);
    if (m_look.letterSpacing != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, m_look.letterSpacing);
    return font;
}

QSizeF BlinkingHint::textSize() const {
    return player::measureText(font(), m_look.text);
}

void BlinkingHint::paintText(QPainter& p) const {
    QFont font = this->font();
    const bool red = m_color != kWhite;
    font.setUnderline(red && m_look.underlineRed);
    p.setFont(font);
    const QRectF box(QPointF(0, 0), m_look.size);
    // A soft dark halo keeps both colours readable on the blue band.
    p.setPen(QColor(0x12, 0x2c, 0x4d, 90));
    p.drawText(box.translated(0, 1), Qt::AlignRight | Qt::AlignVCenter, m_look.text);
    p.setPen(m_color);
    p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, m_look.text);
}

} // namespace shell
