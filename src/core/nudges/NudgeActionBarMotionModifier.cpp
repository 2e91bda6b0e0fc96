#include "core/nudges/NudgeActionBarMotionModifier.h"

#include "core/base/Easing.h"

namespace vornela {

double NudgeActionBarMotionModifier::eased() const {
    return ease(progress, 2.4);
}

double NudgeActionBarMotionModifier::opacity() const {
    return reduceMotion ? progress : eased();
}

double NudgeActionBarMotionModifier::offsetY() const {
    return reduceMotion ? 0 : -10 * (1 - eased());
}

double NudgeActionBarMotionModifier::scale() const {
    return reduceMotion ? 1 : 0.94 + 0.06 * eased();
}

double NudgeActionBarMotionModifier::blurRadius() const {
    return reduceMotion ? 0 : 1.5 * (1 - eased());
}

} // namespace vornela
