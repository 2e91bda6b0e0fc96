#include "ui/onboarding/OnboardingContent.h"

#include "core/app/VornelaCore.h"
#include "ui/onboarding/OnboardingFinishPage.h"
#include "ui/onboarding/OnboardingSetUpPage.h"
#include "ui/onboarding/OnboardingTheme.h"

#include <QLabel>

namespace vornela {

OnboardingView::Context onboardingContent(VornelaCore& core, AnimationDriver& driver) {
    return OnboardingView::Context{
        core.onboarding(),
        [&core, &driver] {
            return new OnboardingSetUpPage(OnboardingSetUpPage::Services{
                core.preferences(), core.nudgeSettings(), core.settings(), core.ports().clock,
                core.onboarding().reduceMotion(), driver, core.ports().system});
        },
        [&core](OnboardingFinishPage& page) {
            if (!core.startAtLogin().willTurnOn())
                return;
            auto* line = onboardingTheme::label(QStringLiteral("Vornela will start when you log in. You can "
                                                               "turn this off in Settings."),
                                                onboardingTheme::smallFont(), 1);
            line->setAlignment(Qt::AlignHCenter);
            page.extras().addWidget(line, 0, Qt::AlignHCenter);
        }};
}

} // namespace vornela
