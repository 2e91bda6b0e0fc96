#include "platform/time/QtScheduler.h"

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>

#include <sys/timerfd.h>
#include <unistd.h>

namespace vornela {

namespace {

// An absolute kernel instant for timerfd_settime. Zero would disarm the timer, so a deadline at
// or before the epoch becomes the smallest armed value (already passed: fires at once).
timespec toTimespec(double seconds) {
    constexpr double latest = 1e15; // far beyond any real deadline, still fits time_t
    seconds = std::clamp(seconds, 0.0, latest);
    double whole = std::floor(seconds);
    auto nanos = static_cast<long>(std::ceil((seconds - whole) * 1e9));
    if (nanos >= 1'000'000'000L) {
        whole += 1;
        nanos -= 1'000'000'000L;
    }
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(whole);
    ts.tv_nsec = nanos;
    if (ts.tv_sec == 0 && ts.tv_nsec == 0)
        ts.tv_nsec = 1;
    return ts;
}

bool setDeadline(int fd, ClockKind clock, double deadline) {
    itimerspec value{};
    value.it_value = toTimespec(deadline);
    int flags = TFD_TIMER_ABSTIME;
    if (clock == ClockKind::wall)
        flags |= TFD_TIMER_CANCEL_ON_SET;
    return timerfd_settime(fd, flags, &value, nullptr) == 0;
}

} // namespace

QtScheduler::QtScheduler(const Clock& clock) : clock_(clock), alive_(std::make_shared<QtScheduler*>(this)) {}

QtScheduler::~QtScheduler() {
    alive_.reset();
    for (auto& [id, entry] : timed_) {
        release(entry);
        entry.state->cancelled = true; // it will never run
    }
    for (auto& item : posted_)
        item.state->cancelled = true;
}

TaskHandle QtScheduler::post(std::function<void()> task) {
    auto state = std::make_shared<TaskState>();
    posted_.push_back(Posted{std::move(task), state});
    if (!drainQueued_) {
        drainQueued_ = true;
        QMetaObject::invokeMethod(
            this, [this] { runDue(); }, Qt::QueuedConnection);
    }
    return TaskHandle(state);
}

TaskHandle QtScheduler::after(ClockKind clock, double delay, std::function<void()> task) {
    if (std::isnan(delay))
        delay = 0;
    return at(clock, clock_.now(clock) + std::max(delay, 0.0), std::move(task));
}

TaskHandle QtScheduler::at(ClockKind clock, double deadline, std::function<void()> task) {
    if (std::isnan(deadline))
        deadline = clock_.now(clock); // no meaningful instant: as soon as possible
    const std::uint64_t id = nextId_++;
    auto state = std::make_shared<TaskState>();
    std::weak_ptr<QtScheduler*> weak = alive_;
    state->onCancel = [weak, id] {
        if (auto self = weak.lock())
            (*self)->cancelTimed(id);
    };
    Timed& entry = timed_[id];
    entry.clock = clock;
    entry.deadline = deadline;
    entry.task = std::move(task);
    entry.state = state;
    // An infinite deadline never comes: hold the task without a kernel timer.
    if (std::isfinite(deadline)) {
        if (clock == ClockKind::monotonic || !armTimerFd(id, entry))
            armTimer(id, entry);
    }
    return TaskHandle(state);
}

void QtScheduler::armTimer(std::uint64_t id, Timed& entry) {
    const double remaining = std::max(entry.deadline - clock_.now(entry.clock), 0.0);
    const double millis = std::ceil(remaining * 1000.0);
    entry.timerCapped = millis > static_cast<double>(INT_MAX);
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    // Coarse timers may slip by 5 %: 15 s late on a five-minute sleep.
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, [this, id] { timerFired(id); });
    timer->start(entry.timerCapped ? INT_MAX : static_cast<int>(millis));
    entry.timer = timer;
}

