#include "core/onboarding/OnboardingWindowController.h"

#include "core/app/ApplicationHost.h"
#include "core/base/SystemPreferences.h"
#include "core/nudges/NudgeSettings.h"
#include "core/onboarding/OnboardingWindow.h"
#include "core/store/HealthDataStore.h"
#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesStore.h"

namespace vornela {

using namespace onboarding;

OnboardingWindowController::OnboardingWindowController(Services services) : services_(services) {
    auto& window = services_.window;
    window.onDidBecomeKey = [this] { windowDidBecomeKey(); };
    window.onShouldClose = [this] { return windowShouldClose(); };
    window.onWillClose = [this] { windowWillClose(); };
}

OnboardingWindowController::~OnboardingWindowController() {
    auto& window = services_.window;
    window.onDidBecomeKey = {};
    window.onShouldClose = {};
    window.onWillClose = {};
}

void OnboardingWindowController::show() {
    // A first setup starts from the default goals; reopening later keeps the user's.
    if (!services_.preferences.read(keys::hasCompletedOnboarding)) {
        services_.settings.resetGoalsToDefaults();
        services_.health.refresh();
    }
    showPage(meetPage);
}

void OnboardingWindowController::showPage(int page) {
    didFinish_ = false;
    didBecomeVisible_ = false;
    isClosingProgrammatically_ = false;
    setUpPageAppeared_ = false;
    coordinator_.reset(page);
    currentPage_ = page;
    services_.host.setActivationPolicy(ActivationPolicy::regular);
    services_.window.present(currentPage_, windowHeight());
    if (clampedPage(page) == setUpPage)
        setUpPageDidAppear();
}

bool OnboardingWindowController::isWindowVisible() const {
    return services_.window.isVisible();
}

double OnboardingWindowController::windowHeight() const {
    return pageHeight(currentPage_);
}

bool OnboardingWindowController::reduceMotion() const {
    return services_.system.reduceMotion.get();
}

void OnboardingWindowController::primaryAction() {
    switch (clampedPage(coordinator_.page.get())) {
    case meetPage:
        moveTo(setUpPage);
        break;
    case setUpPage:
        moveTo(finishPage);
        break;
    default:
        finish();
        break;
    }
}

void OnboardingWindowController::back() {
    if (clampedPage(coordinator_.page.get()) == setUpPage)
        moveTo(meetPage);
}

void OnboardingWindowController::escape() {
    switch (clampedPage(coordinator_.page.get())) {
    case meetPage:
        break; // the introduction is not skipped by accident
    case setUpPage:
        moveTo(finishPage);
        break;
    default:
        finish();
        break;
    }
}

void OnboardingWindowController::finish() {
    if (didFinish_)
        return;
    didFinish_ = true;
    services_.preferences.write(keys::hasCompletedOnboarding, true);
    services_.host.setActivationPolicy(ActivationPolicy::accessory);
    if (onDidFinish)
        onDidFinish();
    if (services_.window.isVisible()) {
        isClosingProgrammatically_ = true;
        services_.window.close();
    }
}

bool OnboardingWindowController::windowShouldClose() {
    // A window the user never saw, or one already done with, goes quietly.
    if (isClosingProgrammatically_ || !didBecomeVisible_ || didFinish_)
        return true;
    // Otherwise the close button leads through the last page, never around it.
    if (clampedPage(coordinator_.page.get()) == finishPage)
        finish();
    else
        moveTo(finishPage);
    return false;
}

void OnboardingWindowController::windowWillClose() {
    isClosingProgrammatically_ = false;
}

void OnboardingWindowController::windowDidBecomeKey() {
    if (didBecomeVisible_)
        return;
    didBecomeVisible_ = true;
    if (onDidPresent)
        onDidPresent();
}

void OnboardingWindowController::moveTo(int page) {
    if (coordinator_.moveTo(page))
        pageDidChange(coordinator_.page.get());
}

void OnboardingWindowController::pageDidChange(int page) {
    if (page == currentPage_)
        return;
    currentPage_ = page;
    const double height = windowHeight();
    services_.window.resize(currentPage_, height, !reduceMotion());
    pageChanged.emit(currentPage_, coordinator_.navigationDirection.get(), height);
    if (clampedPage(page) == setUpPage)
        setUpPageDidAppear();
}

void OnboardingWindowController::setUpPageDidAppear() {
    // A first run starts the page from the default goals, once: coming back to it through Back
    // and Continue keeps what the user picked meanwhile.
    if (!setUpPageAppeared_ && !services_.preferences.read(keys::hasCompletedOnboarding)) {
        services_.preferences.write(keys::waterGoalML, 2000);
        services_.preferences.write(keys::breaksGoalDaily, 6);
        services_.preferences.write(keys::movementGoalDaily, 8);
    }
    setUpPageAppeared_ = true;
    auto& health = services_.health;
    health.setWaterGoal(services_.preferences.read(keys::waterGoalML));
    health.setBreaksGoal(services_.preferences.read(keys::breaksGoalDaily));
    health.setMovementGoal(services_.preferences.read(keys::movementGoalDaily));
}

} // namespace vornela
