#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stop_token>

namespace updates {

// How the user interface holds and ends a background border job. Two requests end it: a
// cancel, which the user can take back by opening the window again, and a stop of the
// thread (the program quits), which is final. A pause holds the job where it checks the
// gate, also inside a running transfer; the job itself decides where that is safe, so it
// never stops while it holds a lock or has half a file written, which an operating-system
// suspension could not promise.
class WorkGate {
public:
    WorkGate() = default;
    explicit WorkGate(std::stop_token stop) : m_stop(std::move(stop)) {}
    WorkGate(const WorkGate&) = delete;
    WorkGate& operator=(const WorkGate&) = delete;

    // The thread whose stop is final; set before the job starts.
    void setStopToken(std::stop_token stop) { m_stop = std::move(stop); }

    void cancel();
    void clearCancel();
    void pause();
    void resume();

    [[nodiscard]] bool paused() const { return m_paused.load(); }
    // A cancel or a stop of the thread.
    [[nodiscard]] bool stopRequested() const {
        return m_cancelled.load() || m_stop.stop_requested();
    }

    // Holds while paused and returns whether the job may go on: false once a cancel or a
    // stop has been asked for, also one asked for while held.
    [[nodiscard]] bool pass() const;
    // Like pass(), but holds at most `limit`; a pause still in force then returns true
    // with paused() set, so a caller with a clock of its own can keep it going.
    [[nodiscard]] bool passWithin(std::chrono::milliseconds limit) const;

private:
    // A waiter checks the stop token at this interval, since a stop of the thread does not
    // notify our condition variable.
    static constexpr std::chrono::milliseconds kStopPoll{20};

    std::stop_token m_stop;
    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_paused{false};
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
};

} // namespace updates
