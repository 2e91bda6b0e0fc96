#pragma once

#include "core/nudges/NudgeKindID.h"

namespace vornela {

// What interval changes need from the reminder engine: compute one kind's next fire date again.
class NudgeRescheduler {
public:
    virtual ~NudgeRescheduler() = default;
    virtual void scheduleNext(NudgeKindID kind) = 0;
};

} // namespace vornela
