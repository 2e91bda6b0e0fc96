#include "core/nudges/NudgeActionBarMotion.h"

#include "core/base/CubicBezier.h"

namespace vornela {

double nudgeActionBarProgress(NudgeActionBarMotion motion, double elapsed, bool reduceMotion) {
    switch (motion) {
    case NudgeActionBarMotion::entering:
        if (reduceMotion)
            return 1;
        return TimedCurve{0, 1, 0, nudgeActionBarEnterDuration, CubicBezier::entry()}.valueAt(elapsed);
    case NudgeActionBarMotion::visible:
        return 1;
    case NudgeActionBarMotion::exiting:
        if (reduceMotion)
            return 0;
        return TimedCurve{1, 0, 0, nudgeActionBarExitDuration, CubicBezier::exit()}.valueAt(elapsed);
    }
    return 1;
}

} // namespace vornela
