#include "player/FrameClock.h"

#include "player/Clip.h"

#include <cmath>

namespace player {

FrameClock::FrameClock(QObject* parent) : QObject(parent) {
    m_timer.setTimerType(Qt::PreciseTimer);
    setFrameRate(m_fps);
    connect(&m_timer, &QTimer::timeout, this, &FrameClock::tick);
}

void FrameClock::setFrameRate(double fps) {
    m_fps = fps > 0 ? fps : 16;
    m_timer.setInterval(static_cast<int>(std::lround(1000.0 / m_fps)));
}

void FrameClock::setActive(Clip* clip, bool active) {
    const qsizetype index = m_clients.indexOf(clip);
    if (active && index < 0)
        m_clients.append(clip);
    else if (!active && index >= 0)
        m_clients.removeAt(index);
    if (m_clients.isEmpty())
        m_timer.stop();
    else if (!m_timer.isActive())
        m_timer.start();
}

void FrameClock::tick() {
    // A copy: handlers start and stop timelines, and remove clips, while we walk.
    const QList<QPointer<Clip>> clients = m_clients;
    for (const QPointer<Clip>& clip : clients) {
        if (clip)
            clip->tickFrame();
    }
    m_clients.removeAll(QPointer<Clip>());
    if (m_clients.isEmpty())
        m_timer.stop();
}

void FrameClock::clear() {
    m_clients.clear();
    m_timer.stop();
}

} // namespace player
