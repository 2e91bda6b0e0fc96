#pragma once

#include "core/notch/ScreenSource.h"

#include <string>

namespace vornela::fakes {

// The one sample laptop of the simulator, the tests, the gallery and the benchmarks: a 14-inch
// panel at 2x with a 188 × 32 camera housing between x 662 and 850.
inline ScreenInfo notchedLaptop(bool isMain = true) {
    ScreenInfo s;
    s.id = "builtin";
    s.isMain = isMain;
    s.frame = {0, 0, 1512, 982};
    s.visibleFrame = {0, 0, 1512, 949};
    s.backingScaleFactor = 2;
    s.safeAreaTopInset = 32;
    s.auxiliaryTopLeftArea = Rect{0, 950, 662, 32};
    s.auxiliaryTopRightArea = Rect{850, 950, 662, 32};
    return s;
}

// A plain monitor with a 25-point menu bar, placed right of x = `left`.
inline ScreenInfo externalDisplay(std::string id, double left = 1512, bool isMain = false) {
    ScreenInfo s;
    s.id = std::move(id);
    s.isMain = isMain;
    s.frame = {left, 0, 1920, 1080};
    s.visibleFrame = {left, 0, 1920, 1055};
    s.backingScaleFactor = 1;
    return s;
}

} // namespace vornela::fakes
