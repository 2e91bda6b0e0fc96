#pragma once

#include <algorithm>
#include <cmath>

namespace vornela {

// ease(p, k) = 1 − (1 − p)^k for p clamped to 0...1.
inline double ease(double progress, double exponent) {
    return 1.0 - std::pow(1.0 - std::clamp(progress, 0.0, 1.0), exponent);
}

// A part of an animation that starts `delay` into the overall progress and ends with it.
inline double stagger(double progress, double delay) {
    const double r = std::clamp(progress, 0.0, 1.0);
    return ease(std::clamp((r - delay) / std::max(1.0 - delay, 0.001), 0.0, 1.0), 2.1);
}

} // namespace vornela
