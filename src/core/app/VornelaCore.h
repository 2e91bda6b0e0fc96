#pragma once

#include "core/activity/ActivityPageModel.h"
#include "core/activity/SharePreviewModel.h"
#include "core/app/AppDelegate.h"
#include "core/app/CorePorts.h"
#include "core/app/StartAtLoginDefault.h"
#include "core/app/UpdaterManager.h"
#include "core/base/DayChangeTimer.h"
#include "core/base/NotificationCenter.h"
#include "core/dashboard/HoverHomeModel.h"
#include "core/dashboard/WaterTrackingModel.h"
#include "core/notch/NotchViewModel.h"
#include "core/nudges/NudgeSettings.h"
#include "core/nudges/ReminderEngine.h"
#include "core/onboarding/OnboardingWindowController.h"
#include "core/settings/SettingsActions.h"
#include "core/settings/SettingsWindowModel.h"
#include "core/store/HealthDataStore.h"
#include "core/store/PreferencesStore.h"

namespace vornela {

// The one place where Vornela's long-lived objects are built and connected, in one order, from
// the ports of whatever runs it: the desktop app, the simulator, the gallery, the benchmarks and
// the tests all start here. A new surface's model is added here and nowhere else.
//
// Construction reads the stored preferences and builds everything; `launch` runs the
// application's start-up; destruction runs in reverse order, so nothing outlives what it uses.
class VornelaCore {
public:
    explicit VornelaCore(CorePorts ports);
    ~VornelaCore();
    VornelaCore(const VornelaCore&) = delete;
    VornelaCore& operator=(const VornelaCore&) = delete;

    // Starts the application: onboarding or the nudge services.
    void launch();
    // The orderly end: services stopped, panels gone, preferences written. Idempotent.
    void terminate();

    // What the platform reports.
    void wallClockChanged();
    // The system time zone changed (reported through CorePorts::timeZone): the zone is read
    // again, a new local date starts its day record, and midnight and every nudge move into it.
    void timeZoneChanged();
    void willSleep();
    void didWake();
    void screensChanged();
    void pointerMoved();
    void becameActive();

    const CorePorts& ports() const { return ports_; }
    NotificationCenter& center() { return center_; }
    PreferencesStore& preferences() { return preferences_; }
    StartAtLoginDefault& startAtLogin() { return startAtLogin_; }
    UpdaterManager& updater() { return updater_; }
    NudgeSettings& nudgeSettings() { return nudgeSettings_; }
    DayChangeTimer& dayTimer() { return dayTimer_; }
    HealthDataStore& health() { return health_; }
    SharePreviewModel& sharePreview() { return sharePreview_; }
    ReminderEngine& engine() { return engine_; }
    NotchViewModel& notch() { return notch_; }
    HoverHomeModel& dashboard() { return dashboard_; }
    WaterTrackingModel& ruler() { return ruler_; }
    ActivityPageModel& activity() { return activity_; }
    SettingsActions& settings() { return settings_; }
    SettingsWindowModel& settingsWindow() { return settingsWindow_; }
    OnboardingWindowController& onboarding() { return onboarding_; }
    AppDelegate& delegate() { return delegate_; }
    // Both exist from launch until termination.
    NotchWindowController* notchWindowController() const { return delegate_.notchWindowController(); }
    NudgeCompletionWindowController* completionWindowController() const {
        return delegate_.completionWindowController();
    }

private:
    CorePorts ports_;
    NotificationCenter center_;
    PreferencesStore preferences_;
    StartAtLoginDefault startAtLogin_;
    UpdaterManager updater_;
    NudgeSettings nudgeSettings_;
    DayChangeTimer dayTimer_;
    HealthDataStore health_;
    ReminderEngine engine_;
    SharePreviewModel sharePreview_;
    NotchViewModel notch_;
    HoverHomeModel dashboard_;
    WaterTrackingModel ruler_;
    ActivityPageModel activity_;
    SettingsActions settings_;
    SettingsWindowModel settingsWindow_;
    OnboardingWindowController onboarding_;
    AppDelegate delegate_;
    bool launched_ = false;
    bool terminated_ = false;
    Subscription timeZoneReports_;
};

} // namespace vornela
