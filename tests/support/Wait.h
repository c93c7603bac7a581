#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QThread>
#include <functional>

namespace testsupport {

// Runs the event loop until `done` holds or `timeoutMs` passes; true when it held. The
// bound is generous on purpose: tests wait for events, they do not measure speed.
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        // Objects freed with deleteLater go only when asked for outside a running loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(1);
    }
    return true;
}

// Runs the event loop for `ms` milliseconds.
inline void spin(int ms) {
    waitUntil([] { return false; }, ms);
}

} // namespace testsupport
