#pragma once

#include "core/base/Clock.h"
#include "core/base/Scheduler.h"
#include "core/base/UniqueFd.h"

#include <QObject>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>

class QTimer;
class QSocketNotifier;

namespace vornela {

// Core's task queue on the Qt event loop. Monotonic tasks use precise QTimers; continuous tasks
// a CLOCK_BOOTTIME timerfd (time in suspend counts); wall tasks a CLOCK_REALTIME timerfd that
// follows clock changes. Deadlines are read from `clock`, which must read the kernel's clocks
// (SystemClock). Nothing wakes up while no task is pending.
class QtScheduler : public QObject, public Scheduler {
    Q_OBJECT
public:
    explicit QtScheduler(const Clock& clock);
    ~QtScheduler() override;

    TaskHandle post(std::function<void()> task) override;
    TaskHandle after(ClockKind clock, double delay, std::function<void()> task) override;
    TaskHandle at(ClockKind clock, double deadline, std::function<void()> task) override;

    // The wall clock was set (noticed by a pending wall task); called once per change.
    std::function<void()> onWallClockChanged;

private:
    struct Posted {
        std::function<void()> task;
        std::shared_ptr<TaskState> state;
    };
    struct Timed {
        ClockKind clock = ClockKind::monotonic;
        double deadline = 0;
        std::function<void()> task;
        std::shared_ptr<TaskState> state;
        QTimer* timer = nullptr;
        bool timerCapped = false; // the QTimer interval was clamped; re-arm when it fires
        UniqueFd fd;
        QSocketNotifier* notifier = nullptr;
        bool fired = false;
    };

    void armTimer(std::uint64_t id, Timed& entry);
    bool armTimerFd(std::uint64_t id, Timed& entry);
    void timerFired(std::uint64_t id);
    void timerFdReadable(std::uint64_t id);
    void release(Timed& entry);
    void cancelTimed(std::uint64_t id);
    void runDue();
    void drainPosts();
    void noteWallClockChanged();

    const Clock& clock_;
    std::deque<Posted> posted_;
    bool drainQueued_ = false;
    bool wallChangeQueued_ = false;
    std::map<std::uint64_t, Timed> timed_;
    std::uint64_t nextId_ = 0;
    // Cancel closures in TaskStates may outlive us: they reach us only through this token.
    std::shared_ptr<QtScheduler*> alive_;
};

} // namespace vornela
