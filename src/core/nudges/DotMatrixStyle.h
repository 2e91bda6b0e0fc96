#pragma once

#include "core/base/Geometry.h"

namespace vornela {

// Dot geometry for one place a dot-matrix animation is shown, in points.
struct DotMatrixStyle {
    double pixelSize = 0;
    double spacing = 0;
    double floatAmplitude = 0;
};

// The nudge message row (completion card and the notch's nudge row).
inline constexpr DotMatrixStyle messageRowDotMatrixStyle{1.5, 0.4, 0};
inline constexpr Size messageRowDotMatrixBox{15, 15};

// The hover dashboard header.
inline constexpr DotMatrixStyle dashboardHeaderDotMatrixStyle{2.1, 0.45, 0};
inline constexpr Size dashboardHeaderDotMatrixBox{30, 30};

// The icon chip in the Settings window; the chip decides its own box.
inline constexpr DotMatrixStyle settingsChipDotMatrixStyle{2.0, 0.45, 0};

} // namespace vornela
