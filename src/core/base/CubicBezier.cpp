#include "core/base/CubicBezier.h"

#include <algorithm>
#include <cmath>

namespace vornela {

// Polynomial coefficients in the Horner form of B(t) = 3(1−t)²t·p1 + 3(1−t)t²·p2 + t³.
double CubicBezier::sampleX(double t) const {
    const double c = 3 * x1_, b = 3 * (x2_ - x1_) - c, a = 1 - c - b;
    return ((a * t + b) * t + c) * t;
}

double CubicBezier::sampleY(double t) const {
    const double c = 3 * y1_, b = 3 * (y2_ - y1_) - c, a = 1 - c - b;
    return ((a * t + b) * t + c) * t;
}

double CubicBezier::sampleDerivativeX(double t) const {
    const double c = 3 * x1_, b = 3 * (x2_ - x1_) - c, a = 1 - c - b;
    return (3 * a * t + 2 * b) * t + c;
}

double CubicBezier::solve(double x) const {
    if (x <= 0)
        return 0;
    if (x >= 1)
        return 1;
    constexpr double epsilon = 1e-9;
    // Newton's method converges in a few steps on the curves we use; bisection covers the
    // flat spots where the derivative vanishes.
    double t = x;
    for (int i = 0; i < 8; ++i) {
        const double error = sampleX(t) - x;
        if (std::abs(error) < epsilon)
            return sampleY(t);
        const double slope = sampleDerivativeX(t);
        if (std::abs(slope) < 1e-7)
            break;
        t -= error / slope;
    }
    double lo = 0, hi = 1;
    t = x;
    for (int i = 0; i < 64 && lo < hi; ++i) {
        const double value = sampleX(t);
        if (std::abs(value - x) < epsilon)
            break;
        if (value < x)
            lo = t;
        else
            hi = t;
        t = (lo + hi) / 2;
    }
    return sampleY(std::clamp(t, 0.0, 1.0));
}

double TimedCurve::valueAt(double now) const {
    if (duration <= 0 || now >= start + duration)
        return to;
    if (now <= start)
        return from;
    return from + (to - from) * curve.solve((now - start) / duration);
}

} // namespace vornela
