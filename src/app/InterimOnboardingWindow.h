#pragma once

#include "core/app/OnboardingWindowPort.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace vornela {

class ApplicationHost;
class HealthDataStore;
class NudgeSettings;
class PreferencesStore;

// Interim: the smallest honest first-run window until the real onboarding lands. It says what it
// is, and its one button finishes onboarding with the default goals and schedules.
class InterimOnboardingWindow : public OnboardingWindowPort {
public:
    InterimOnboardingWindow(PreferencesStore& preferences, NudgeSettings& settings, ApplicationHost& host,
                            std::function<HealthDataStore*()> health);
    ~InterimOnboardingWindow() override;

    void show() override;
    bool isWindowVisible() const override;
    bool didBecomeVisible() const override { return didBecomeVisible_; }
    // What the button does; also reachable without a click for tests.
    void finish();
    QWidget* window() const { return window_; }

private:
    PreferencesStore& preferences_;
    NudgeSettings& settings_;
    ApplicationHost& host_;
    std::function<HealthDataStore*()> health_;
    QPointer<QWidget> window_;
    bool didBecomeVisible_ = false;
};

} // namespace vornela
