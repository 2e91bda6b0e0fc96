#pragma once

#include "core/base/Clock.h"
#include "core/base/Scheduler.h"

#include <cstdint>
#include <vector>

namespace vornela {

// Virtual time for tests and the simulator: one object is both the clocks and the task queue.
// Nothing runs until the owner advances time or asks for due work.
class ManualScheduler final : public Clock, public Scheduler {
public:
    explicit ManualScheduler(double wallStart, double monotonicStart = 0, double continuousStart = 0);

    double now(ClockKind kind) const override;
    TaskHandle post(std::function<void()> task) override;
    TaskHandle after(ClockKind clock, double delay, std::function<void()> task) override;
    TaskHandle at(ClockKind clock, double deadline, std::function<void()> task) override;

    // Moves every clock forward by `seconds`, running each task as it falls due, in time
    // order; work posted by a task runs before time moves on.
    void advance(double seconds);
    // The machine sleeps: wall and continuous time jump, monotonic time does not. Nothing runs;
    // the owner posts the wake notification and then calls runDue().
    void sleep(double seconds);
    // The user sets the wall clock by `delta` seconds (may be negative). Nothing runs.
    void shiftWall(double delta);
    // Runs posted work and every task already due, in order.
    void runDue();

    std::size_t pendingCount() const;
    // Seconds until the next timed task falls due (by any clock), if there is one.
    bool nextDueIn(double& seconds) const;

private:
    struct Entry {
        bool posted = false;
        ClockKind clock = ClockKind::monotonic;
        double deadline = 0;
        std::uint64_t sequence = 0;
        std::function<void()> task;
        std::shared_ptr<TaskState> state;
    };

    TaskHandle enqueue(Entry entry);
    bool runOnePosted();
    bool runOneDue();
    void prune();
    double& clockRef(ClockKind kind);

    double wall_;
    double monotonic_;
    double continuous_;
    std::uint64_t nextSequence_ = 0;
    std::vector<Entry> entries_;
};

} // namespace vornela
