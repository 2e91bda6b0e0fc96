#pragma once

#include "core/nudges/NudgeCatalogue.h"
#include "core/nudges/NudgeDefinition.h"
#include "core/nudges/NudgeRescheduler.h"
#include "core/store/PreferencesStore.h"

#include <vector>

namespace vornela {

// The per-kind settings (enabled, interval) and the rules that turn goals into intervals.
class NudgeSettings {
public:
    // Intervals below this are never stored and never used.
    static constexpr double minimumInterval = 1800;

    explicit NudgeSettings(PreferencesStore& preferences);

    void setRescheduler(NudgeRescheduler* rescheduler) { rescheduler_ = rescheduler; }

    bool isKindEnabled(NudgeKindID kind) const;
    void setKindEnabled(NudgeKindID kind, bool enabled);
    std::vector<NudgeDefinition> enabledDefinitions() const;
    // The stored interval when it is at least the minimum, else `fallback`.
    double effectiveInterval(NudgeKindID kind, double fallback) const;
    double effectiveInterval(NudgeKindID kind) const;
    void storeInterval(NudgeKindID kind, double seconds);

    // A goal changed: store the kind's goal-derived interval and have it rescheduled. Kinds on a
    // daily clock time keep their interval and are only rescheduled.
    void syncIntervalForGoal(NudgeKindID kind, const NudgeGoals& goals);
    // Rewrites every interval from the goals; the caller reschedules.
    void syncAllIntervals(int breaks, int movement, int waterML);

    // Once per installation, before the first fire dates: intervals follow the stored goals.
    void migrateToGoalSyncedIntervals();
    // Onboarding's fresh start: default goals and their intervals.
    void resetGoalsToDefaults();

private:
    PreferencesStore& preferences_;
    NudgeRescheduler* rescheduler_ = nullptr;
};

} // namespace vornela
