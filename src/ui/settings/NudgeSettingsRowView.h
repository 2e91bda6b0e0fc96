#pragma once

#include "ui/settings/SettingsServices.h"

#include <QWidget>

class QComboBox;
class QTimeEdit;

namespace vornela {

class NudgeIconChip;
class SettingsNudgeRow;
class ToggleSwitch;

// One nudge kind in the Nudges pane: its icon chip, title and message, the on/off switch, and
// either the frequency menu or, for lunch, the time of day.
class NudgeSettingsRowView : public QWidget {
public:
    NudgeSettingsRowView(SettingsNudgeRow& row, const SettingsServices& services, QWidget* parent = nullptr);

    // Shows the row's state again (after the model re-read it).
    void refresh();

    ToggleSwitch* enabledSwitch() const { return enabled_; }
    QComboBox* frequencyMenu() const { return frequency_; }
    QTimeEdit* lunchTimePicker() const { return lunchTime_; }

    static constexpr double chipSize = 34;

private:
    SettingsNudgeRow& row_;
    ToggleSwitch* enabled_;
    QComboBox* frequency_ = nullptr;
    QTimeEdit* lunchTime_ = nullptr;
};

} // namespace vornela
