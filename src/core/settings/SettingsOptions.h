#pragma once

#include "core/settings/SettingsActions.h"

#include <string>
#include <string_view>
#include <vector>

namespace vornela {

// The choices the goal menus, the display stepper and the version line offer, and their texts.

// 2000 to 12000 ml in steps of 500.
const std::vector<int>& waterGoalPresetsML();
// 1 to 12.
const std::vector<int>& dailyCountPresets();
const std::vector<int>& goalPresets(SettingsActions::Goal goal);

// "500 ml" below a litre, "2 L" for whole litres, "2.5 L" otherwise.
std::string waterAmountLabel(int ml);
// "6 per day".
std::string dailyCountLabel(int count);
std::string goalLabel(SettingsActions::Goal goal, int value);

// The label of `value` when it is one of the goal's presets, else empty: a menu over the presets
// only (onboarding's) then shows a blank.
std::string presetLabel(SettingsActions::Goal goal, int value);

struct GoalOption {
    int value = 0;
    std::string label;
    friend bool operator==(const GoalOption&, const GoalOption&) = default;
};
// The settings menu's entries: the presets, and a goal stored outside them (set elsewhere or by
// hand) as one more entry in order, so the menu shows the goal in force instead of a blank.
std::vector<GoalOption> goalOptions(SettingsActions::Goal goal, int stored);

// The stepper's value: whole seconds (fractions cut off), 3 to 20.
int displayDurationSeconds(double stored);
// "Show for 6 seconds".
std::string displayDurationLabel(double stored);

// The version this build was made as ("0.1.0").
std::string_view applicationVersion();
// "Vornela 0.1.0"; "Vornela ?" when the version is empty.
std::string versionLabel(std::string_view version = applicationVersion());

} // namespace vornela
