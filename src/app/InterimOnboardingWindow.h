#pragma once

#include "core/onboarding/OnboardingWindow.h"

#include <QPointer>
#include <QWidget>

namespace vornela {

// Interim: the smallest honest first-run window until the real onboarding lands. It says what it
// is, and its one button finishes onboarding with the default goals and schedules.
class InterimOnboardingWindow : public OnboardingWindow {
public:
    InterimOnboardingWindow() = default;
    ~InterimOnboardingWindow() override;

    void present() override;
    void close() override;
    bool isVisible() const override;
    QWidget* window() const { return window_; }

private:
    QPointer<QWidget> window_;
};

} // namespace vornela
