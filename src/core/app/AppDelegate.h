#pragma once

#include "core/app/ApplicationHost.h"
#include "core/app/OnboardingWindowPort.h"
#include "core/app/SettingsWindowPort.h"
#include "core/base/Clock.h"
#include "core/base/NotificationCenter.h"
#include "core/base/Scheduler.h"
#include "core/base/Signal.h"
#include "core/notch/NotchWindowController.h"
#include "core/nudges/NudgeCompletionWindowController.h"

#include <memory>

namespace vornela {

class HealthDataStore;
class NotchViewModel;
class PreferencesStore;
class ReminderEngine;
class StartAtLoginDefault;

// The application's lifecycle: at launch it creates the notch and completion panels and decides
// between onboarding and starting the nudge services; at exit it stops them. Everything it uses
// is handed in; it creates only the two panel controllers, which are core.
class AppDelegate {
public:
    struct Services {
        PreferencesStore& preferences;
        HealthDataStore& health;
        NotchViewModel& notchViewModel;
        ReminderEngine& reminderEngine;
        Scheduler& scheduler;
        NotificationCenter& center;
        ApplicationHost& host;
        SettingsWindowPort& settingsWindow;
        OnboardingWindowPort& onboardingWindow;
        StartAtLoginDefault& startAtLogin;
        NotchWindowController::Ports notchPorts;
        NudgeCompletionWindowController::Ports completionPorts;
    };

    explicit AppDelegate(Services services);
    ~AppDelegate();
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    void applicationDidFinishLaunching();
    void applicationDidBecomeActive();
    void applicationWillTerminate();
    // "showOnboardingRequested": onboarding again while the application runs.
    void showOnboarding();

    void presentOnboardingIfNeeded();
    void startAppServicesIfNeeded();
    void stopAppServices();

    bool shouldPresentOnboarding() const { return shouldPresentOnboarding_; }
    bool appServicesStarted() const { return appServicesStarted_; }
    NotchWindowController* notchWindowController() const { return notchWindowController_.get(); }
    NudgeCompletionWindowController* completionWindowController() const {
        return completionWindowController_.get();
    }

private:
    void decideLaunchPath();

    Services services_;
    // Declared before the notch controller, which refers to it, so it is destroyed after it.
    std::unique_ptr<NudgeCompletionWindowController> completionWindowController_;
    std::unique_ptr<NotchWindowController> notchWindowController_;
    bool shouldPresentOnboarding_ = false;
    bool appServicesStarted_ = false;
    bool launched_ = false;
    Subscription onboardingRequestObservation_;
    Subscription screenChangeObservation_;
    TaskHandle screenChangeTask_;
    TaskHandle launchTask_;
    TaskHandle followUpPresentationTask_;
    // Callbacks handed to longer-lived objects reach the delegate through this, and do nothing
    // once it is gone.
    std::shared_ptr<AppDelegate*> self_;
};

} // namespace vornela
