#pragma once

#include "core/nudges/NudgeKindID.h"
#include "core/store/PreferenceKey.h"

namespace vornela::keys {

// The complete persisted state of Vornela.
inline const PreferenceKey<bool> remindersEnabled{"remindersEnabled", true};
inline const PreferenceKey<double> nudgeDisplayDuration{"nudgeDisplayDuration", 6.0};
// The settings stepper's range, in seconds; a hand-edited value is read clamped to it.
inline constexpr double minimumDisplayDuration = 3;
inline constexpr double maximumDisplayDuration = 20;
inline const PreferenceKey<std::string> backgroundColorHex{"backgroundColorHex", "#050506"};
inline const PreferenceKey<bool> hasCompletedOnboarding{"hasCompletedOnboarding", false};
inline const PreferenceKey<int> launchTimeMinutes{"launchTimeMinutes", 750};
inline const PreferenceKey<bool> nudgeIntervalsMigratedGoalSync{"nudgeIntervalsMigratedGoalSync", false};
inline const PreferenceKey<bool> legacyWaterGoalDefaultMigrated{"legacyWaterGoalDefaultMigrated", false};
inline const PreferenceKey<std::string> waterIntakeDay{"waterIntakeDay", ""};
inline const PreferenceKey<int> waterIntakeML{"waterIntakeML", 0};
inline const PreferenceKey<int> waterGoalML{"waterGoalML", 2000};
inline const PreferenceKey<int> breaksGoalDaily{"breaksGoalDaily", 6};
inline const PreferenceKey<int> movementGoalDaily{"movementGoalDaily", 8};
inline const PreferenceKey<std::string> nudgeCompletionsDay{"nudgeCompletionsDay", ""};
inline const PreferenceKey<std::string> nudgeShownDay{"nudgeShownDay", ""};
inline const PreferenceKey<std::string> actionTimestampsDay{"actionTimestampsDay", ""};
inline const PreferenceKey<std::vector<double>> actionTimestamps{"actionTimestamps", {}};
inline const PreferenceKey<IntMap> dailyBalanceHistory{"dailyBalanceHistory", {}};

// Per-kind keys: a prefix, an underscore and the kind's raw value.
inline PreferenceKey<bool> nudgeEnabled(NudgeKindID kind) {
    return {"nudgeEnabled_" + std::string(rawValue(kind)), true};
}
inline PreferenceKey<double> nudgeInterval(NudgeKindID kind) {
    return {"nudgeInterval_" + std::string(rawValue(kind)), 3600.0};
}
inline PreferenceKey<int> nudgeCompletions(NudgeKindID kind) {
    return {"nudgeCompletions_" + std::string(rawValue(kind)), 0};
}
inline PreferenceKey<int> nudgeShown(NudgeKindID kind) {
    return {"nudgeShown_" + std::string(rawValue(kind)), 0};
}

} // namespace vornela::keys
