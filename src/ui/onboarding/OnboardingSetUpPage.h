#pragma once

#include "core/settings/SettingsActions.h"
#include "core/settings/SettingsNudgeRow.h"

#include <QComboBox>
#include <QWidget>

#include <array>
#include <vector>

namespace vornela {

class AnimationDriver;
class Clock;
class NudgeSettings;
class OnboardingNudgeCard;
class PreferencesStore;
struct SystemPreferences;

// The second step: the three daily goals, one card per nudge on an interval, and the lunch
// nudge's card. Every change is written at once.
class OnboardingSetUpPage : public QWidget {
public:
    struct Services {
        PreferencesStore& preferences;
        NudgeSettings& settings;
        SettingsActions& actions;
        const Clock& clock;
        bool reduceMotion;
        // The icon chips animate on the app's one driver.
        AnimationDriver& driver;
        const SystemPreferences& system;
    };

    explicit OnboardingSetUpPage(Services services, QWidget* parent = nullptr);
    ~OnboardingSetUpPage() override;

    QComboBox& goalMenu(SettingsActions::Goal goal) { return *goalMenus_[static_cast<std::size_t>(goal)]; }
    const std::vector<OnboardingNudgeCard*>& nudgeCards() const { return cards_; }

private:
    QWidget* goalRow(SettingsActions::Goal goal, const QString& title);
    void showGoals();

    Services services_;
    std::vector<SettingsNudgeRow> rows_;
    std::array<QComboBox*, 3> goalMenus_{};
    std::vector<OnboardingNudgeCard*> cards_;
};

} // namespace vornela
