#include "core/onboarding/OnboardingPage.h"

#include <algorithm>

namespace vornela::onboarding {

int clampedPage(int page) {
    return std::clamp(page, meetPage, finishPage);
}

double pageHeight(int page) {
    switch (clampedPage(page)) {
    case meetPage:
        return 440;
    case setUpPage:
        return 560;
    default:
        return 380;
    }
}

std::string stepTitle(int page) {
    switch (clampedPage(page)) {
    case meetPage:
        return "Meet Vornela";
    case setUpPage:
        return "Set up nudges";
    default:
        return "Finish";
    }
}

std::string stepAccessibilityLabel(int page) {
    return "Step " + std::to_string(clampedPage(page) + 1) + " of " + std::to_string(pageCount);
}

std::string primaryButtonTitle(int page) {
    switch (clampedPage(page)) {
    case meetPage:
        return "Continue";
    case setUpPage:
        return "Get Started";
    default:
        return "Done";
    }
}

std::string primaryButtonHint(int page) {
    switch (clampedPage(page)) {
    case meetPage:
        return {};
    case setUpPage:
        return "Finish setup and see where Vornela lives";
    default:
        return "Close onboarding and start using Vornela";
    }
}

} // namespace vornela::onboarding
