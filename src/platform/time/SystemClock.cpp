#include "platform/time/SystemClock.h"

#include <time.h>

namespace vornela {

double SystemClock::now(ClockKind kind) const {
    clockid_t id = CLOCK_REALTIME;
    switch (kind) {
    case ClockKind::wall:
        id = CLOCK_REALTIME;
        break;
    case ClockKind::monotonic:
        id = CLOCK_MONOTONIC;
        break;
    case ClockKind::continuous:
        id = CLOCK_BOOTTIME;
        break;
    }
    timespec ts{};
    clock_gettime(id, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

} // namespace vornela
