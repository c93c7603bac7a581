#pragma once

#include <QColor>
#include <QPointF>
#include <QSizeF>
#include <QString>

namespace player {
class Clip;
}

namespace capture {

// What a picture slot is drawn with; the slot's behaviour is in PhotoSlot.cpp.

// A button of the slot: a coloured label on a light pill, so it reads over any thumbnail.
player::Clip* addSlotButton(player::Clip& slot, const QString& name, int depth, QPointF pos,
                            QSizeF size, const QString& label, QColor colour);
// The progress display `name`: a 78×16 bar whose text shows the whole percentage, set by its
// function "SetValue".
void addSlotProgress(player::Clip& slot, const QString& name);
// The thumbnail's frame of `size`, with a soft drop shadow.
void addSlotFrame(player::Clip& slot, QSizeF size);

} // namespace capture
