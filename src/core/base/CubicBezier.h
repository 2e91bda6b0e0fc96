#pragma once

namespace vornela {

// A CSS-style timing curve through (0,0), (x1,y1), (x2,y2), (1,1): maps elapsed fraction x to
// progress y.
class CubicBezier {
public:
    constexpr CubicBezier(double x1, double y1, double x2, double y2) : x1_(x1), y1_(y1), x2_(x2), y2_(y2) {}

    double operator()(double x) const { return solve(x); }
    double solve(double x) const;

    // The recurring curves of the interface.
    static constexpr CubicBezier hover() { return {0.25, 1.0, 0.5, 1.0}; }
    static constexpr CubicBezier valueChange() { return {0.22, 1.0, 0.36, 1.0}; }
    static constexpr CubicBezier entry() { return {0.16, 1.0, 0.3, 1.0}; }
    static constexpr CubicBezier exit() { return {0.4, 0.0, 0.2, 1.0}; }

    friend constexpr bool operator==(const CubicBezier&, const CubicBezier&) = default;

private:
    double sampleX(double t) const;
    double sampleY(double t) const;
    double sampleDerivativeX(double t) const;

    double x1_, y1_, x2_, y2_;
};

// A value moving from `from` to `to` over `duration` seconds from `start` along `curve`,
// read at any instant. Before start it reads `from`, after the end `to`.
struct TimedCurve {
    double from = 0;
    double to = 0;
    double start = 0;
    double duration = 0;
    CubicBezier curve = CubicBezier::entry();

    double valueAt(double now) const;
    bool isRunningAt(double now) const { return now >= start && now < start + duration; }
};

} // namespace vornela
