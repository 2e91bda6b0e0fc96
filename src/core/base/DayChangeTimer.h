#pragma once

#include "core/base/Calendar.h"
#include "core/base/Clock.h"
#include "core/base/NotificationCenter.h"
#include "core/base/Scheduler.h"

#include <string>

namespace vornela {

// Posts calendar-day-changed at each local midnight, and when a clock or time-zone change moves
// the local date. The midnight task is a wall-clock deadline, so it also fires on the first turn
// after the machine wakes past midnight. Where the calendar has no next midnight (far outside
// its range) no task is armed until the clock changes again.
class DayChangeTimer {
public:
    DayChangeTimer(Scheduler& scheduler, const Clock& clock, const Calendar& calendar,
                   NotificationCenter& center);

    void start();
    void stop();
    // The wall clock was set, or the time zone changed: post if the date moved, and aim at the
    // new next midnight.
    void wallClockChanged();
    void timeZoneChanged() { wallClockChanged(); }

private:
    void arm();
    void fire();

    Scheduler& scheduler_;
    const Clock& clock_;
    const Calendar& calendar_;
    NotificationCenter& center_;
    std::string currentDay_;
    TaskHandle task_;
};

} // namespace vornela
