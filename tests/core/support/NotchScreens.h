#pragma once

#include "core/notch/ScreenSource.h"

#include <string>
#include <vector>

namespace vornela::testing {

// A 14-inch laptop panel at 2x: a 200 × 32 camera housing between x 656 and 856.
inline ScreenInfo notchedLaptop(bool isMain = true) {
    ScreenInfo s;
    s.id = "built-in";
    s.isMain = isMain;
    s.frame = {0, 0, 1512, 982};
    s.visibleFrame = {0, 0, 1512, 950};
    s.backingScaleFactor = 2;
    s.safeAreaTopInset = 32;
    s.auxiliaryTopLeftArea = Rect{0, 950, 656, 32};
    s.auxiliaryTopRightArea = Rect{856, 950, 656, 32};
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

// A screen list the test can change, as the platform would on a hot-plug.
class FakeScreenSource : public ScreenSource {
public:
    std::vector<ScreenInfo> screens() const override { return list; }
    std::vector<ScreenInfo> list;
};

} // namespace vornela::testing
