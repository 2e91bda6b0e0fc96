#pragma once

#include "core/settings/SettingsNudgeRow.h"
#include "ui/onboarding/OnboardingCard.h"

class QComboBox;
class QGraphicsOpacityEffect;
class QTimeEdit;

namespace vornela {

class AnimationDriver;
class Clock;
struct SystemPreferences;
class ToggleSwitch;

// One nudge kind: its icon, title and message with an on/off switch, and below them its
// frequency, or for the lunch nudge its time; the second row dims while the nudge is off.
class OnboardingNudgeCard : public OnboardingCard {
public:
    OnboardingNudgeCard(SettingsNudgeRow& row, const Clock& clock, AnimationDriver& driver,
                        const SystemPreferences& system, bool reduceMotion, QWidget* parent = nullptr);

    // Shows the row's values again (after the goals moved the intervals).
    void refresh();
    ToggleSwitch& enabledSwitch() { return *switch_; }
    QComboBox* frequencyMenu() const { return frequency_; }
    QTimeEdit* lunchTime() const { return lunchTime_; }

private:
    void dim();

    SettingsNudgeRow& row_;
    ToggleSwitch* switch_;
    QComboBox* frequency_ = nullptr;
    QTimeEdit* lunchTime_ = nullptr;
    QGraphicsOpacityEffect* dimming_;
};

} // namespace vornela
