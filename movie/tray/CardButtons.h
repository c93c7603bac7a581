#pragma once

#include <QPointF>
#include <QString>

namespace player {
class Clip;
}

namespace tray {

// What a card's icon button shows above its icon while the pointer is on it.
struct HoverLabel {
    QString text;         // a fixed text, or
    QString hintVariable; // the label's text variable, refreshed from the root's
                          // `GetButtonHint` each time the label is shown
};

// A card's 50×50 icon button (art from the bundle), drawn at alpha 205/256. It shows its
// label only while the pointer is over it, moves its icon 1 pixel down while pressed, and
// plays the roll-over sound when the pointer comes onto it. The label is the child
// "label"; the caller attaches the release handler.
player::Clip* makeCardButton(player::Clip& card, const QString& name, int depth, QPointF pos,
                             const QString& art, const HoverLabel& label);

inline constexpr qreal kCardButtonAlpha = 205.0 / 256.0 * 100.0;

} // namespace tray
