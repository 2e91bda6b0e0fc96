#include "core/app/AppDelegate.h"

#include "core/app/StartAtLoginDefault.h"
#include "core/notch/NotchViewModel.h"
#include "core/nudges/ReminderEngine.h"
#include "core/store/HealthDataStore.h"
#include "core/store/LegacyWaterGoalMigration.h"
#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesStore.h"

namespace vornela {

namespace {

// A callback that runs `action` on the delegate while it still exists.
template <class Action>
std::function<void()> weakly(const std::shared_ptr<AppDelegate*>& self, Action action) {
    std::weak_ptr<AppDelegate*> weak = self;
    return [weak, action] {
        if (auto strong = weak.lock())
            action(**strong);
    };
}

} // namespace

AppDelegate::AppDelegate(Services services)
    : services_(services), self_(std::make_shared<AppDelegate*>(this)) {}

AppDelegate::~AppDelegate() {
    self_.reset();
    // The notch controller refers to the completion controller: it goes first.
    notchWindowController_.reset();
    completionWindowController_.reset();
}

void AppDelegate::applicationDidFinishLaunching() {
    if (launched_)
        return;
    launched_ = true;

    migrateLegacyWaterGoal(services_.preferences);

    auto& onboarding = services_.onboardingWindow;
    onboarding.onDidPresent = weakly(self_, [](AppDelegate& d) { d.shouldPresentOnboarding_ = false; });
    onboarding.onDidFinish = weakly(self_, [](AppDelegate& d) {
        d.services_.startAtLogin.onboardingFinished();
        d.startAppServicesIfNeeded();
    });
    onboarding.onOpenSettings = weakly(self_, [](AppDelegate& d) { d.services_.settingsWindow.show(); });

    completionWindowController_ = std::make_unique<NudgeCompletionWindowController>(
        services_.notchViewModel, services_.completionPorts);
    notchWindowController_ = std::make_unique<NotchWindowController>(
        services_.notchViewModel, *completionWindowController_, services_.notchPorts);

    services_.notchViewModel.onOpenSettings =
        weakly(self_, [](AppDelegate& d) { d.services_.settingsWindow.show(); });

    onboardingRequestObservation_ = services_.center.observe(
        notifications::showOnboardingRequested, weakly(self_, [](AppDelegate& d) { d.showOnboarding(); }));

    // The notch controller also rebuilds the completion panels for the new screens.
    screenChangeObservation_ =
        services_.center.observe(notifications::screenParametersChanged, weakly(self_, [](AppDelegate& d) {
                                     d.screenChangeTask_ = d.services_.scheduler.post([&d] {
                                         if (d.notchWindowController_)
                                             d.notchWindowController_->handleScreenChange();
                                     });
                                 }));

    // Decided once the event loop runs, so the desktop has finished its own start-up.
    launchTask_ = services_.scheduler.post([this] { decideLaunchPath(); });
}

void AppDelegate::decideLaunchPath() {
    if (services_.preferences.read(keys::hasCompletedOnboarding)) {
        startAppServicesIfNeeded();
    } else {
        shouldPresentOnboarding_ = true;
        services_.host.setActivationPolicy(ActivationPolicy::regular);
        presentOnboardingIfNeeded();
    }
    // A window that was not on screen yet during launch gets another chance next turn.
    followUpPresentationTask_ = services_.scheduler.post([this] { presentOnboardingIfNeeded(); });
}

void AppDelegate::presentOnboardingIfNeeded() {
    if (!shouldPresentOnboarding_)
        return;
    shouldPresentOnboarding_ = false;
    auto& onboarding = services_.onboardingWindow;
    if (onboarding.isWindowVisible() && onboarding.didBecomeVisible())
        return; // already up
    onboarding.show();
}

void AppDelegate::startAppServicesIfNeeded() {
    // Both onboarding's finish and the launch decision may get here.
    if (appServicesStarted_ || !notchWindowController_)
        return;
    appServicesStarted_ = true;
    services_.reminderEngine.attachViewModel(&services_.notchViewModel);
    services_.reminderEngine.startScheduling();
    notchWindowController_->show();
    services_.health.refresh();
}

void AppDelegate::stopAppServices() {
    if (!appServicesStarted_)
        return;
    appServicesStarted_ = false;
    services_.reminderEngine.stopScheduling();
    services_.notchViewModel.dismissNudge(false);
    if (notchWindowController_)
        notchWindowController_->tearDown();
}

void AppDelegate::applicationDidBecomeActive() {
    if (appServicesStarted_)
        services_.health.refresh();
}

void AppDelegate::applicationWillTerminate() {
    onboardingRequestObservation_.reset();
    screenChangeObservation_.reset();
    screenChangeTask_.cancel();
    // A launch decision still waiting must not start anything now.
    launchTask_.cancel();
    followUpPresentationTask_.cancel();
    shouldPresentOnboarding_ = false;
    stopAppServices();
    if (notchWindowController_)
        notchWindowController_->tearDown();
    // The notch controller refers to the completion controller: it goes first.
    notchWindowController_.reset();
    completionWindowController_.reset();
    services_.preferences.flush();
}

void AppDelegate::showOnboarding() {
    services_.host.setActivationPolicy(ActivationPolicy::regular);
    services_.onboardingWindow.show();
}

} // namespace vornela
