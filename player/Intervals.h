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

private:
    int m_next = 1;
    std::map<int, QTimer*> m_timers;
};

} // namespace player
