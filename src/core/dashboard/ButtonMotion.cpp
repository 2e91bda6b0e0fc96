#include "core/dashboard/ButtonMotion.h"

namespace vornela {

void ButtonMotion::setHovered(bool hovered, double now, bool reduceMotion) {
    if (hovered == hovered_)
        return;
    hovered_ = hovered;
    retarget(hover_, hovered ? 1 : 0, now, reduceMotion ? 0 : hoverDuration);
}

void ButtonMotion::setPressed(bool pressed, double now, bool reduceMotion) {
    if (pressed == pressed_)
        return;
    pressed_ = pressed;
    retarget(press_, pressed ? 1 : 0, now, reduceMotion ? 0 : pressDuration);
}

void ButtonMotion::reset() {
    *this = ButtonMotion();
}

void ButtonMotion::retarget(TimedCurve& curve, double target, double now, double duration) {
    // From wherever the look is now, so a quick reversal does not jump.
    curve = TimedCurve{curve.valueAt(now), target, now, duration, CubicBezier::hover()};
}

} // namespace vornela
