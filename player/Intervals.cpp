#include "player/Intervals.h"

#include <QTimer>
#include <limits>

namespace player {

Intervals::Intervals(QObject* parent) : QObject(parent) {}

Intervals::~Intervals() {
    clear();
}

int Intervals::setInterval(std::function<void()> callback, int milliseconds) {
    const int handle = m_next++;
    auto* timer = new QTimer(this);
    timer->setInterval(milliseconds < 1 ? 1 : milliseconds);
    Entry entry;
    entry.timer = timer;
    entry.callback = std::make_shared<std::function<void()>>(std::move(callback));
    entry.period = timer->interval();
    connect(timer, &QTimer::timeout, this, [this, handle, callback = entry.callback] {
        if (auto it = m_timers.find(handle); it != m_timers.end())
            it->second.elapsed = 0;
        (*callback)();
    });
    m_timers.emplace(handle, std::move(entry));
    timer->start();
    return handle;
}

void Intervals::clearInterval(int handle) {
    auto it = m_timers.find(handle);
    if (it == m_timers.end())
        return;
    // The interval may be cleared from inside its own callback.
    it->second.timer->stop();
    it->second.timer->deleteLater();
    m_timers.erase(it);
}

void Intervals::clear() {
    for (auto& [handle, entry] : m_timers) {
        entry.timer->stop();
        entry.timer->deleteLater();
    }
    m_timers.clear();
}

void Intervals::advance(qint64 milliseconds) {
    qint64 left = milliseconds;
    for (;;) {
        // The interval due first; a tie goes to the older one, as timers started earlier do.
        int due = 0;
        qint64 wait = std::numeric_limits<qint64>::max();
        for (const auto& [handle, entry] : m_timers) {
            if (entry.period - entry.elapsed < wait) {
                wait = entry.period - entry.elapsed;
                due = handle;
            }
        }
        const qint64 step = due == 0 || wait > left ? left : wait;
        for (auto& [handle, entry] : m_timers)
            entry.elapsed += step;
        left -= step;
        if (due == 0 || wait > step)
            return;
        // Callbacks may set or clear intervals, this one among them.
        auto it = m_timers.find(due);
        it->second.elapsed = 0;
        it->second.timer->start(); // the real timer counts from now too
        const auto callback = it->second.callback;
        (*callback)();
    }
}

} // namespace player
