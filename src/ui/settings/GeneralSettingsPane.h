#pragma once

#include "core/base/Signal.h"
#include "core/settings/SettingsActions.h"
#include "ui/settings/SettingsServices.h"

#include <QWidget>

#include <array>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace vornela {

class SettingsSection;
class ToggleSwitch;

// Reminders on, off or paused; the three daily goals; how long a nudge stays; updates, starting
// at login and quitting. Every control writes straight through and shows what is stored.
class GeneralSettingsPane : public QWidget {
public:
    explicit GeneralSettingsPane(SettingsServices services, QWidget* parent = nullptr);
    ~GeneralSettingsPane() override;

    // Reads the login entry again: the user may have removed it by hand.
    void refreshLoginItem();

    ToggleSwitch* remindersSwitch() const { return reminders_; }
    ToggleSwitch* pauseSwitch() const { return pause_; }
    QComboBox* goalPicker(SettingsActions::Goal goal) const { return goals_[static_cast<int>(goal)]; }
    QLabel* durationLabel() const { return duration_; }
    ToggleSwitch* loginSwitch() const { return login_; }
    QPushButton* checkButton() const { return check_; }
    ToggleSwitch* autoCheckSwitch() const { return autoCheck_; }
    ToggleSwitch* autoInstallSwitch() const { return autoInstall_; }
    QLabel* loginError() const { return loginError_; }
    // How the last user-started check or install went.
    QLabel* updateStatus() const { return updateStatus_; }
    QLabel* versionLabel() const { return version_; }
    QLabel* footer(int section) const;

private:
    void showGoal(SettingsActions::Goal goal);
    void showDuration();
    void showUpdater();

    SettingsServices services_;
    ToggleSwitch* reminders_;
    ToggleSwitch* pause_;
    std::array<QComboBox*, 3> goals_{};
    QLabel* duration_;
    QToolButton* fewer_;
    QToolButton* more_;
    QLabel* version_;
    QPushButton* check_;
    ToggleSwitch* autoCheck_;
    ToggleSwitch* autoInstall_;
    QLabel* updateStatus_;
    ToggleSwitch* login_;
    QLabel* loginError_;
    std::vector<SettingsSection*> sections_;
    std::vector<Subscription> subscriptions_;
};

} // namespace vornela
