#pragma once

#include "core/base/Geometry.h"
#include "core/notch/ScreenSource.h"

#include <optional>
#include <vector>

namespace vornela {

// The screen that carries the notch surface and the rectangle it grows from.
struct NotchGeometry {
    ScreenInfo screen;
    Rect anchorRect;
    friend bool operator==(const NotchGeometry&, const NotchGeometry&) = default;
};

// The layout the notch window is asked for.
struct NotchWindowAlignment {
    enum class Case { hoverExpanded, waterTracking, activityHeatMap, nudge, closed };

    Case kind = Case::closed;
    double additionalDown = 0; // the three open cases
    double leftExpansion = 0;  // nudge
    double rightExpansion = 0; // nudge
    double down = 0;           // nudge

    static NotchWindowAlignment closed() { return {}; }
    static NotchWindowAlignment hoverExpanded(double additionalDown) {
        return {Case::hoverExpanded, additionalDown};
    }
    static NotchWindowAlignment waterTracking(double additionalDown) {
        return {Case::waterTracking, additionalDown};
    }
    static NotchWindowAlignment activityHeatMap(double additionalDown) {
        return {Case::activityHeatMap, additionalDown};
    }
    static NotchWindowAlignment nudge(double left, double right, double down) {
        return {Case::nudge, 0, left, right, down};
    }

    bool isOpen() const {
        return kind == Case::hoverExpanded || kind == Case::waterTracking || kind == Case::activityHeatMap;
    }
    // Only the payload of the case takes part.
    friend bool operator==(const NotchWindowAlignment& a, const NotchWindowAlignment& b);
};

struct Expansions {
    double left = 0;
    double right = 0;
    double down = 0;
    double total() const { return left + right + down; }
    friend bool operator==(const Expansions&, const Expansions&) = default;
};

struct NotchLayoutMetrics {
    Size windowSize;
    double anchorWidth = 0;
    double anchorHeight = 0;
    double leftExpansion = 0;
    double rightExpansion = 0;
    double downExpansion = 0;
    friend bool operator==(const NotchLayoutMetrics&, const NotchLayoutMetrics&) = default;
};

// Device-pixel snapping; a scale of 0 or less leaves values alone.
double snapUp(double value, double scale);
double snapDown(double value, double scale);

std::optional<ScreenInfo> preferredScreen(const std::vector<ScreenInfo>& screens);
std::optional<ScreenInfo> mainScreen(const std::vector<ScreenInfo>& screens);
Rect anchorRect(const ScreenInfo& screen);
// The anchor narrowed by one device pixel at its left edge, as the notch window uses it.
NotchGeometry makeNotchGeometry(const ScreenInfo& screen);
Expansions expansions(const NotchWindowAlignment& alignment);
Rect windowFrame(const NotchWindowAlignment& alignment, const NotchGeometry& geometry);
NotchLayoutMetrics layoutMetrics(const NotchWindowAlignment& alignment, const NotchGeometry& geometry);
Point completionPanelOrigin(Size panelSize, const ScreenInfo& screen, bool forceFallback);

} // namespace vornela
