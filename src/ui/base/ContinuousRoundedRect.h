#pragma once

#include <QPainterPath>
#include <QRectF>

#include <algorithm>

namespace vornela {

// A rounded rectangle whose corners ease into the straight edges (curvature grows from zero)
// instead of meeting them abruptly like a circular arc. Each corner is one cubic that starts
// further along the edge than a circle would and passes through the circle's midpoint, so it
// reads as the same radius.
inline QPainterPath continuousRoundedRect(const QRectF& rect, double radius) {
    QPainterPath path;
    if (rect.isEmpty())
        return path;
    constexpr double reach = 1.528;  // where the corner leaves the edge, in radii
    constexpr double handle = 0.272; // control points, in radii from the corner
    double r = std::max(0.0, radius);
    const double half = std::min(rect.width(), rect.height()) / 2;
    if (r * reach > half)
        r = half / reach;
    if (r <= 0) {
        path.addRect(rect);
        return path;
    }
    const double a = r * reach;
    const double b = r * handle;
    const double l = rect.left(), t = rect.top(), rt = rect.right(), bm = rect.bottom();
    path.moveTo(l + a, t);
    path.lineTo(rt - a, t);
    path.cubicTo(rt - b, t, rt, t + b, rt, t + a);
    path.lineTo(rt, bm - a);
    path.cubicTo(rt, bm - b, rt - b, bm, rt - a, bm);
    path.lineTo(l + a, bm);
    path.cubicTo(l + b, bm, l, bm - b, l, bm - a);
    path.lineTo(l, t + a);
    path.cubicTo(l, t + b, l + b, t, l + a, t);
    path.closeSubpath();
    return path;
}

} // namespace vornela
