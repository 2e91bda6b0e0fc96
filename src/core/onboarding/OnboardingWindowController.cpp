#include "core/onboarding/OnboardingWindowController.h"

#include "core/app/ApplicationHost.h"
#include "core/nudges/NudgeSettings.h"
#include "core/onboarding/OnboardingWindow.h"
#include "core/store/HealthDataStore.h"
#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesStore.h"

namespace vornela {

OnboardingWindowController::OnboardingWindowController(PreferencesStore& preferences, NudgeSettings& settings,
                                                       HealthDataStore& health, ApplicationHost& host,
                                                       OnboardingWindow& window)
    : preferences_(preferences), settings_(settings), health_(health), host_(host), window_(window) {
    window_.onDidBecomeKey = [this] { windowDidBecomeKey(); };
    window_.onFinishRequested = [this] { finish(); };
}

OnboardingWindowController::~OnboardingWindowController() {
    window_.onDidBecomeKey = {};
    window_.onFinishRequested = {};
}

void OnboardingWindowController::show() {
    // A first setup starts from the default goals; reopening later keeps the user's.
    if (!preferences_.read(keys::hasCompletedOnboarding)) {
        settings_.resetGoalsToDefaults();
        health_.refresh();
    }
    didFinish_ = false;
    didBecomeVisible_ = false;
    host_.setActivationPolicy(ActivationPolicy::regular);
    window_.present();
}

bool OnboardingWindowController::isWindowVisible() const {
    return window_.isVisible();
}

void OnboardingWindowController::windowDidBecomeKey() {
    if (didBecomeVisible_)
        return;
    didBecomeVisible_ = true;
    if (onDidPresent)
        onDidPresent();
}

void OnboardingWindowController::finish() {
    if (didFinish_)
        return;
    didFinish_ = true;
    preferences_.write(keys::hasCompletedOnboarding, true);
    host_.setActivationPolicy(ActivationPolicy::accessory);
    if (onDidFinish)
        onDidFinish();
    if (window_.isVisible())
        window_.close();
}

} // namespace vornela
