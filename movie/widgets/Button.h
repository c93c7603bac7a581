#pragma once

#include <QPointF>
#include <QSizeF>
#include <QString>

namespace player {
class Clip;
}

namespace widgets {

// Pictures of a button from the movie's bundle. `over` and `down` fall back to `up`.
struct ButtonArt {
    QString up;
    QString over;
    QString down;
};

// A picture button: shows `over` while the pointer is on it and `down` (or `up` moved one
// pixel down) while pressed. Its events are the clip's own (onRelease etc.), so callers
// attach their handlers as on any clip.
player::Clip* makeImageButton(player::Clip& parent, const QString& name, int depth, QPointF pos,
                              const ButtonArt& art);

// A labelled push button of the movie's widget set.
player::Clip* makeTextButton(player::Clip& parent, const QString& name, int depth, QPointF pos,
                             const QString& label, QSizeF size = {90, 24});

} // namespace widgets
