#pragma once

#include <QObject>
#include <functional>

namespace common {

// Runs `work` from the event loop once the events already waiting (a close, input) have been
// handled, as a zero-interval timer does: a queued call would run before anything posted
// after it, so a close asked for right after the first frame would wait for set-up work the
// closing window never needs. Dropped when `context` goes first.
void afterWaitingEvents(QObject* context, std::function<void()> work);

} // namespace common
