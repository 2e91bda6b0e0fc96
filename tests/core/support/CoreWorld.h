#pragma once

#include "core/base/Calendar.h"
#include "fakes/VirtualDesktop.h"
#include "support/ScopedTimeZone.h"

namespace vornela::testing {

// Set before the core is built: it reads the day at construction.
struct InTimeZone {
    explicit InTimeZone(const char* zone) : timeZone(zone) {}
    ScopedTimeZone timeZone;
};

// The whole core on virtual time in a fixed time zone, built by its composition root with a
// recorder at every port. Not launched: the test decides. The pointers follow `restart`.
struct CoreWorld : InTimeZone, fakes::VirtualDesktop {
    explicit CoreWorld(const char* zone, int y, int mo, int d, int h = 9, int mi = 0,
                       std::vector<ScreenInfo> screens = {fakes::notchedLaptop()})
        : InTimeZone(zone), fakes::VirtualDesktop(Calendar().date(y, mo, d, h, mi).value(),
                                                  std::move(screens)) {
        bind();
    }

    void restart() {
        fakes::VirtualDesktop::restart();
        bind();
    }

    double at(int h, int mi) const {
        return calendar.dateAtMinutes(scheduler.wallNow(), h * 60 + mi).value();
    }
    void advance(double seconds) { scheduler.advance(seconds); }

    PreferencesStore* preferences = nullptr;
    NudgeSettings* settings = nullptr;
    HealthDataStore* health = nullptr;
    ReminderEngine* engine = nullptr;
    NotificationCenter* center = nullptr;
    DayChangeTimer* dayTimer = nullptr;

private:
    void bind() {
        preferences = &core->preferences();
        settings = &core->nudgeSettings();
        health = &core->health();
        engine = &core->engine();
        center = &core->center();
        dayTimer = &core->dayTimer();
    }
};

} // namespace vornela::testing
