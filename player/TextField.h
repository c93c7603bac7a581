#pragma once

#include "player/Clip.h"

#include <QColor>
#include <QFont>

namespace player {

// A text on the stage. Bound to a variable of a clip (its text variable), it shows the
// variable's value and follows every assignment, as the movie's dynamic texts do.
class TextField : public Clip {
    Q_OBJECT
public:
    struct Style {
        int pixelSize = 12;
        QColor color = Qt::black;
        bool bold = false;
        Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
        bool wrap = false;
        // Extra pixels after every character.
        qreal letterSpacing = 0;
    };

    TextField(const QString& name, QSizeF size, Style style);

    [[nodiscard]] QString text() const { return m_text; }
    void setText(const QString& text);
    // Shows `owner`'s variable `variable` from now on.
    void bind(Clip* owner, const QString& variable);
    [[nodiscard]] QString variableName() const { return m_variable; }
    void setStyle(Style style);
    [[nodiscard]] const Style& style() const { return m_style; }
    [[nodiscard]] QSizeF size() const { return m_size; }
    // The room the text takes as the field draws it: wrapped at the field's width when the
    // field wraps, on one line otherwise. Larger than size() when the text is cut off.
    [[nodiscard]] QSizeF textSize() const;

private:
    [[nodiscard]] QFont font() const;
    void repaint();

    QSizeF m_size;
    Style m_style;
    QString m_text;
    QString m_variable;
};

// The one sans-serif family the movie's texts use; Chinese-capable where the system has one.
[[nodiscard]] QFont movieFont(int pixelSize, bool bold = false);

// The room `text` takes in `font`: on one line when `wrapWidth` is 0, else wrapped at words
// within `wrapWidth`.
[[nodiscard]] QSizeF measureText(const QFont& font, const QString& text, qreal wrapWidth = 0);

} // namespace player
