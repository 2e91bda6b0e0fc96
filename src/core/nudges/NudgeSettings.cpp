#include "core/nudges/NudgeSettings.h"

#include "core/store/PreferenceKeys.h"

#include <algorithm>

namespace vornela {

NudgeSettings::NudgeSettings(PreferencesStore& preferences) : preferences_(preferences) {}

bool NudgeSettings::isKindEnabled(NudgeKindID kind) const {
    return preferences_.read(keys::nudgeEnabled(kind));
}

void NudgeSettings::setKindEnabled(NudgeKindID kind, bool enabled) {
    preferences_.write(keys::nudgeEnabled(kind), enabled);
}

std::vector<NudgeDefinition> NudgeSettings::enabledDefinitions() const {
    std::vector<NudgeDefinition> enabled;
    for (const auto& definition : allDefinitions()) {
        if (isKindEnabled(definition.id))
            enabled.push_back(definition);
    }
    return enabled;
}

double NudgeSettings::effectiveInterval(NudgeKindID kind, double fallback) const {
    const double stored = preferences_.read(keys::nudgeInterval(kind));
    return stored >= minimumInterval ? stored : fallback;
}

double NudgeSettings::effectiveInterval(NudgeKindID kind) const {
    return effectiveInterval(kind, definitionFor(kind).defaultInterval);
}

void NudgeSettings::storeInterval(NudgeKindID kind, double seconds) {
    preferences_.write(keys::nudgeInterval(kind), std::max(seconds, minimumInterval));
}

void NudgeSettings::syncIntervalForGoal(NudgeKindID kind, const NudgeGoals& goals) {
    if (!definitionFor(kind).usesDailyClockTime)
        storeInterval(kind, syncedInterval(kind, goals));
    if (rescheduler_)
        rescheduler_->scheduleNext(kind);
}

void NudgeSettings::syncAllIntervals(int breaks, int movement, int waterML) {
    const NudgeGoals goals{breaks, movement, waterML};
    for (const auto& definition : allDefinitions()) {
        if (!definition.usesDailyClockTime)
            storeInterval(definition.id, syncedInterval(definition.id, goals));
    }
}

void NudgeSettings::migrateToGoalSyncedIntervals() {
    if (preferences_.read(keys::nudgeIntervalsMigratedGoalSync))
        return;
    syncAllIntervals(std::max(preferences_.read(keys::breaksGoalDaily), 1),
                     std::max(preferences_.read(keys::movementGoalDaily), 1),
                     std::max(preferences_.read(keys::waterGoalML), 500));
    preferences_.write(keys::nudgeIntervalsMigratedGoalSync, true);
}

void NudgeSettings::resetGoalsToDefaults() {
    preferences_.write(keys::waterGoalML, 2000);
    preferences_.write(keys::breaksGoalDaily, 6);
    preferences_.write(keys::movementGoalDaily, 8);
    syncAllIntervals(6, 8, 2000);
}

} // namespace vornela
