#pragma once

#include "core/nudges/NudgeDefinition.h"
#include "core/nudges/NudgeIntervalPreset.h"
#include "core/nudges/NudgeKindID.h"

#include <functional>
#include <string>
#include <vector>

namespace vornela {

class NudgeSettings;
class PreferencesStore;
class SettingsActions;

// The preset nearest to `seconds`, by absolute difference; on a tie the shorter preset wins.
NudgeIntervalPreset nearestIntervalPreset(double seconds);

// One nudge kind's row, as both the settings window and onboarding show it: the state the row
// displays, read once from the stores, and the three changes it can make. The row keeps the
// preset the user chose even where the store keeps a longer interval (10 and 20 minutes are
// stored as 30), so the menu shows the choice.
class SettingsNudgeRow {
public:
    SettingsNudgeRow(NudgeKindID kind, const PreferencesStore& preferences, const NudgeSettings& settings,
                     SettingsActions& actions);

    const NudgeDefinition& definition() const;
    NudgeKindID kind() const { return kind_; }
    // The row's heading.
    std::string title() const;
    // The lunch row edits a clock time instead of a frequency.
    bool usesDailyClockTime() const;

    bool enabled() const { return enabled_; }
    NudgeIntervalPreset interval() const { return interval_; }
    int lunchMinutes() const { return lunchMinutes_; }

    // Each applies only when the value differs, then calls onSettingsChange.
    void setEnabled(bool enabled);
    // Ignored by the lunch row.
    void setInterval(NudgeIntervalPreset preset);
    // Minutes after midnight, clamped to 0...1439; ignored by rows on an interval.
    void setLunchMinutes(int minutes);

    // Reads the initial values again (the goals may have moved the intervals meanwhile).
    void reload();

    std::function<void()> onSettingsChange;

private:
    NudgeKindID kind_;
    const PreferencesStore* preferences_;
    const NudgeSettings* settings_;
    SettingsActions* actions_;
    bool enabled_ = true;
    NudgeIntervalPreset interval_ = NudgeIntervalPreset::minutes60;
    int lunchMinutes_ = 0;
};

// One row per kind, in catalogue order.
std::vector<SettingsNudgeRow> makeNudgeRows(const PreferencesStore& preferences,
                                            const NudgeSettings& settings, SettingsActions& actions);

} // namespace vornela
