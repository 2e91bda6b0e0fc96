#pragma once

#include <QPainterPath>
#include <QRegion>

namespace vornela {

// The whole pixels an outline covers (those whose centres lie inside it), one rectangle per row,
// each row mirrored about the outline's vertical centre line: a shape that is symmetric left to
// right stays symmetric to the pixel, whatever rounding the curves meet. For window shapes
// (input and bounding), which X11 only takes as rectangles. Rows must be convex (one span each),
// as every notch and card outline is.
QRegion outlinePixels(const QPainterPath& outline);

} // namespace vornela
