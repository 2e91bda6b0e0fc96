#pragma once

#include "app/InterimOnboardingWindow.h"
#include "app/InterimSettingsWindow.h"
#include "app/PanelContentBinder.h"
#include "core/app/AppDelegate.h"
#include "core/base/Calendar.h"
#include "core/base/DayChangeTimer.h"
#include "core/base/NotificationCenter.h"
#include "core/base/SystemPreferences.h"
#include "core/notch/NotchViewModel.h"
#include "core/nudges/NudgeSettings.h"
#include "core/nudges/ReminderEngine.h"
#include "core/store/HealthDataStore.h"
#include "core/store/JsonFilePreferencesBackend.h"
#include "core/store/PreferencesStore.h"
#include "platform/pointer/XInputPointerSource.h"
#include "platform/screen/QtScreenSource.h"
#include "platform/system/LogindSleepWatcher.h"
#include "platform/system/NullHaptics.h"
#include "platform/system/PortalSystemPreferences.h"
#include "platform/system/PreferencesFileWatcher.h"
#include "platform/system/QtApplicationHost.h"
#include "platform/text/QtTextMeasurer.h"
#include "platform/time/QtScheduler.h"
#include "platform/time/SystemClock.h"
#include "platform/window/QtPanelWindowFactory.h"
#include "ui/base/AnimationDriver.h"
#include "ui/nudges/CompletionCardSizer.h"

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
