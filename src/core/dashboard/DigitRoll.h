#pragma once

#include "core/base/CubicBezier.h"

#include <vector>

namespace vornela {

// One character of the ruler's odometer: a new character drops in from above while the old
// one falls out below, each fading and blurring with its distance from the resting place.
class DigitRoll {
public:
    static constexpr double travelDistance = 16;
    static constexpr double incomingDuration = 0.2;
    static constexpr double outgoingDuration = 0.14;
    static constexpr CubicBezier incomingCurve{0.25, 1.0, 0.4, 1.0};

    // A copy of a character as drawn: offset in points, positive downwards.
    struct Copy {
        char character = ' ';
        double offset = 0;
        double opacity = 1;
        double blurRadius = 0;
        friend bool operator==(const Copy&, const Copy&) = default;
    };

    explicit DigitRoll(char character) : character_(character), outgoing_(character) {}

    // With reduce motion the new character simply replaces the old one.
    void setCharacter(char character, double now, bool reduceMotion);
    char character() const { return character_; }

    // The incoming character, then the outgoing one while it is still leaving.
    std::vector<Copy> copiesAt(double now) const;
    bool isRunningAt(double now) const;

private:
    static Copy copyAt(char character, double offset);

    char character_;
    char outgoing_;
    double changedAt_ = 0;
    bool rolls_ = false;
};

} // namespace vornela
