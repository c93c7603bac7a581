#pragma once

#include "player/Clip.h"

#include <QColor>
#include <QFont>
#include <QSizeF>

namespace shell {

// A hint in the title bar that blinks its text between white and red. It loops over its
// frames only while it is shown, so a movie with every hint hidden leaves the frame clock
// idle.
class BlinkingHint : public player::Clip {
    Q_OBJECT
public:
    struct Look {
        QString text;
        QSizeF size;
        int frames = 18;     // length of one blink
        int whiteFrames = 6; // the first frames show white, the rest red
        bool underlineRed = false;
        qreal letterSpacing = 0;
    };

    BlinkingHint(const QString& name, Look look);

    [[nodiscard]] QString text() const { return m_look.text; }
    [[nodiscard]] QColor textColor() const { return m_color; }
    [[nodiscard]] QSizeF size() const { return m_look.size; }
    // The room the text takes on its one line.
    [[nodiscard]] QSizeF textSize() const;

private:
    void setColor(QColor color);
    [[nodiscard]] QFont font() const;
    void paintText(QPainter& p) const;

    Look m_look;
    QColor m_color = Qt::white;
};

} // namespace shell
