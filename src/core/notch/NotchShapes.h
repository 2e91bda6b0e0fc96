#pragma once

#include "core/base/Geometry.h"
#include "core/notch/NotchState.h"

#include <optional>
#include <vector>

namespace vornela {

// Outlines of the notch surface. Everything here is in view coordinates: origin at the top left
// of the panel, y growing downwards, so a Rect's minY is its top edge.

struct PathSegment {
    enum Type { moveTo, lineTo, quadTo, cubicTo, close };
    Type type = moveTo;
    Point to;
    Point c1; // quadTo: the control point; cubicTo: the first one
    Point c2; // cubicTo: the second control point
    friend bool operator==(const PathSegment&, const PathSegment&) = default;
};

using NotchPath = std::vector<PathSegment>;

// The notch outline: small rounded top corners flowing into the screen edge, soft stretched
// bottom corners. Absent radii derive from the height; an empty rectangle gives an empty path.
NotchPath macNotchShape(Rect rect, std::optional<double> topCornerRadius,
                        std::optional<double> bottomCornerRadius);

// The part of `panel` the surface covers at reveal `progress`: the anchor area at 0, the whole
// panel at 1. The top edge never moves.
Rect notchClipRect(Rect panel, double progress, double left, double right, double down);

// Bottom corner radius of the grown surface for a notch of this height.
double clipBottomRadius(double anchorHeight);

// The clip that grows the outline from the camera housing to the full panel.
struct ExpandingNotchClip {
    double progress = 0;
    double leftExpansion = 0;
    double rightExpansion = 0;
    double downExpansion = 0;
    double anchorHeight = 0;
    double topCornerRadius = 0;

    Rect clipRect(Rect rect) const;
    NotchPath path(Rect rect) const;
};

// Fade-and-settle of revealed content. Scale is about the top centre; offsetY moves content down.
struct NotchContentReveal {
    double opacity = 1;
    double scale = 1;
    double offsetY = 0;

    static NotchContentReveal at(double progress, bool reduceMotion);
    friend bool operator==(const NotchContentReveal&, const NotchContentReveal&) = default;
};

// The eased value the container hands to its content for the view model's reveal progress.
double containerRevealValue(double contentRevealProgress);
// The container's content reveal: a finished reveal is drawn as with reduce motion, so it sits
// exactly in place.
NotchContentReveal containerContentReveal(double contentRevealProgress, bool reduceMotion);

// Content only takes clicks once it is nearly revealed, and during a resize only where the
// content stays the same kind of view.
bool contentAcceptsPointer(double contentRevealProgress, bool isLayoutTransitioning, const NotchState& state);

} // namespace vornela
