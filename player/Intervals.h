#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <memory>

class QTimer;

namespace player {

// Repeating calls until cleared; a one-shot wait is an interval cleared on its first call.
class Intervals : public QObject {
    Q_OBJECT
public:
    explicit Intervals(QObject* parent = nullptr);
    ~Intervals() override;

    int setInterval(std::function<void()> callback, int milliseconds);
    void clearInterval(int handle);
    [[nodiscard]] bool isActive(int handle) const { return m_timers.count(handle) != 0; }
    [[nodiscard]] int count() const { return static_cast<int>(m_timers.size()); }
    void clear();

    // Lets `milliseconds` pass at once: every interval fires as often, and in the order, it
    // would have in that time. Tests reach a 45-second mark this way without waiting.
    void advance(qint64 milliseconds);

private:
    struct Entry {
        QTimer* timer = nullptr;
        std::shared_ptr<std::function<void()>> callback;
        qint64 period = 1;
        qint64 elapsed = 0; // time let pass by advance() since the last call
    };
    int m_next = 1;
    std::map<int, Entry> m_timers;
};

} // namespace player
