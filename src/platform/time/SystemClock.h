#pragma once

#include "core/base/Clock.h"

namespace vornela {

// The kernel's clocks: REALTIME for wall time, MONOTONIC (stops in suspend) and BOOTTIME
// (counts suspend) for continuous time.
class SystemClock : public Clock {
public:
    double now(ClockKind kind) const override;
};

} // namespace vornela
