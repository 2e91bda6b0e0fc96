#pragma once

#include "core/nudges/NudgeKindID.h"
#include "core/store/PreferenceKey.h"

namespace vornela {

class HealthDataStore;
class NudgeSettings;
class PreferencesStore;
class ReminderEngine;

// What the settings controls do, shared by the settings window, onboarding and the simulator:
// each write goes to the store it belongs to, clamped as the control is, and the reminder engine
// hears about it in the order it needs.
class SettingsActions {
public:
    enum class Goal { water, breaks, movement };

    SettingsActions(PreferencesStore& preferences, NudgeSettings& settings, HealthDataStore& health,
                    ReminderEngine& engine);

    void setRemindersEnabled(bool enabled);
    // Not remembered across launches.
    void setPaused(bool paused);
    // Whole seconds, 3 to 20, as the stepper offers them.
    void setDisplayDuration(double seconds);
    // Writes the goal, then hands all three current goals to the day record, water first.
    void setGoal(Goal goal, int value);
    // The preference each goal is stored under, and what it holds now.
    static const PreferenceKey<int>& goalKey(Goal goal);
    int goal(Goal goal) const;

    void setNudgeEnabled(NudgeKindID kind, bool enabled);
    // Only for kinds on an interval; the lunch nudge keeps its clock time.
    void setNudgeInterval(NudgeKindID kind, double seconds);
    // Minutes after midnight, clamped to the day.
    void setLunchTime(int minutes);

private:
    PreferencesStore& preferences_;
    NudgeSettings& settings_;
    HealthDataStore& health_;
    ReminderEngine& engine_;
};

} // namespace vornela
