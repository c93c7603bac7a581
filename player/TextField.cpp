#include "player/TextField.h"

#include <QPainter>
#include <QTextOption>

namespace player {

QFont movieFont(int pixelSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Droid Sans Fallback"), QStringLiteral("sans-serif")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

TextField::TextField(const QString& name, QSizeF size, Style style)
    : Clip(name), m_size(size), m_style(style) {
    repaint();
}

void TextField::setText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    update();
}

void TextField::bind(Clip* owner, const QString& variable) {
    m_variable = variable;
    if (!owner)
        return;
    QPointer<Clip> source(owner);
    connect(owner, &Clip::varChanged, this, [this, source, variable](const QString& name) {
        if (name == variable && source)
            setText(source->var(variable).toString());
    });
    setText(owner->var(variable).toString());
}

void TextField::setStyle(Style style) {
    m_style = style;
    repaint();
}

void TextField::repaint() {
    setContent(QRectF(QPointF(0, 0), m_size), [this](QPainter& p) {
        if (m_text.isEmpty())
            return;
        QFont font = movieFont(m_style.pixelSize, m_style.bold);
        if (m_style.letterSpacing != 0)
            font.setLetterSpacing(QFont::AbsoluteSpacing, m_style.letterSpacing);
        p.setFont(font);
        p.setPen(m_style.color);
        QTextOption option(m_style.align);
        option.setWrapMode(m_style.wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
        p.drawText(QRectF(QPointF(0, 0), m_size), m_text, option);
    });
}

} // namespace player
