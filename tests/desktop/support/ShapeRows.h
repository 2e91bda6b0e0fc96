#pragma once

#include <QRegion>

#include <vector>

namespace vornela {

inline QRegion regionOf(const std::vector<QRect>& rects) {
    QRegion region;
    for (const QRect& rect : rects)
        region += rect;
    return region;
}

// Rows of a window shape whose span is not centred in the window's `width`: a shape drawn
// symmetric must cover the same pixels on both sides.
inline int unmirroredRows(const QRegion& shape, int width) {
    int count = 0;
    const QRect bounds = shape.boundingRect();
    for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
        const QRect row = (shape & QRect(0, y, width, 1)).boundingRect();
        count += !row.isEmpty() && row.left() != width - 1 - row.right();
    }
    return count;
}

} // namespace vornela
