#include "core/store/HealthDataStore.h"

#include "core/nudges/NudgeSettings.h"
#include "core/store/BalanceScore.h"
#include "core/store/PreferenceKeys.h"

#include <algorithm>
#include <array>
#include <limits>

namespace vornela {

namespace {

// Water keeps no completion or shown counters.
constexpr std::array<NudgeKindID, 4> countedKinds = {NudgeKindID::eyeBreak, NudgeKindID::standMove,
                                                     NudgeKindID::postureCheck, NudgeKindID::launch};

} // namespace

HealthDataStore::HealthDataStore(PreferencesStore& preferences, NudgeSettings& settings, const Clock& clock,
                                 const Calendar& calendar, NotificationCenter& center)
    : preferences_(preferences), settings_(settings), clock_(clock), calendar_(calendar) {
    dayChangeTask_ = center.observe(notifications::calendarDayChanged, [this] { refresh(); });
    wakeObservationTask_ = center.observe(notifications::didWake, [this] { refresh(); });
    timestampsObservation_ =
        preferences_.observe(keys::actionTimestamps.name, [this] { cachedSortedTimestamps_.reset(); });
    refresh();
}

std::string HealthDataStore::todayKey() const {
    return calendar_.dayKey(clock_.wallNow());
}

void HealthDataStore::refresh() {
    rollOverIfNeeded();
    reloadToday();
    recomputeBalance(clock_.wallNow());
}

void HealthDataStore::rollOverIfNeeded() {
    const std::string today = todayKey();
    if (preferences_.read(keys::nudgeCompletionsDay) != today) {
        preferences_.write(keys::nudgeCompletionsDay, today);
        for (auto kind : countedKinds)
            preferences_.write(keys::nudgeCompletions(kind), 0);
    }
    if (preferences_.read(keys::nudgeShownDay) != today) {
        preferences_.write(keys::nudgeShownDay, today);
        for (auto kind : countedKinds)
            preferences_.write(keys::nudgeShown(kind), 0);
    }
    if (preferences_.read(keys::actionTimestampsDay) != today) {
        preferences_.write(keys::actionTimestampsDay, today);
        preferences_.write(keys::actionTimestamps, std::vector<double>{});
    }
    trackingDayKey.set(today);
}

void HealthDataStore::reloadToday() {
    const std::string today = todayKey();
    trackingDayKey.set(today);
    const bool waterIsToday = preferences_.read(keys::waterIntakeDay) == today;
    todayWaterML.set(waterIsToday ? std::max(preferences_.read(keys::waterIntakeML), 0) : 0);
    todayBreaksCompleted.set(completedToday(NudgeKindID::eyeBreak));
    todayMovementCompleted.set(completedToday(NudgeKindID::standMove));
    todayLaunchCompleted.set(completedToday(NudgeKindID::launch));
    waterGoalML.set(std::max(preferences_.read(keys::waterGoalML), 500));
    breaksGoalDaily.set(std::max(preferences_.read(keys::breaksGoalDaily), 1));
    movementGoalDaily.set(std::max(preferences_.read(keys::movementGoalDaily), 1));
    lunchGoalDaily.set(1);
    dailyBalanceHistory.set(preferences_.read(keys::dailyBalanceHistory));
}

int HealthDataStore::completedToday(NudgeKindID kind) const {
    if (kind == NudgeKindID::water)
        return 0;
    return std::max(preferences_.read(keys::nudgeCompletions(kind)), 0);
}

int HealthDataStore::shownToday(NudgeKindID kind) const {
    if (kind == NudgeKindID::water)
        return 0;
    return std::max(preferences_.read(keys::nudgeShown(kind)), 0);
}

NudgeGoals HealthDataStore::goals() const {
    return NudgeGoals{breaksGoalDaily.get(), movementGoalDaily.get(), waterGoalML.get()};
}

const std::vector<double>& HealthDataStore::sortedActionTimestamps() const {
    if (!cachedSortedTimestamps_) {
        auto sorted = preferences_.read(keys::actionTimestamps);
        std::sort(sorted.begin(), sorted.end());
        cachedSortedTimestamps_ = std::move(sorted);
    }
    return *cachedSortedTimestamps_;
}

void HealthDataStore::recomputeBalance(double date) {
    rollOverIfNeeded();
    const std::string key = calendar_.dayKey(date);
    const BalanceInputs inputs{todayBreaksCompleted.get(),   breaksGoalDaily.get(),
                               todayMovementCompleted.get(), movementGoalDaily.get(),
                               todayLaunchCompleted.get(),   lunchGoalDaily.get(),
                               todayWaterML.get(),           waterGoalML.get()};
    const auto result = computeBalance(inputs, sortedActionTimestamps(), date, key);
    balanceScore.set(result);

    auto history = preferences_.read(keys::dailyBalanceHistory);
    history[key] = std::clamp(result.score, 0, 100);
    // Keep 120 days back from the day computed; an entry exactly that old stays.
    if (const auto oldest = calendar_.addDays(date, -historyDays)) {
        const std::string oldestKey = calendar_.dayKey(*oldest);
        std::erase_if(history, [&](const auto& entry) { return entry.first < oldestKey; });
    }
    preferences_.write(keys::dailyBalanceHistory, history);
    dailyBalanceHistory.set(std::move(history));
}

void HealthDataStore::recordCompletion(NudgeKindID kind) {
    if (kind == NudgeKindID::water)
        return;
    rollOverIfNeeded();
    const auto key = keys::nudgeCompletions(kind);
    preferences_.write(key, std::max(preferences_.read(key), 0) + 1);
    reloadToday();
    recordAction(clock_.wallNow());
}

void HealthDataStore::logWater(int ml) {
    if (ml < 1)
        return;
    rollOverIfNeeded();
    const std::string today = todayKey();
    const int current = preferences_.read(keys::waterIntakeDay) == today
                            ? std::max(preferences_.read(keys::waterIntakeML), 0)
                            : 0;
    // Saturate rather than wrap: a wrapped total would read as negative and lose the day.
    const int updated =
        ml > std::numeric_limits<int>::max() - current ? std::numeric_limits<int>::max() : current + ml;
    preferences_.write(keys::waterIntakeDay, today);
    preferences_.write(keys::waterIntakeML, updated);
    todayWaterML.set(updated);
    recordAction(clock_.wallNow());
}

void HealthDataStore::recordNudgeShown(NudgeKindID kind) {
    if (kind == NudgeKindID::water)
        return;
    rollOverIfNeeded();
    const auto key = keys::nudgeShown(kind);
    preferences_.write(key, std::max(preferences_.read(key), 0) + 1);
    recomputeBalance(clock_.wallNow());
}

void HealthDataStore::recordAction(double date) {
    auto timestamps = preferences_.read(keys::actionTimestamps);
    timestamps.push_back(date);
    preferences_.write(keys::actionTimestamps, timestamps);
    recomputeBalance(date);
}

void HealthDataStore::setWaterGoal(int ml) {
    const int goal = std::max(ml, 500);
    preferences_.write(keys::waterGoalML, goal);
    waterGoalML.set(goal);
    recomputeBalance(clock_.wallNow());
    settings_.syncIntervalForGoal(NudgeKindID::water, goals());
}

void HealthDataStore::setBreaksGoal(int count) {
    const int goal = std::max(count, 1);
    preferences_.write(keys::breaksGoalDaily, goal);
    breaksGoalDaily.set(goal);
    recomputeBalance(clock_.wallNow());
    settings_.syncIntervalForGoal(NudgeKindID::eyeBreak, goals());
}

void HealthDataStore::setMovementGoal(int count) {
    const int goal = std::max(count, 1);
    preferences_.write(keys::movementGoalDaily, goal);
    movementGoalDaily.set(goal);
    recomputeBalance(clock_.wallNow());
    settings_.syncIntervalForGoal(NudgeKindID::standMove, goals());
}

} // namespace vornela
