#pragma once

#include "core/base/Geometry.h"

#include <QPointF>
#include <QRect>
#include <QRectF>

namespace vornela {

// Qt's global space (y down from the primary screen's top) <-> core's (y up from the primary
// screen's bottom). x is shared, so only the primary screen's bottom edge matters.
struct CoordinateSpace {
    QRect primary; // the primary screen's geometry in Qt global coordinates

    // From QGuiApplication::primaryScreen(); an empty rectangle when there is no screen.
    static CoordinateSpace current();

    Rect toCore(const QRectF& rect) const;
    Point toCore(const QPointF& point) const;
    QRectF toQt(const Rect& rect) const;
    QPointF toQt(const Point& point) const;

private:
    // The primary's bottom edge in Qt coordinates. QRect::bottom() is one short, so not that.
    double flipLine() const { return double(primary.y()) + double(primary.height()); }
};

} // namespace vornela
