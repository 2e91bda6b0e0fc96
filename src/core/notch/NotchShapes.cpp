#include "core/notch/NotchShapes.h"

#include <algorithm>
#include <cmath>

namespace vornela {

namespace {

constexpr double revealExponent = 2.1;
constexpr double pointerRevealThreshold = 0.82;

} // namespace

NotchPath macNotchShape(Rect r, std::optional<double> topCornerRadius,
                        std::optional<double> bottomCornerRadius) {
    const double w = r.width;
    const double h = r.height;
    if (w <= 0 || h <= 0)
        return {};
    const double t = topCornerRadius.value_or(std::min(0.06 * h, 2.5));
    const double b = bottomCornerRadius.value_or(0.46 * h);
    // The bottom corners start a little higher than a circular arc would: softer, stretched.
    const double e = b > 0 ? std::min(0.12 * h, 6.0) : 0;
    const double minX = r.minX(), minY = r.minY(), maxX = r.maxX(), maxY = r.maxY();

    using S = PathSegment;
    return {
        {S::moveTo, {minX + t, minY}, {}, {}},
        {S::lineTo, {maxX - t, minY}, {}, {}},
        {S::quadTo, {maxX, minY + t}, {maxX, minY}, {}},
        {S::lineTo, {maxX, maxY - b - e}, {}, {}},
        {S::cubicTo, {maxX - b, maxY}, {maxX, maxY - 0.55 * b}, {maxX - 0.15 * b, maxY}},
        {S::lineTo, {minX + b, maxY}, {}, {}},
        {S::cubicTo, {minX, maxY - b - e}, {minX + 0.15 * b, maxY}, {minX, maxY - 0.55 * b}},
        {S::lineTo, {minX, minY + t}, {}, {}},
        {S::quadTo, {minX + t, minY}, {minX, minY}, {}},
        {S::close, {}, {}, {}},
    };
}

Rect notchClipRect(Rect panel, double progress, double left, double right, double down) {
    const double c = std::clamp(progress, 0.0, 1.0);
    // Opens fast and settles slowly.
    const double k = progress <= 0 ? 1.0 : std::pow(1 - c, revealExponent);
    return {panel.minX() + k * left, panel.minY(), std::max(0.0, panel.width - k * left - k * right),
            std::max(0.0, panel.height - k * down)};
}

double clipBottomRadius(double anchorHeight) {
    return anchorHeight > 0 ? 0.46 * anchorHeight : 14;
}

Rect ExpandingNotchClip::clipRect(Rect rect) const {
    return notchClipRect(rect, progress, leftExpansion, rightExpansion, downExpansion);
}

NotchPath ExpandingNotchClip::path(Rect rect) const {
    const Rect q = clipRect(rect);
    const double bottom = std::min(clipBottomRadius(anchorHeight), 0.46 * q.height);
    return macNotchShape(q, topCornerRadius, bottom);
}

NotchContentReveal NotchContentReveal::at(double progress, bool reduceMotion) {
    if (reduceMotion)
        return {progress >= 0.999 ? 1.0 : progress, 1, 0};
    return {progress, 0.965 + 0.035 * progress, 7 * (1 - progress)};
}

double containerRevealValue(double contentRevealProgress) {
    const double c = contentRevealProgress <= 0 ? 1.0 : std::min(contentRevealProgress, 1.0);
    return 1 - std::pow(1 - c, revealExponent);
}

NotchContentReveal containerContentReveal(double contentRevealProgress, bool reduceMotion) {
    return NotchContentReveal::at(containerRevealValue(contentRevealProgress),
                                  reduceMotion || contentRevealProgress >= 1);
}

bool contentAcceptsPointer(double contentRevealProgress, bool isLayoutTransitioning,
                           const NotchState& state) {
    if (contentRevealProgress <= pointerRevealThreshold)
        return false;
    return !isLayoutTransitioning || state.is(NotchState::Case::waterTracking) ||
           state.is(NotchState::Case::activityHeatMap);
}

} // namespace vornela
