#include "core/dashboard/DigitRoll.h"

#include <algorithm>
#include <cmath>

namespace vornela {

void DigitRoll::setCharacter(char character, double now, bool reduceMotion) {
    if (character == character_)
        return;
    outgoing_ = character_;
    character_ = character;
    changedAt_ = now;
    rolls_ = !reduceMotion;
}

bool DigitRoll::isRunningAt(double now) const {
    // The roll settles 0.2 s after the change, when the outgoing copy is dropped.
    return rolls_ && now >= changedAt_ && now < changedAt_ + incomingDuration;
}

DigitRoll::Copy DigitRoll::copyAt(char character, double offset) {
    const double distance = std::abs(offset);
    return {character, offset, 1 - std::min(distance / travelDistance, 1.0),
            std::min(std::max(distance * 0.25, 0.0), 5.0)};
}

std::vector<DigitRoll::Copy> DigitRoll::copiesAt(double now) const {
    if (!isRunningAt(now))
        return {copyAt(character_, 0)};
    const double elapsed = now - changedAt_;
    const TimedCurve incoming{-travelDistance, 0, 0, incomingDuration, incomingCurve};
    const TimedCurve outgoing{0, travelDistance, 0, outgoingDuration, CubicBezier::exit()};
    return {copyAt(character_, incoming.valueAt(elapsed)), copyAt(outgoing_, outgoing.valueAt(elapsed))};
}

} // namespace vornela
