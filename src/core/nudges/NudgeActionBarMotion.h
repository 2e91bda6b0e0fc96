#pragma once

namespace vornela {

// The phase of the completion card's entry and exit.
enum class NudgeActionBarMotion { entering, visible, exiting };

inline constexpr double nudgeActionBarEnterDuration = 0.26;
inline constexpr double nudgeActionBarExitDuration = 0.195;

// The card's motion progress (0 hidden, 1 in place) `elapsed` seconds after the motion began.
// With reduce motion the card jumps to its end state.
double nudgeActionBarProgress(NudgeActionBarMotion motion, double elapsed, bool reduceMotion);

} // namespace vornela
