#pragma once

#include "core/base/Published.h"
#include "core/onboarding/OnboardingPage.h"

namespace vornela {

// Which page the first-run window shows and which way the last move went, so the view slides
// the pages the right way.
class OnboardingCoordinator {
public:
    Published<int, OnboardingCoordinator> page{onboarding::meetPage};
    Published<OnboardingPageDirection, OnboardingCoordinator> navigationDirection{
        OnboardingPageDirection::forward};

    // A new showing: straight to `p`, facing forward.
    void reset(int p);
    // A step of the user's: backward when going to an earlier page. Returns whether it moved.
    bool moveTo(int p);
};

} // namespace vornela
