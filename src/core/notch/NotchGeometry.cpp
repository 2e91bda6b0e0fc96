#include "core/notch/NotchGeometry.h"

#include <algorithm>
#include <cmath>

namespace vornela {

namespace {

constexpr double fallbackWidth = 180;
constexpr double fallbackHeight = 32;
constexpr double sideExpansion = 140;
constexpr double hoverDown = 168;
constexpr double waterDown = 128;
constexpr double heatMapDown = 216;
constexpr double belowNotchGap = 5;
constexpr double belowMenuBarGap = 4;

// One device pixel; a screen without a scale factor is left unsnapped and unnarrowed.
double devicePixel(double scale) {
    return scale > 0 ? 1 / scale : 0;
}

Rect fallbackAnchor(const Rect& frame) {
    return {frame.midX() - fallbackWidth / 2, frame.maxY() - fallbackHeight, fallbackWidth, fallbackHeight};
}

} // namespace

bool operator==(const NotchWindowAlignment& a, const NotchWindowAlignment& b) {
    if (a.kind != b.kind)
        return false;
    switch (a.kind) {
    case NotchWindowAlignment::Case::hoverExpanded:
    case NotchWindowAlignment::Case::waterTracking:
    case NotchWindowAlignment::Case::activityHeatMap:
        return a.additionalDown == b.additionalDown;
    case NotchWindowAlignment::Case::nudge:
        return a.leftExpansion == b.leftExpansion && a.rightExpansion == b.rightExpansion && a.down == b.down;
    case NotchWindowAlignment::Case::closed:
        return true;
    }
    return true;
}

double snapUp(double value, double scale) {
    return scale > 0 ? std::ceil(value * scale) / scale : value;
}

double snapDown(double value, double scale) {
    return scale > 0 ? std::floor(value * scale) / scale : value;
}

std::optional<ScreenInfo> mainScreen(const std::vector<ScreenInfo>& screens) {
    auto it = std::find_if(screens.begin(), screens.end(), [](const ScreenInfo& s) { return s.isMain; });
    if (it != screens.end())
        return *it;
    // A platform that marks no screen as main still has a primary one: the first it lists.
    if (!screens.empty())
        return screens.front();
    return std::nullopt;
}

std::optional<ScreenInfo> preferredScreen(const std::vector<ScreenInfo>& screens) {
    auto main = mainScreen(screens);
    if (main && main->safeAreaTopInset > 0)
        return main;
    for (const auto& screen : screens) {
        if (screen.safeAreaTopInset > 0)
            return screen;
    }
    return main;
}

Rect anchorRect(const ScreenInfo& screen) {
    const double inset = screen.safeAreaTopInset;
    if (inset > 0 && screen.auxiliaryTopLeftArea && screen.auxiliaryTopRightArea) {
        const double s = screen.backingScaleFactor;
        const double left = snapUp(screen.auxiliaryTopLeftArea->maxX(), s);
        const double right = snapDown(screen.auxiliaryTopRightArea->minX(), s);
        const double width = right - left;
        if (width > 0) {
            const double y = snapUp(screen.frame.maxY() - inset, s);
            return {left, y, width, snapDown(inset, s)};
        }
    }
    return fallbackAnchor(screen.frame);
}

NotchGeometry makeNotchGeometry(const ScreenInfo& screen) {
    const Rect a = anchorRect(screen);
    const double p = devicePixel(screen.backingScaleFactor);
    return {screen, {a.x + p, a.y, a.width - p, a.height}};
}

Expansions expansions(const NotchWindowAlignment& alignment) {
    switch (alignment.kind) {
    case NotchWindowAlignment::Case::hoverExpanded:
        return {sideExpansion, sideExpansion, hoverDown + alignment.additionalDown};
    case NotchWindowAlignment::Case::waterTracking:
        return {sideExpansion, sideExpansion, waterDown + alignment.additionalDown};
    case NotchWindowAlignment::Case::activityHeatMap:
        return {sideExpansion, sideExpansion, heatMapDown + alignment.additionalDown};
    case NotchWindowAlignment::Case::nudge:
        return {alignment.leftExpansion, alignment.rightExpansion, alignment.down};
    case NotchWindowAlignment::Case::closed:
        return {};
    }
    return {};
}

Rect windowFrame(const NotchWindowAlignment& alignment, const NotchGeometry& geometry) {
    const Rect& a = geometry.anchorRect;
    const double s = geometry.screen.backingScaleFactor;
    const Expansions e = expansions(alignment);
    const double minX = snapUp(a.minX() - e.left, s);
    const double maxX = snapDown(a.maxX() + e.right, s);
    const double minY = snapUp(a.minY() - e.down, s);
    const double maxY = snapDown(a.maxY(), s);
    return {minX, minY, std::max(0.0, maxX - minX), std::max(0.0, maxY - minY)};
}

NotchLayoutMetrics layoutMetrics(const NotchWindowAlignment& alignment, const NotchGeometry& geometry) {
    const Rect frame = windowFrame(alignment, geometry);
    if (alignment.kind == NotchWindowAlignment::Case::closed)
        return {frame.size(), frame.width, frame.height, 0, 0, 0};
    const Expansions e = expansions(alignment);
    return {frame.size(), geometry.anchorRect.width, geometry.anchorRect.height, e.left, e.right, e.down};
}

Point completionPanelOrigin(Size panelSize, const ScreenInfo& screen, bool forceFallback) {
    const double s = screen.backingScaleFactor;
    if (!forceFallback && screen.safeAreaTopInset > 0) {
        const Rect a = anchorRect(screen);
        const double p = devicePixel(s);
        const Rect narrowed{a.x + p, a.y, a.width - p, a.height};
        return {snapUp(narrowed.midX() - panelSize.width / 2, s),
                snapUp(a.minY() - belowNotchGap - panelSize.height, s)};
    }
    const double menuBarHeight = std::max(0.0, screen.frame.maxY() - screen.visibleFrame.maxY());
    return {snapUp(screen.frame.midX() - panelSize.width / 2, s),
            snapUp(screen.frame.maxY() - menuBarHeight - belowMenuBarGap - panelSize.height, s)};
}

} // namespace vornela
