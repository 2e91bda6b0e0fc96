#pragma once

#include <string>

namespace vornela {

// The three steps of the first-run window, by index: meet Vornela, set up nudges, finish.
// An index beyond the last counts as the last page.
namespace onboarding {

inline constexpr int meetPage = 0;
inline constexpr int setUpPage = 1;
inline constexpr int finishPage = 2;
inline constexpr int pageCount = 3;
inline constexpr double windowWidth = 640;
// Ease-out, for the page slide and the window's resize.
inline constexpr double pageChangeDuration = 0.26;

int clampedPage(int page);
// Content height of the window on `page`: the set-up page needs room for its cards.
double pageHeight(int page);
std::string stepTitle(int page);
// "Step 2 of 3", for assistive technologies.
std::string stepAccessibilityLabel(int page);
std::string primaryButtonTitle(int page);
// Empty where the button says enough by itself.
std::string primaryButtonHint(int page);

} // namespace onboarding

enum class OnboardingPageDirection { forward, backward };

} // namespace vornela
