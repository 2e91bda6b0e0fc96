#pragma once

#include "core/base/Calendar.h"
#include "core/base/Clock.h"
#include "core/base/NotificationCenter.h"
#include "core/base/Published.h"
#include "core/nudges/NudgeCatalogue.h"
#include "core/nudges/NudgeKindID.h"
#include "core/store/BalanceTier.h"
#include "core/store/PreferenceKey.h"
#include "core/store/PreferencesStore.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vornela {

class NudgeSettings;

// The user's day: water, completed and shown nudges, action moments, goals, the balance score
// and the history of daily scores. Everything lives in the preferences under day-stamped keys,
// so a new day starts from zero without a reset job: whatever reads a counter first checks
// that it belongs to today.
class HealthDataStore {
public:
    // Picks up a new day when the platform posts calendar-day-changed or did-wake.
    HealthDataStore(PreferencesStore& preferences, NudgeSettings& settings, const Clock& clock,
                    const Calendar& calendar, NotificationCenter& center);
    HealthDataStore(const HealthDataStore&) = delete;
    HealthDataStore& operator=(const HealthDataStore&) = delete;

    // Published: read and observed by anyone, changed only here.
    Published<std::string, HealthDataStore> trackingDayKey;
    Published<int, HealthDataStore> todayWaterML{0};
    Published<int, HealthDataStore> todayBreaksCompleted{0};
    Published<int, HealthDataStore> todayMovementCompleted{0};
    Published<int, HealthDataStore> todayLaunchCompleted{0};
    Published<int, HealthDataStore> waterGoalML{2000};
    Published<int, HealthDataStore> breaksGoalDaily{6};
    Published<int, HealthDataStore> movementGoalDaily{8};
    Published<int, HealthDataStore> lunchGoalDaily{1};
    Published<BalanceScoreResult, HealthDataStore> balanceScore;
    Published<IntMap, HealthDataStore> dailyBalanceHistory;

    void rollOverIfNeeded();
    void reloadToday();
    void recomputeBalance(double date);
    // rollOverIfNeeded, reloadToday and recomputeBalance(now): start-up and each new day.
    void refresh();

    void recordCompletion(NudgeKindID kind);
    void logWater(int ml);
    void recordNudgeShown(NudgeKindID kind);
    void setWaterGoal(int ml);
    void setBreaksGoal(int count);
    void setMovementGoal(int count);

    NudgeGoals goals() const;
    // Today's stored counters (0 for water, which has none).
    int completedToday(NudgeKindID kind) const;
    int shownToday(NudgeKindID kind) const;
    // Today's action moments, ascending.
    const std::vector<double>& sortedActionTimestamps() const;

    static constexpr int historyDays = 120;

private:
    void recordAction(double date);
    std::string todayKey() const;

    PreferencesStore& preferences_;
    NudgeSettings& settings_;
    const Clock& clock_;
    const Calendar& calendar_;
    Subscription dayChangeTask_;
    Subscription wakeObservationTask_;
    // Today's action moments sorted, reused until the stored list changes (every write, ours or
    // an outside edit, reaches the key's observers and drops it), so recomputing the balance does
    // not decode and sort the list again each time.
    mutable std::optional<std::vector<double>> cachedSortedTimestamps_;
    Subscription timestampsObservation_;
};

} // namespace vornela
