#include "updates/WorkGate.h"

namespace updates {

void WorkGate::cancel() {
    {
        std::scoped_lock lock(mutex_);
        cancelled_ = true;
    }
    changed_.notify_all();
}

void WorkGate::clearCancel() {
    std::scoped_lock lock(mutex_);
    cancelled_ = false;
}

void WorkGate::pause() {
    std::scoped_lock lock(mutex_);
    paused_ = true;
}

void WorkGate::resume() {
    {
        std::scoped_lock lock(mutex_);
        paused_ = false;
    }
    changed_.notify_all();
}

bool WorkGate::pass() const {
    while (true) {
        if (stopRequested())
            return false;
        if (!paused())
            return true;
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, kStopPoll, [this] { return !paused_ || cancelled_; });
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
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock,
                          std::min<std::chrono::steady_clock::duration>(kStopPoll, until - now),
                          [this] { return !paused_ || cancelled_; });
    }
}

} // namespace updates
