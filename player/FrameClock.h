#pragma once

#include "player/Clip.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

namespace player {

// Ticks the playing timelines and enter-frame handlers at the movie's frame rate, on the
// UI thread. It runs only while some clip needs frames, so an idle movie costs nothing.
class FrameClock : public QObject {
    Q_OBJECT
public:
    explicit FrameClock(QObject* parent = nullptr);

    void setFrameRate(double fps);
    [[nodiscard]] double frameRate() const { return m_fps; }
    // Adds or removes a clip from the clients of the next ticks.
    void setActive(Clip* clip, bool active);
    [[nodiscard]] bool isRunning() const { return m_timer.isActive(); }
    [[nodiscard]] int clientCount() const { return static_cast<int>(m_clients.size()); }
    // One frame now; tests drive the clock with this instead of waiting.
    void tick();
    void clear();

private:
    QTimer m_timer;
    double m_fps = 16;
    QList<QPointer<Clip>> m_clients;
};

} // namespace player
