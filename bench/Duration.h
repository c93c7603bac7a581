#pragma once

#include <QtGlobal>
#include <algorithm>

namespace benchsupport {

// How long a bench that measures over a stretch of time runs, in milliseconds: `ms`, or a
// twentieth of it (at least 100 ms) when IVEMBA_BENCH_BRIEF is set, as the test run sets it
// to see that every bench still runs without waiting for figures nobody reads there.
inline int measuringMs(int ms) {
    return qEnvironmentVariableIsSet("IVEMBA_BENCH_BRIEF") ? std::max(100, ms / 20) : ms;
}

} // namespace benchsupport
