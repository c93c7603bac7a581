#pragma once

#include "player/TextField.h"

#include <QImage>
#include <QPointF>
#include <QSizeF>
#include <QString>

namespace player {
class Clip;
}

namespace capture {

// Colours of the capture page's own drawings.
inline constexpr QRgb kBodyBlue = 0x1f4e8c;
inline constexpr QRgb kViewBackdrop = 0x5d7cb2;
inline constexpr QRgb kLoadBar = 0x5fa6e7;

// A text of the page at `pos`, `size` wide and high.
player::TextField* addText(player::Clip& parent, const QString& name, int depth, QPointF pos,
                           QSizeF size, const player::TextField::Style& style);

// Fills `clip`'s content with `fill` inside `rect` and a one-pixel `edge` along its inner
// border, corners included.
void setFramedRect(player::Clip& clip, QRectF rect, QColor fill, QColor edge);

// A hue rotation by `degrees`, applied once to a picture as a colour matrix would: it keeps
// lightness and alpha and turns the shutter's orange into the composite mode's green.
[[nodiscard]] QImage rotateHue(const QImage& image, double degrees);

} // namespace capture
