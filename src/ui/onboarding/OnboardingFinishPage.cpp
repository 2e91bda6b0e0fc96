#include "ui/onboarding/OnboardingFinishPage.h"

#include "ui/onboarding/OnboardingAppLogo.h"
#include "ui/onboarding/OnboardingTheme.h"

#include <QLabel>

namespace vornela {

using namespace onboardingTheme;

OnboardingFinishPage::OnboardingFinishPage(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Finish"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 0, 24, 0);
    layout->setSpacing(10);
    layout->addStretch(1);
    layout->addWidget(new OnboardingAppLogo(72), 0, Qt::AlignHCenter);
    layout->addWidget(label(QStringLiteral("You're all set"), titleFont(), 0), 0, Qt::AlignHCenter);
    auto* line = label(QStringLiteral("Vornela runs from your notch. Hover it for your dashboard, quick "
                                      "actions, and Settings."),
                       bodyFont(), 1);
    line->setWordWrap(true);
    line->setAlignment(Qt::AlignHCenter);
    // A fixed width lets the label wrap to its full height inside the centred column.
    line->setFixedWidth(360);
    // Centred items get their hint height, not their wrapped height: ask for it.
    line->setMinimumHeight(line->heightForWidth(360));
    layout->addWidget(line, 0, Qt::AlignHCenter);
    extras_ = new QVBoxLayout;
    extras_->setSpacing(8);
    layout->addLayout(extras_);
    layout->addStretch(1);
}

} // namespace vornela
