#pragma once

#include "ui/onboarding/OnboardingView.h"

namespace vornela {

class AnimationDriver;
class VornelaCore;

// The content of a first-run window showing, drawn from the core: the app, the gallery and the
// tests all build it this way.
OnboardingView::Context onboardingContent(VornelaCore& core, AnimationDriver& driver);

} // namespace vornela
