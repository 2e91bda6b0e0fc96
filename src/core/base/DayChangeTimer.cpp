#include "core/base/DayChangeTimer.h"

namespace vornela {

DayChangeTimer::DayChangeTimer(Scheduler& scheduler, const Clock& clock, const Calendar& calendar,
                               NotificationCenter& center)
    : scheduler_(scheduler), clock_(clock), calendar_(calendar), center_(center) {}

void DayChangeTimer::start() {
    currentDay_ = calendar_.dayKey(clock_.wallNow());
    arm();
}

void DayChangeTimer::stop() {
    task_.cancel();
}

void DayChangeTimer::arm() {
    const double now = clock_.wallNow();
    const auto midnight = calendar_.startOfNextDay(now);
    // A midnight that is not ahead would fire again at once, for ever.
    if (!midnight || !(*midnight > now)) {
        task_.cancel();
        return;
    }
    task_ = scheduler_.at(ClockKind::wall, *midnight, [this] { fire(); });
}

void DayChangeTimer::fire() {
    currentDay_ = calendar_.dayKey(clock_.wallNow());
    arm();
    center_.post(notifications::calendarDayChanged);
}

void DayChangeTimer::wallClockChanged() {
    const auto today = calendar_.dayKey(clock_.wallNow());
    arm();
    if (today != currentDay_) {
        currentDay_ = today;
        center_.post(notifications::calendarDayChanged);
    }
}

} // namespace vornela
