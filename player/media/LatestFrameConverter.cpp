#include "player/media/LatestFrameConverter.h"

#include "player/media/FrameConverter.h"

#include <QMetaObject>
#include <chrono>

namespace media {

namespace {

qint64 nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

LatestFrameConverter::LatestFrameConverter(QSize target, Convert convert, QObject* parent)
    : QObject(parent), m_convert(convert ? std::move(convert) : Convert(&convertFrame)),
      m_target(target), m_thread([this](const std::stop_token& stop) { run(stop); }) {}

LatestFrameConverter::~LatestFrameConverter() {
    m_thread.request_stop();
    m_wake.notify_all();
    m_thread.join();
}

void LatestFrameConverter::submit(const QVideoFrame& frame) {
    {
        const std::lock_guard lock(m_mutex);
        const qint64 now = nowMs();
        if (m_lastTakenMs >= 0 && now - m_lastTakenMs < m_minSpacingMs) {
            ++m_dropped;
            return;
        }
        m_lastTakenMs = now;
        if (m_waiting)
            ++m_dropped;
        m_waiting = frame;
    }
    m_wake.notify_one();
}

void LatestFrameConverter::setTarget(QSize target) {
    const std::lock_guard lock(m_mutex);
    m_target = target;
}

void LatestFrameConverter::setScreenLook(const ScreenLook& look) {
    const std::lock_guard lock(m_mutex);
    m_look = look;
}

void LatestFrameConverter::setMinSpacing(int ms) {
    const std::lock_guard lock(m_mutex);
    m_minSpacingMs = ms;
}

int LatestFrameConverter::dropped() const {
    const std::lock_guard lock(m_mutex);
    return m_dropped;
}

void LatestFrameConverter::run(const std::stop_token& stop) {
    std::unique_lock lock(m_mutex);
    while (true) {
        if (!m_wake.wait(lock, stop, [this] { return m_waiting.has_value(); }))
            return;
        const QVideoFrame frame = std::move(*m_waiting);
        m_waiting.reset();
        const QSize target = m_target;
        const ScreenLook look = m_look;
        lock.unlock();
        QImage image = m_convert(frame, target);
        ScreenCopy onScreen = makeScreenCopy(image, look);
        lock.lock();
        if (image.isNull())
            continue;
        m_result.emplace(std::move(image), std::move(onScreen));
        if (!std::exchange(m_handOverPosted, true)) {
            // Posted with the lock let go, so the owner's thread never waits on the post.
            lock.unlock();
            QMetaObject::invokeMethod(this, &LatestFrameConverter::handOver, Qt::QueuedConnection);
            lock.lock();
        }
    }
}

void LatestFrameConverter::handOver() {
    std::optional<std::pair<QImage, ScreenCopy>> result;
    {
        const std::lock_guard lock(m_mutex);
        result.swap(m_result);
        m_handOverPosted = false;
    }
    if (result)
        emit converted(result->first, result->second);
}

} // namespace media
