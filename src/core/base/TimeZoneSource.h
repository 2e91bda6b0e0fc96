#pragma once

#include "core/base/Signal.h"

namespace vornela {

// The system time zone, followed by the platform. `changed` is emitted on the main thread once a
// new zone is in place for the process to read; the core then reads it again and moves the day,
// midnight and every nudge into it.
struct TimeZoneSource {
    Signal<> changed;
};

} // namespace vornela
