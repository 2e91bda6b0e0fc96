#include "ui/onboarding/OnboardingMeetPage.h"

#include "ui/onboarding/OnboardingAppLogo.h"
#include "ui/onboarding/OnboardingTheme.h"

#include <QLabel>
#include <QVBoxLayout>

namespace vornela {

using namespace onboardingTheme;

OnboardingMeetPage::OnboardingMeetPage(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Meet Vornela"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 0, 24, 0);
    layout->setSpacing(10);
    layout->addStretch(1);
    layout->addWidget(new OnboardingAppLogo(80), 0, Qt::AlignHCenter);
    layout->addWidget(label(QStringLiteral("Vornela"), titleFont(), 0), 0, Qt::AlignHCenter);
    for (auto [text, font, top] :
         {std::tuple{QStringLiteral("Gentle health nudges at the top of your screen."), bodyFont(), 0},
          std::tuple{QStringLiteral("Hover the notch anytime for your balance score and quick actions."),
                     smallFont(), 4}}) {
        auto* line = label(text, font, 1);
        line->setWordWrap(true);
        line->setAlignment(Qt::AlignHCenter);
        // A fixed width lets the label wrap to its full height inside the centred column.
        line->setFixedWidth(360);
        // Centred items get their hint height, not their wrapped height: ask for it.
        line->setMinimumHeight(line->heightForWidth(360));
        if (top > 0)
            layout->addSpacing(top);
        layout->addWidget(line, 0, Qt::AlignHCenter);
    }
    layout->addStretch(1);
}

} // namespace vornela
