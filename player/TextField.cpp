#include "player/TextField.h"

#include <QFontMetricsF>
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

QSizeF measureText(const QFont& font, const QString& text, qreal wrapWidth) {
    if (text.isEmpty())
        return {};
    const QFontMetricsF metrics(font);
    if (wrapWidth <= 0) {
        qreal width = 0;
        const QStringList lines = text.split(u'\n');
        for (const QString& line : lines)
            width = std::max(width, metrics.horizontalAdvance(line));
        return {width, metrics.lineSpacing() * static_cast<qreal>(lines.size())};
    }
    return metrics.boundingRect(QRectF(0, 0, wrapWidth, 1e6), Qt::TextWordWrap, text).size();
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

QFont TextField::font() const {
    QFont font = movieFont(m_style.pixelSize, m_style.bold);
    if (m_style.letterSpacing != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, m_style.letterSpacing);
    return font;
}

QSizeF TextField::textSize() const {
    return measureText(font(), m_text, m_style.wrap ? m_size.width() : 0);
}

void TextField::repaint() {
    setContent(QRectF(QPointF(0, 0), m_size), [this](QPainter& p) {
        if (m_text.isEmpty())
            return;
        p.setFont(font());
        p.setPen(m_style.color);
        QTextOption option(m_style.align);
        option.setWrapMode(m_style.wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
        p.drawText(QRectF(QPointF(0, 0), m_size), m_text, option);
    });
}

} // namespace player
