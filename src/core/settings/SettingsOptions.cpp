#include "core/settings/SettingsOptions.h"

#include "core/store/PreferenceKeys.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vornela {

const std::vector<int>& waterGoalPresetsML() {
    static const std::vector<int> presets = [] {
        std::vector<int> values;
        for (int ml = 2000; ml <= 12000; ml += 500)
            values.push_back(ml);
        return values;
    }();
    return presets;
}

const std::vector<int>& dailyCountPresets() {
    static const std::vector<int> presets = [] {
        std::vector<int> values;
        for (int count = 1; count <= 12; ++count)
            values.push_back(count);
        return values;
    }();
    return presets;
}

const std::vector<int>& goalPresets(SettingsActions::Goal goal) {
    return goal == SettingsActions::Goal::water ? waterGoalPresetsML() : dailyCountPresets();
}

std::string waterAmountLabel(int ml) {
    if (ml < 1000)
        return std::to_string(ml) + " ml";
    if (ml % 1000 == 0)
        return std::to_string(ml / 1000) + " L";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f L", ml / 1000.0);
    return text;
}

std::string dailyCountLabel(int count) {
    return std::to_string(count) + " per day";
}

std::string goalLabel(SettingsActions::Goal goal, int value) {
    return goal == SettingsActions::Goal::water ? waterAmountLabel(value) : dailyCountLabel(value);
}

std::string presetLabel(SettingsActions::Goal goal, int value) {
    const auto& presets = goalPresets(goal);
    if (std::find(presets.begin(), presets.end(), value) == presets.end())
        return {};
    return goalLabel(goal, value);
}

std::vector<GoalOption> goalOptions(SettingsActions::Goal goal, int stored) {
    std::vector<int> values = goalPresets(goal);
    const auto at = std::lower_bound(values.begin(), values.end(), stored);
    if (at == values.end() || *at != stored)
        values.insert(at, stored);
    std::vector<GoalOption> options;
    options.reserve(values.size());
    for (const int value : values)
        options.push_back({value, goalLabel(goal, value)});
    return options;
}

int displayDurationSeconds(double stored) {
    if (std::isnan(stored))
        stored = keys::nudgeDisplayDuration.defaultValue;
    return static_cast<int>(
        std::clamp(std::floor(stored), keys::minimumDisplayDuration, keys::maximumDisplayDuration));
}

std::string displayDurationLabel(double stored) {
    return "Show for " + std::to_string(displayDurationSeconds(stored)) + " seconds";
}

std::string_view applicationVersion() {
    return VORNELA_VERSION;
}

std::string versionLabel(std::string_view version) {
    return "Vornela " + std::string(version.empty() ? "?" : version);
}

} // namespace vornela
