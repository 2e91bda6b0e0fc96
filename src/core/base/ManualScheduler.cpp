#include "core/base/ManualScheduler.h"

#include <algorithm>
#include <limits>

namespace vornela {

ManualScheduler::ManualScheduler(double wallStart, double monotonicStart, double continuousStart)
    : wall_(wallStart), monotonic_(monotonicStart), continuous_(continuousStart) {}

double ManualScheduler::now(ClockKind kind) const {
    switch (kind) {
    case ClockKind::wall:
        return wall_;
    case ClockKind::monotonic:
        return monotonic_;
    case ClockKind::continuous:
        return continuous_;
    }
    return wall_;
}

double& ManualScheduler::clockRef(ClockKind kind) {
    switch (kind) {
    case ClockKind::wall:
        return wall_;
    case ClockKind::monotonic:
        return monotonic_;
    case ClockKind::continuous:
        return continuous_;
    }
    return wall_;
}

TaskHandle ManualScheduler::enqueue(Entry entry) {
    entry.sequence = nextSequence_++;
    entry.state = std::make_shared<TaskState>();
    TaskHandle handle(entry.state);
    entries_.push_back(std::move(entry));
    return handle;
}

TaskHandle ManualScheduler::post(std::function<void()> task) {
    Entry entry;
    entry.posted = true;
    entry.task = std::move(task);
    return enqueue(std::move(entry));
}

TaskHandle ManualScheduler::after(ClockKind clock, double delay, std::function<void()> task) {
    return at(clock, now(clock) + std::max(delay, 0.0), std::move(task));
}

TaskHandle ManualScheduler::at(ClockKind clock, double deadline, std::function<void()> task) {
    Entry entry;
    entry.clock = clock;
    entry.deadline = deadline;
    entry.task = std::move(task);
    return enqueue(std::move(entry));
}

void ManualScheduler::prune() {
    std::erase_if(entries_, [](const Entry& e) { return e.state->cancelled; });
}

bool ManualScheduler::runOnePosted() {
    prune();
    auto it = std::min_element(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        if (a.posted != b.posted)
            return a.posted;
        return a.sequence < b.sequence;
    });
    if (it == entries_.end() || !it->posted)
        return false;
    Entry entry = std::move(*it);
    entries_.erase(it);
    entry.state->finished = true;
    entry.task();
    return true;
}

bool ManualScheduler::runOneDue() {
    prune();
    // The most overdue task first; among equals, the one scheduled first.
    Entry* best = nullptr;
    double bestLateness = 0;
    for (auto& e : entries_) {
        if (e.posted)
            continue;
        const double lateness = now(e.clock) - e.deadline;
        if (lateness < 0)
            continue;
        if (!best || lateness > bestLateness || (lateness == bestLateness && e.sequence < best->sequence)) {
            best = &e;
            bestLateness = lateness;
        }
    }
    if (!best)
        return false;
    Entry entry = std::move(*best);
    entries_.erase(entries_.begin() + (best - entries_.data()));
    entry.state->finished = true;
    entry.task();
    return true;
}

void ManualScheduler::runDue() {
    for (;;) {
        while (runOnePosted()) {
        }
        if (!runOneDue())
            break;
    }
}

bool ManualScheduler::nextDueIn(double& seconds) const {
    bool found = false;
    double best = std::numeric_limits<double>::infinity();
    for (const auto& e : entries_) {
        if (e.posted || e.state->cancelled)
            continue;
        best = std::min(best, e.deadline - now(e.clock));
        found = true;
    }
    if (found)
        seconds = std::max(best, 0.0);
    return found;
}

void ManualScheduler::advance(double seconds) {
    const double targetWall = wall_ + seconds;
    const double targetMonotonic = monotonic_ + seconds;
    const double targetContinuous = continuous_ + seconds;
    double remaining = std::max(seconds, 0.0);
    runDue();
    for (;;) {
        double step = 0;
        if (!nextDueIn(step) || step > remaining)
            break;
        wall_ += step;
        monotonic_ += step;
        continuous_ += step;
        remaining -= step;
        // Land exactly on the deadline that made us stop, so it counts as due despite rounding.
        for (const auto& e : entries_) {
            if (!e.posted && !e.state->cancelled && e.deadline - now(e.clock) <= 1e-9 &&
                e.deadline - now(e.clock) > 0)
                clockRef(e.clock) = e.deadline;
        }
        runDue();
    }
    wall_ = targetWall;
    monotonic_ = targetMonotonic;
    continuous_ = targetContinuous;
    runDue();
}

void ManualScheduler::sleep(double seconds) {
    wall_ += seconds;
    continuous_ += seconds;
}

void ManualScheduler::shiftWall(double delta) {
    wall_ += delta;
}

std::size_t ManualScheduler::pendingCount() const {
    return static_cast<std::size_t>(
        std::count_if(entries_.begin(), entries_.end(), [](const Entry& e) { return !e.state->cancelled; }));
}

} // namespace vornela
