#include "platform/window/OutlinePixels.h"

#include <QPolygonF>
#include <QVector>

#include <cmath>
#include <limits>

namespace vornela {

QRegion outlinePixels(const QPainterPath& outline) {
    if (outline.isEmpty())
        return {};
    const QRectF bounds = outline.boundingRect();
    // Twice the centre line, so a mirrored edge is `axis2 - x`.
    const double axis2 = bounds.left() + bounds.right();
    const QPolygonF polygon = outline.toFillPolygon();
    const int n = int(polygon.size());
    QVector<QRect> rows;
    for (int y = int(std::floor(bounds.top())); y < int(std::ceil(bounds.bottom())); ++y) {
        const double yc = y + 0.5;
        // Only the left edge is measured: the right one is its mirror image.
        double left = std::numeric_limits<double>::infinity();
        for (int i = 0; i < n; ++i) {
            const QPointF a = polygon[i];
            const QPointF b = polygon[(i + 1) % n];
            if ((a.y() <= yc) == (b.y() <= yc))
                continue;
            const double x = a.x() + (yc - a.y()) * (b.x() - a.x()) / (b.y() - a.y());
            left = std::min(left, x);
        }
        if (!std::isfinite(left))
            continue;
        // Pixels whose centres lie at or right of `left`, and at or left of its mirror.
        const int first = int(std::ceil(left - 0.5));
        const int last = int(std::floor(axis2 - left - 0.5));
        if (last < first)
            continue;
        // Rows alike and adjacent make one rectangle: fewer for the server to hold.
        if (!rows.isEmpty() && rows.last().left() == first && rows.last().right() == last &&
            rows.last().bottom() == y - 1)
            rows.last().setBottom(y);
        else
            rows.append(QRect(first, y, last - first + 1, 1));
    }
    QRegion region;
    region.setRects(rows.constData(), int(rows.size()));
    return region;
}

} // namespace vornela
