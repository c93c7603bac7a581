#include "player/Intervals.h"

#include <QTimer>

namespace player {

Intervals::Intervals(QObject* parent) : QObject(parent) {}

Intervals::~Intervals() {
    clear();
}

int Intervals::setInterval(std::function<void()> callback, int milliseconds) {
    const int handle = m_next++;
    auto* timer = new QTimer(this);
    timer->setInterval(milliseconds < 1 ? 1 : milliseconds);
    connect(timer, &QTimer::timeout, this, [callback = std::move(callback)] { callback(); });
    m_timers.emplace(handle, timer);
    timer->start();
    return handle;
}

void Intervals::clearInterval(int handle) {
    auto it = m_timers.find(handle);
    if (it == m_timers.end())
        return;
    // The interval may be cleared from inside its own callback.
    it->second->stop();
    it->second->deleteLater();
    m_timers.erase(it);
}

void Intervals::clear() {
    for (auto& [handle, timer] : m_timers) {
        timer->stop();
        timer->deleteLater();
    }
    m_timers.clear();
}

} // namespace player
