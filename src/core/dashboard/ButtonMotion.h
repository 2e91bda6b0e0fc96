#pragma once

#include "core/base/CubicBezier.h"

namespace vornela {

// How far a button has gone into its hover and pressed looks, 0...1, read at any instant.
// Changes ease over 0.15 s (hover) and 0.12 s (press); with reduce motion they apply at once.
class ButtonMotion {
public:
    static constexpr double hoverDuration = 0.15;
    static constexpr double pressDuration = 0.12;

    void setHovered(bool hovered, double now, bool reduceMotion);
    void setPressed(bool pressed, double now, bool reduceMotion);
    // Back to rest at once (the button was hidden under the pointer).
    void reset();

    bool isHovered() const { return hovered_; }
    bool isPressed() const { return pressed_; }
    double hoverAt(double now) const { return hover_.valueAt(now); }
    double pressAt(double now) const { return press_.valueAt(now); }
    bool isRunningAt(double now) const { return hover_.isRunningAt(now) || press_.isRunningAt(now); }

private:
    static void retarget(TimedCurve& curve, double target, double now, double duration);

    bool hovered_ = false;
    bool pressed_ = false;
    TimedCurve hover_{0, 0, 0, 0, CubicBezier::hover()};
    TimedCurve press_{0, 0, 0, 0, CubicBezier::hover()};
};

} // namespace vornela
