#include "updates/WorkGate.h"

namespace updates {

void WorkGate::cancel() {
    {
        std::scoped_lock lock(m_mutex);
        m_cancelled = true;
    }
    m_changed.notify_all();
}

void WorkGate::clearCancel() {
    std::scoped_lock lock(m_mutex);
    m_cancelled = false;
}

void WorkGate::pause() {
    std::scoped_lock lock(m_mutex);
    m_paused = true;
}

void WorkGate::resume() {
    {
        std::scoped_lock lock(m_mutex);
        m_paused = false;
    }
    m_changed.notify_all();
}

bool WorkGate::pass() const {
    while (true) {
        if (stopRequested())
            return false;
        if (!paused())
            return true;
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, kStopPoll, [this] { return !m_paused || m_cancelled; });
    }
}

bool WorkGate::passWithin(std::chrono::milliseconds limit) const {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (true) {
        if (stopRequested())
            return false;
        if (!paused())
            return true;
        const auto now = std::chrono::steady_clock::now();
        if (now >= until)
            return true;
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock,
                           std::min<std::chrono::steady_clock::duration>(kStopPoll, until - now),
                           [this] { return !m_paused || m_cancelled; });
    }
}

} // namespace updates
