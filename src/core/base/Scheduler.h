#pragma once

#include "core/base/Clock.h"
#include "core/base/TaskHandle.h"

#include <functional>

namespace vornela {

// The main thread's task queue. Every task body runs on the main thread; a cancelled task
// never runs. Tasks due at the same moment run in the order they were scheduled.
class Scheduler {
public:
    virtual ~Scheduler() = default;

    // Runs after the work in progress, before any timed task that is due later.
    [[nodiscard]] virtual TaskHandle post(std::function<void()> task) = 0;
    // Runs once `clock` has advanced by `delay` seconds from now.
    [[nodiscard]] virtual TaskHandle after(ClockKind clock, double delay, std::function<void()> task) = 0;
    // Runs once `clock` reads `deadline` or later. A wall deadline follows clock changes.
    [[nodiscard]] virtual TaskHandle at(ClockKind clock, double deadline, std::function<void()> task) = 0;
};

} // namespace vornela
