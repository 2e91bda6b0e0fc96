#include "core/onboarding/OnboardingCoordinator.h"

namespace vornela {

void OnboardingCoordinator::reset(int p) {
    page.set(p);
    navigationDirection.set(OnboardingPageDirection::forward);
}

bool OnboardingCoordinator::moveTo(int p) {
    if (p == page.get())
        return false;
    // The direction first: whoever watches the page reads it when the page changes.
    navigationDirection.set(p < page.get() ? OnboardingPageDirection::backward
                                           : OnboardingPageDirection::forward);
    page.set(p);
    return true;
}

} // namespace vornela
