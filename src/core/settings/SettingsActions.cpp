#include "core/settings/SettingsActions.h"

#include "core/nudges/NudgeCatalogue.h"
#include "core/nudges/NudgeSettings.h"
#include "core/nudges/ReminderEngine.h"
#include "core/store/HealthDataStore.h"
#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesStore.h"

#include <algorithm>
#include <cmath>

namespace vornela {

SettingsActions::SettingsActions(PreferencesStore& preferences, NudgeSettings& settings,
                                 HealthDataStore& health, ReminderEngine& engine)
    : preferences_(preferences), settings_(settings), health_(health), engine_(engine) {}

void SettingsActions::setRemindersEnabled(bool enabled) {
    preferences_.write(keys::remindersEnabled, enabled);
}

void SettingsActions::setPaused(bool paused) {
    engine_.setPaused(paused);
}

void SettingsActions::setDisplayDuration(double seconds) {
    if (std::isnan(seconds))
        return;
    preferences_.write(
        keys::nudgeDisplayDuration,
        std::clamp(std::floor(seconds), keys::minimumDisplayDuration, keys::maximumDisplayDuration));
}

const PreferenceKey<int>& SettingsActions::goalKey(Goal goal) {
    switch (goal) {
    case Goal::water:
        return keys::waterGoalML;
    case Goal::breaks:
        return keys::breaksGoalDaily;
    case Goal::movement:
        break;
    }
    return keys::movementGoalDaily;
}

int SettingsActions::goal(Goal goal) const {
    return preferences_.read(goalKey(goal));
}

void SettingsActions::setGoal(Goal goal, int value) {
    preferences_.write(goalKey(goal), value);
    health_.setWaterGoal(preferences_.read(keys::waterGoalML));
    health_.setBreaksGoal(preferences_.read(keys::breaksGoalDaily));
    health_.setMovementGoal(preferences_.read(keys::movementGoalDaily));
}

void SettingsActions::setNudgeEnabled(NudgeKindID kind, bool enabled) {
    settings_.setKindEnabled(kind, enabled);
    engine_.rescheduleAll();
    engine_.wakeScheduler();
}

void SettingsActions::setNudgeInterval(NudgeKindID kind, double seconds) {
    if (definitionFor(kind).usesDailyClockTime)
        return;
    settings_.storeInterval(kind, seconds);
    engine_.scheduleNext(kind);
}

void SettingsActions::setLunchTime(int minutes) {
    preferences_.write(keys::launchTimeMinutes, std::clamp(minutes, 0, 1439));
    engine_.scheduleNext(NudgeKindID::launch);
}

} // namespace vornela
