#pragma once

#include <QEventLoop>
#include <QTimer>

namespace benchsupport {

// Runs a real event loop for `ms` milliseconds: it sleeps until an event comes, so what a
// bench measures meanwhile is the program's work, not polling.
inline void spin(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace benchsupport
