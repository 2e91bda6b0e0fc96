#pragma once

#include "InterimOnboardingWindow.h"
#include "InterimSettingsWindow.h"
#include "PanelContentBinder.h"
#include "app/AppDelegate.h"
#include "base/AnimationDriver.h"
#include "base/Calendar.h"
#include "base/DayChangeTimer.h"
#include "base/NotificationCenter.h"
#include "base/SystemPreferences.h"
#include "notch/NotchViewModel.h"
#include "nudges/CompletionCardSizer.h"
#include "nudges/NudgeSettings.h"
#include "nudges/ReminderEngine.h"
#include "pointer/XInputPointerSource.h"
#include "screen/QtScreenSource.h"
#include "store/HealthDataStore.h"
#include "store/JsonFilePreferencesBackend.h"
#include "store/PreferencesStore.h"
#include "system/LogindSleepWatcher.h"
#include "system/NullHaptics.h"
#include "system/PortalSystemPreferences.h"
#include "system/PreferencesFileWatcher.h"
#include "system/QtApplicationHost.h"
#include "text/QtTextMeasurer.h"
#include "time/QtScheduler.h"
#include "time/SystemClock.h"
#include "window/QtPanelWindowFactory.h"

#include <QObject>

#include <filesystem>
#include <memory>

namespace vornela {

// The running application: the platform's adapters, core's long-lived objects and the painted
// surfaces, built in dependency order and wired together. Destroyed in reverse order, so nothing
// outlives what it refers to.
class DesktopApp {
public:
    explicit DesktopApp(std::filesystem::path preferencesFile = JsonFilePreferencesBackend::defaultPath());
    ~DesktopApp();
    DesktopApp(const DesktopApp&) = delete;
    DesktopApp& operator=(const DesktopApp&) = delete;

    void launch();
    // The orderly end: services stopped, panels gone, preferences written. Idempotent.
    void terminate();

    AppDelegate& delegate() { return *delegate_; }
    PreferencesStore& preferences() { return preferences_; }
    NotchViewModel& viewModel() { return viewModel_; }

private:
    // Receiver of Qt connections to longer-lived objects, so they end with the app.
    QObject connections_;
    SystemClock clock_;
    QtScheduler scheduler_{clock_};
    Calendar calendar_;
    NotificationCenter center_;
    JsonFilePreferencesBackend backend_;
    PreferencesStore preferences_{backend_, scheduler_};
    NudgeSettings settings_{preferences_};
    DayChangeTimer dayTimer_{scheduler_, clock_, calendar_, center_};
    SystemPreferences system_;
    PortalSystemPreferences portal_{system_};
    QtTextMeasurer text_;
    NullHaptics haptics_;
    QtScreenSource screens_;
    XInputPointerSource pointer_;
    QtPanelWindowFactory panels_;
    CompletionCardSizer cardSizer_;
    QtApplicationHost host_;
    AnimationDriver driver_{clock_};
    HealthDataStore health_{preferences_, settings_, clock_, calendar_, center_};
    NotchViewModel viewModel_;
    ReminderEngine engine_{preferences_, settings_, health_, scheduler_, clock_, calendar_};
    InterimSettingsWindow settingsWindow_;
    InterimOnboardingWindow onboardingWindow_;
    PanelContentBinder binder_;
    std::unique_ptr<AppDelegate> delegate_;
    std::unique_ptr<LogindSleepWatcher> sleepWatcher_;
    std::unique_ptr<PreferencesFileWatcher> fileWatcher_;
    std::vector<Subscription> subscriptions_;
    bool terminated_ = false;
};

} // namespace vornela
