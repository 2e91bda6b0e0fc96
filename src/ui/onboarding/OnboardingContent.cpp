#include "ui/onboarding/OnboardingContent.h"

#include "core/app/VornelaCore.h"
#include "ui/onboarding/OnboardingSetUpPage.h"

namespace vornela {

OnboardingView::Context onboardingContent(VornelaCore& core) {
    return OnboardingView::Context{core.onboarding(),
                                   [&core] {
                                       return new OnboardingSetUpPage(OnboardingSetUpPage::Services{
                                           core.preferences(), core.nudgeSettings(), core.settings(),
                                           core.ports().clock, core.onboarding().reduceMotion()});
                                   },
                                   {}};
}

} // namespace vornela
