#include "common/AfterWaitingEvents.h"

#include <QTimer>

namespace common {

void afterWaitingEvents(QObject* context, std::function<void()> work) {
    // Not QTimer::singleShot(0, ...): that is a queued call, served with the posted events.
    auto* timer = new QTimer(context);
    timer->setSingleShot(true);
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, context, [timer, work = std::move(work)] {
        timer->deleteLater();
        work();
    });
    timer->start();
}

} // namespace common
