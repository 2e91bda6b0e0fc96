#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace vornela::testing {

// Runs the event loop until `done` holds, or for `ms` when nothing should happen. The bound only
// keeps a broken build from hanging; no test depends on how long anything takes.
template <class Done> bool waitUntil(Done done, int ms = 5000) {
    QDeadlineTimer bound(ms);
    while (!done()) {
        if (bound.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}
inline void spin(int ms) {
    waitUntil([] { return false; }, ms);
}

} // namespace vornela::testing
