#pragma once

#include "player/Bitmap.h"
#include "player/Clip.h"
#include "player/PlayerWidget.h"
#include "player/Stage.h"

#include <QEvent>
#include <QList>
#include <QPair>
#include <QStringList>
#include <memory>

namespace traytest {

// The tray alone in a real player: a movie registered as "ivemba" that places what the
// tray talks to by name (the capture page's counter variable, the status panel, the
// root's `getPhotoType` and `GetButtonHint`) and attaches the tray as `manage_mc`, with
// the real bundle's artwork and sounds.
class TrayMovie {
public:
    TrayMovie();

    [[nodiscard]] player::Stage& stage() const { return m_player->stage(); }
    [[nodiscard]] player::Clip* root() const { return stage().root(); }
    [[nodiscard]] player::Clip* tray() const;
    [[nodiscard]] player::Clip* card(int n) const;
    [[nodiscard]] player::Clip* panel() const;
    [[nodiscard]] player::PlayerWidget& widget() const { return *m_player; }

    // What the shutter does: one more snapshot counted, a new 240×180 snapshot with
    // alpha filled with `fill`, then the tray's `NewPhoto`. Returns the newest card.
    player::Clip* snap(QRgb fill = 0xFF3366CC);
    player::Clip* snapBitmap(const player::BitmapPtr& snapshot);

    // The left mouse button at a stage point.
    void mouse(QEvent::Type type, QPointF scenePos) const;
    void press(QPointF at) const { mouse(QEvent::GraphicsSceneMousePress, at); }
    void move(QPointF at) const { mouse(QEvent::GraphicsSceneMouseMove, at); }
    void release(QPointF at) const { mouse(QEvent::GraphicsSceneMouseRelease, at); }

    // Host commands the movie raised, in order.
    QList<QPair<QString, QString>> commands;
    QStringList traces;

private:
    std::unique_ptr<player::PlayerWidget> m_player;
};

[[nodiscard]] QStringList cardNames(const player::Clip& tray);

} // namespace traytest