bool QtScheduler::armTimerFd(std::uint64_t id, Timed& entry) {
    const clockid_t kernelClock = entry.clock == ClockKind::wall ? CLOCK_REALTIME : CLOCK_BOOTTIME;
    UniqueFd fd(timerfd_create(kernelClock, TFD_NONBLOCK | TFD_CLOEXEC));
    if (!fd || !setDeadline(fd.get(), entry.clock, entry.deadline))
        return false;
    entry.fd = std::move(fd);
    entry.notifier = new QSocketNotifier(entry.fd.get(), QSocketNotifier::Read, this);
    connect(entry.notifier, &QSocketNotifier::activated, this, [this, id] { timerFdReadable(id); });
    return true;
}

void QtScheduler::timerFired(std::uint64_t id) {
    auto it = timed_.find(id);
    if (it == timed_.end())
        return;
    Timed& entry = it->second;
    if (entry.timerCapped && entry.deadline - clock_.now(entry.clock) > 0.001) {
        entry.timer->deleteLater();
        entry.timer = nullptr;
        armTimer(id, entry);
        return;
    }
    entry.fired = true;
    runDue();
}

void QtScheduler::timerFdReadable(std::uint64_t id) {
    auto it = timed_.find(id);
    if (it == timed_.end())
        return;
    Timed& entry = it->second;
    std::uint64_t expirations = 0;
    if (::read(entry.fd.get(), &expirations, sizeof expirations) < 0) {
        if (errno == ECANCELED) {
            // The wall clock was set. The deadline is absolute, so arm it again as it was: it
            // fires at once if the new time is already past it.
            setDeadline(entry.fd.get(), entry.clock, entry.deadline);
            noteWallClockChanged();
        }
        return; // EAGAIN: someone else's wake-up
    }
    entry.fired = true;
    runDue();
}

void QtScheduler::noteWallClockChanged() {
    if (wallChangeQueued_)
        return;
    // Several wall tasks notice the same change; tell the owner once.
    wallChangeQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            wallChangeQueued_ = false;
            if (onWallClockChanged)
                onWallClockChanged();
        },
        Qt::QueuedConnection);
}

void QtScheduler::release(Timed& entry) {
    if (entry.timer) {
        entry.timer->stop();
        entry.timer->deleteLater();
        entry.timer = nullptr;
    }
    if (entry.notifier) {
        entry.notifier->setEnabled(false); // before the fd closes and its number is reused
        entry.notifier->deleteLater();
        entry.notifier = nullptr;
    }
    entry.fd.reset();
}

void QtScheduler::cancelTimed(std::uint64_t id) {
    auto it = timed_.find(id);
    if (it == timed_.end())
        return;
    release(it->second);
    timed_.erase(it);
}

void QtScheduler::drainPosts() {
    drainQueued_ = false;
    while (!posted_.empty()) {
        Posted item = std::move(posted_.front());
        posted_.pop_front();
        if (item.state->cancelled)
            continue;
        item.state->finished = true;
        item.task();
    }
}

// Runs posted work, then the most overdue timed task (ties: the one scheduled first), and again
// until nothing is due. Tasks come off the table before they run, so a task that cancels or
// schedules others, or spins a nested event loop, sees a consistent queue.
void QtScheduler::runDue() {
    for (;;) {
        drainPosts();
        // One reading per clock, so tasks with equal deadlines are equally late.
        const double wall = clock_.wallNow();
        const double monotonic = clock_.monotonicNow();
        const double continuous = clock_.continuousNow();
        auto nowOf = [&](ClockKind kind) {
            return kind == ClockKind::wall ? wall : kind == ClockKind::monotonic ? monotonic : continuous;
        };
        auto best = timed_.end();
        double bestLateness = 0;
        for (auto it = timed_.begin(); it != timed_.end(); ++it) {
            const Timed& entry = it->second;
            double lateness = nowOf(entry.clock) - entry.deadline;
            if (!(lateness >= 0)) {
                if (!entry.fired)
                    continue;
                lateness = 0; // its kernel timer says it is due; rounding says a hair early
            }
            if (best == timed_.end() || lateness > bestLateness) {
                best = it;
                bestLateness = lateness;
            }
        }
        if (best == timed_.end())
            return;
        Timed entry = std::move(best->second);
        timed_.erase(best);
        release(entry);
        entry.state->finished = true;
        entry.task();
    }
}

} // namespace vornela
