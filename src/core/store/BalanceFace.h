#pragma once

#include "core/nudges/DotMatrixAnimation.h"
#include "core/store/BalanceTier.h"

namespace vornela {

// The balance badge's blinking 9 x 9 face: a frown on a bad day, a flat mouth mid-range, a smile that
// widens with the score and an open grin at the top. Lit dots take the tier's colour; every other dot is
// absent. The score is clamped to 0...100. Nine frames of 0.4 s, looping: open for 2.4 s, then a blink.
DotMatrixAnimation balanceFaceAnimation(int score, BalanceTier tier);

} // namespace vornela
