#pragma once

#include "core/base/Geometry.h"

#include <optional>
#include <string>
#include <vector>

namespace vornela {

// What the notch needs to know about one screen, in global points (origin bottom left of the
// primary screen, y up).
struct ScreenInfo {
    std::string id;
    bool isMain = false;
    Rect frame;
    Rect visibleFrame;
    double backingScaleFactor = 1;
    // Above 0 only where a camera notch is known to cut into the top of the panel.
    double safeAreaTopInset = 0;
    // The menu-bar areas left and right of the camera housing, where there is one.
    std::optional<Rect> auxiliaryTopLeftArea;
    std::optional<Rect> auxiliaryTopRightArea;

    friend bool operator==(const ScreenInfo&, const ScreenInfo&) = default;
};

// The platform's screens, in the system's order.
class ScreenSource {
public:
    virtual ~ScreenSource() = default;
    virtual std::vector<ScreenInfo> screens() const = 0;
};

} // namespace vornela
