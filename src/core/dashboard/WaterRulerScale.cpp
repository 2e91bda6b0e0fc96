#include "core/dashboard/WaterRulerScale.h"

#include "core/dashboard/LitreText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vornela {

WaterRulerScale::WaterRulerScale(int goalML) : maxStep_(std::max(goalML, stepML) / stepML) {}

int WaterRulerScale::maxAmountML() const {
    return maxStep_ * stepML;
}

int WaterRulerScale::majorInterval() const {
    if (maxStep_ > 12)
        return maxStep_ < 25 ? 5 : 10;
    return maxStep_ > 1 ? maxStep_ / 2 : 1;
}

bool WaterRulerScale::isMajor(int step) const {
    return step % majorInterval() == 0 || step == maxStep_;
}

std::vector<int> WaterRulerScale::majors() const {
    std::vector<int> result;
    for (int step = 0; step <= maxStep_; ++step) {
        if (isMajor(step))
            result.push_back(step);
    }
    return result;
}

std::string WaterRulerScale::label(int step) {
    return litres(step * stepML);
}

std::pair<int, int> WaterRulerScale::visibleRange(double centre, double width) const {
    const int span = static_cast<int>(std::ceil(width / tickSpacing * 0.5)) + 6;
    const int middle = static_cast<int>(std::round(centre));
    return {std::max(0, middle - span), std::min(maxStep_, middle + span)};
}

std::vector<RulerTick> WaterRulerScale::ticks(double centre, double width) const {
    std::vector<RulerTick> result;
    const auto [first, last] = visibleRange(centre, width);
    for (int step = first; step <= last; ++step) {
        RulerTick tick;
        tick.step = step;
        tick.x = width / 2 + (step - centre) * tickSpacing;
        tick.major = isMajor(step);
        tick.width = tick.major ? majorTickWidth : minorTickWidth;
        const double distance = std::min(tick.x, width - tick.x);
        tick.height = (tick.major ? majorTickHeight : minorTickHeight) * heightScale(distance);
        tick.opacity = edgeOpacity(distance);
        tick.barOpacity = tick.major ? 0.95 : 0.5;
        // A major one step before the goal (900 ml: 0.8 beside 0.9) would print over the goal's
        // label; the goal keeps its own.
        if (tick.major && (step == maxStep_ || maxStep_ - step > 1))
            tick.label = label(step);
        result.push_back(std::move(tick));
    }
    return result;
}

double WaterRulerScale::heightScale(double edgeDistance) {
    const double d = std::max(edgeDistance, 0.0);
    if (d >= edgeExtent)
        return 1;
    const double t = (std::cos((1 - d / edgeExtent) * std::numbers::pi) + 1) / 2;
    return minTickHeightScale + (1 - minTickHeightScale) * t;
}

double WaterRulerScale::edgeOpacity(double edgeDistance) {
    const double d = std::max(edgeDistance, 0.0);
    if (d >= edgeExtent)
        return 1;
    return 1 - 0.65 * (1 - d / edgeExtent);
}

} // namespace vornela
