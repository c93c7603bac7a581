#pragma once

#include "player/media/ScreenCopy.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QVideoFrame>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace media {

// Converts camera frames on a thread of its own and hands the pictures to the thread it
// lives on. It never queues: one frame is converted at a time and one more waits, and a
// newer frame replaces the waiting one, so a slow conversion shows fewer frames, never late
// ones. Pictures not yet taken by the owner's thread are replaced the same way.
class LatestFrameConverter : public QObject {
    Q_OBJECT
public:
    using Convert = std::function<QImage(const QVideoFrame&, QSize)>;

    explicit LatestFrameConverter(QSize target, Convert convert = {}, QObject* parent = nullptr);
    ~LatestFrameConverter() override;
    LatestFrameConverter(const LatestFrameConverter&) = delete;
    LatestFrameConverter& operator=(const LatestFrameConverter&) = delete;

    // From any thread. A frame that comes sooner than `minSpacingMs` after the last one
    // taken is dropped before it costs anything.
    void submit(const QVideoFrame& frame);
    void setTarget(QSize target);
    // Each picture is also made in `look` (when it asks for anything), on the same thread.
    void setScreenLook(const ScreenLook& look);
    void setMinSpacing(int ms);
    // Frames dropped unconverted so far: replaced while waiting, or too soon.
    [[nodiscard]] int dropped() const;

signals:
    // On the owner's thread: the latest picture, and the same in the screen look if one
    // was set.
    void converted(const QImage& image, const media::ScreenCopy& onScreen);

private:
    void run(const std::stop_token& stop);
    void handOver();

    Convert m_convert;
    mutable std::mutex m_mutex;
    std::condition_variable_any m_wake;
    std::optional<QVideoFrame> m_waiting;
    std::optional<std::pair<QImage, ScreenCopy>> m_result;
    bool m_handOverPosted = false;
    QSize m_target;
    ScreenLook m_look;
    int m_minSpacingMs = 0;
    qint64 m_lastTakenMs = -1;
    int m_dropped = 0;
    std::jthread m_thread; // last: it starts once everything above exists
};

} // namespace media
