#pragma once

#include "core/app/OnboardingWindowPort.h"

namespace vornela {

class ApplicationHost;
class HealthDataStore;
class NudgeSettings;
class OnboardingWindow;
class PreferencesStore;

// The rules around the first-run window, whatever draws it: a first showing starts from the
// default goals, the application has a dock entry while it is up, and finishing records it
// once per showing and hands control back to the application.
class OnboardingWindowController : public OnboardingWindowPort {
public:
    OnboardingWindowController(PreferencesStore& preferences, NudgeSettings& settings,
                               HealthDataStore& health, ApplicationHost& host, OnboardingWindow& window);
    ~OnboardingWindowController() override;
    OnboardingWindowController(const OnboardingWindowController&) = delete;
    OnboardingWindowController& operator=(const OnboardingWindowController&) = delete;

    void show() override;
    bool isWindowVisible() const override;
    bool didBecomeVisible() const override { return didBecomeVisible_; }

    // Runs once per showing, however many ways the user asks for it.
    void finish();
    bool didFinish() const { return didFinish_; }

private:
    void windowDidBecomeKey();

    PreferencesStore& preferences_;
    NudgeSettings& settings_;
    HealthDataStore& health_;
    ApplicationHost& host_;
    OnboardingWindow& window_;
    bool didFinish_ = false;
    bool didBecomeVisible_ = false;
};

} // namespace vornela
