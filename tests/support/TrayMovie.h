#pragma once

#include "player/Bitmap.h"
#include "player/Clip.h"
#include "support/MoviePlayer.h"

#include <QStringList>

namespace traytest {

// The tray alone in a real player: a movie registered as "ivemba" that places what the
// tray talks to by name (the capture page's counter variable, the status panel, the
// root's `getPhotoType` and `GetButtonHint`) and attaches the tray as `manage_mc`, with
// the real bundle's artwork and sounds.
class TrayMovie : public testsupport::MoviePlayer {
public:
    // With `photoFolder` the tray keeps its cards there, as under the desktop host.
    explicit TrayMovie(const QString& photoFolder = {});

    [[nodiscard]] player::Clip* tray() const;
    [[nodiscard]] player::Clip* card(int n) const;
    [[nodiscard]] player::Clip* panel() const;

    // What the shutter does: one more snapshot counted, a new 240×180 snapshot with
    // alpha filled with `fill`, then the tray's `NewPhoto`. Returns the newest card.
    player::Clip* snap(QRgb fill = 0xFF3366CC);
    player::Clip* snapBitmap(const player::BitmapPtr& snapshot);
    // Lets the cards kept before come back; true once all are placed.
    bool waitRestored();
};

[[nodiscard]] QStringList cardNames(const player::Clip& tray);

} // namespace traytest
