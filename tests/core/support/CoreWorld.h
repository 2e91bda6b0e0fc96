#pragma once

#include "core/base/Calendar.h"
#include "core/base/DayChangeTimer.h"
#include "core/base/ManualScheduler.h"
#include "core/base/NotificationCenter.h"
#include "core/nudges/NudgeRescheduler.h"
#include "core/nudges/NudgeSettings.h"
#include "core/store/HealthDataStore.h"
#include "core/store/InMemoryPreferencesBackend.h"
#include "core/store/PreferencesStore.h"
#include "support/ScopedTimeZone.h"

#include <memory>
#include <vector>

namespace vornela::testing {

// Records what the interval rules asked the engine to reschedule.
class RecordingRescheduler : public NudgeRescheduler {
public:
    void scheduleNext(NudgeKindID kind) override { requests.push_back(kind); }
    std::vector<NudgeKindID> requests;
};

// The core's day record on virtual time, in a fixed time zone, with preferences in memory.
// The backend outlives restarts so a test can "relaunch" on the same stored state.
struct CoreWorld {
    explicit CoreWorld(const char* zone, int y, int mo, int d, int h = 9, int mi = 0)
        : timeZone(zone), scheduler(calendar.date(y, mo, d, h, mi).value()) {
        start();
    }

    void start() {
        preferences = std::make_unique<PreferencesStore>(backend, scheduler);
        settings = std::make_unique<NudgeSettings>(*preferences);
        settings->setRescheduler(&rescheduler);
        health = std::make_unique<HealthDataStore>(*preferences, *settings, scheduler, calendar, center);
        dayTimer = std::make_unique<DayChangeTimer>(scheduler, scheduler, calendar, center);
        dayTimer->start();
    }

    void restart() {
        dayTimer.reset();
        health.reset();
        settings.reset();
        preferences.reset();
        start();
    }

    // The machine sleeps, then wakes as the platform reports it.
    void sleepFor(double seconds) {
        scheduler.sleep(seconds);
        center.post(notifications::didWake);
        scheduler.runDue();
    }

    double at(int h, int mi) const {
        return calendar.dateAtMinutes(scheduler.wallNow(), h * 60 + mi).value();
    }

    ScopedTimeZone timeZone;
    Calendar calendar;
    ManualScheduler scheduler;
    NotificationCenter center;
    InMemoryPreferencesBackend backend;
    RecordingRescheduler rescheduler;
    std::unique_ptr<PreferencesStore> preferences;
    std::unique_ptr<NudgeSettings> settings;
    std::unique_ptr<HealthDataStore> health;
    std::unique_ptr<DayChangeTimer> dayTimer;
};

} // namespace vornela::testing
