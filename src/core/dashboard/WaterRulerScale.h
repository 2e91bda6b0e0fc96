#pragma once

#include "core/dashboard/RulerTick.h"

#include <string>
#include <vector>

namespace vornela {

// The water ruler's scale for a daily goal: one step per 100 ml from 0 to the goal (at least
// one step), majors and their litre labels, and which ticks a ruler of some width shows around
// a centre step.
class WaterRulerScale {
public:
    static constexpr int stepML = 100;
    static constexpr double tickSpacing = 10;
    static constexpr double edgeBlurWidth = 44;
    static constexpr double edgeFadeWidth = 22;
    static constexpr double minTickHeightScale = 0.32;
    static constexpr double edgeBlurRadius = 7.5;
    static constexpr double minorTickHeight = 42;
    static constexpr double majorTickHeight = 48;
    static constexpr double minorTickWidth = 2;
    static constexpr double majorTickWidth = 2.25;
    static constexpr double bandHeight = 76;
    static constexpr double labelRowHeight = 14;
    // Where the ends' shrinking and fading begin, from each edge.
    static constexpr double edgeExtent = edgeBlurWidth + edgeFadeWidth;

    explicit WaterRulerScale(int goalML);

    int maxStep() const { return maxStep_; }
    // The largest amount the ruler offers: the goal's last whole step, at least one step.
    int maxAmountML() const;
    int majorInterval() const;
    bool isMajor(int step) const;
    std::vector<int> majors() const;
    // "0", whole litres as "1", "2", otherwise one decimal: "0.5", "1.5".
    static std::string label(int step);

    // The first and last step shown around `centre` on a ruler `width` points wide.
    std::pair<int, int> visibleRange(double centre, double width) const;
    std::vector<RulerTick> ticks(double centre, double width) const;

    // Height factor and cell opacity of a tick `edgeDistance` points from the nearer end.
    static double heightScale(double edgeDistance);
    static double edgeOpacity(double edgeDistance);

private:
    int maxStep_;
};

} // namespace vornela
