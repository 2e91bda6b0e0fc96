#include "core/settings/SettingsNudgeRow.h"

#include "core/nudges/NudgeCatalogue.h"
#include "core/nudges/NudgeSettings.h"
#include "core/settings/SettingsActions.h"
#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesStore.h"

#include <algorithm>
#include <cmath>

namespace vornela {

NudgeIntervalPreset nearestIntervalPreset(double value) {
    NudgeIntervalPreset best = allIntervalPresets.front();
    for (const auto preset : allIntervalPresets) {
        if (std::abs(seconds(preset) - value) < std::abs(seconds(best) - value))
            best = preset;
    }
    return best;
}

SettingsNudgeRow::SettingsNudgeRow(NudgeKindID kind, const PreferencesStore& preferences,
                                   const NudgeSettings& settings, SettingsActions& actions)
    : kind_(kind), preferences_(&preferences), settings_(&settings), actions_(&actions) {
    reload();
}

const NudgeDefinition& SettingsNudgeRow::definition() const {
    return definitionFor(kind_);
}

std::string SettingsNudgeRow::title() const {
    return definition().title;
}

bool SettingsNudgeRow::usesDailyClockTime() const {
    return definition().usesDailyClockTime;
}

void SettingsNudgeRow::reload() {
    enabled_ = preferences_->read(keys::nudgeEnabled(kind_));
    interval_ = nearestIntervalPreset(settings_->effectiveInterval(kind_, definition().defaultInterval));
    lunchMinutes_ = preferences_->read(keys::launchTimeMinutes);
}

void SettingsNudgeRow::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    actions_->setNudgeEnabled(kind_, enabled);
    if (onSettingsChange)
        onSettingsChange();
}

void SettingsNudgeRow::setInterval(NudgeIntervalPreset preset) {
    if (usesDailyClockTime() || preset == interval_)
        return;
    interval_ = preset;
    actions_->setNudgeInterval(kind_, seconds(preset));
    if (onSettingsChange)
        onSettingsChange();
}

void SettingsNudgeRow::setLunchMinutes(int minutes) {
    minutes = std::clamp(minutes, 0, 1439);
    if (!usesDailyClockTime() || minutes == lunchMinutes_)
        return;
    lunchMinutes_ = minutes;
    actions_->setLunchTime(minutes);
    if (onSettingsChange)
        onSettingsChange();
}

std::vector<SettingsNudgeRow> makeNudgeRows(const PreferencesStore& preferences,
                                            const NudgeSettings& settings, SettingsActions& actions) {
    std::vector<SettingsNudgeRow> rows;
    for (const auto& definition : allDefinitions())
        rows.emplace_back(definition.id, preferences, settings, actions);
    return rows;
}

} // namespace vornela
