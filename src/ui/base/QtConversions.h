#pragma once

#include "core/base/Color.h"
#include "core/base/Geometry.h"
#include "core/notch/NotchShapes.h"

#include <QColor>
#include <QPainterPath>
#include <QRectF>

namespace vornela {

inline QColor toQColor(Color color) {
    return QColor::fromRgbF(static_cast<float>(color.red), static_cast<float>(color.green),
                            static_cast<float>(color.blue), static_cast<float>(color.opacity));
}

// White at an opacity, clamped to 0...1: most of what is drawn on the notch's black.
inline QColor whiteAt(double opacity) {
    return QColor::fromRgbF(1, 1, 1, static_cast<float>(opacity < 0 ? 0 : opacity > 1 ? 1 : opacity));
}

// Core's view rectangles are already y-down view coordinates: the numbers carry over unchanged.
inline QRectF toQRectF(Rect rect) {
    return QRectF(rect.x, rect.y, rect.width, rect.height);
}

inline Rect toRect(const QRectF& rect) {
    return Rect{rect.x(), rect.y(), rect.width(), rect.height()};
}

inline QPointF toQPointF(Point point) {
    return QPointF(point.x, point.y);
}

inline QPainterPath toPainterPath(const NotchPath& path) {
    // Notch outlines are non-zero (winding) shapes.
    QPainterPath result;
    result.setFillRule(Qt::WindingFill);
    for (const PathSegment& segment : path) {
        switch (segment.type) {
        case PathSegment::moveTo:
            result.moveTo(toQPointF(segment.to));
            break;
        case PathSegment::lineTo:
            result.lineTo(toQPointF(segment.to));
            break;
        case PathSegment::quadTo:
            result.quadTo(toQPointF(segment.c1), toQPointF(segment.to));
            break;
        case PathSegment::cubicTo:
            result.cubicTo(toQPointF(segment.c1), toQPointF(segment.c2), toQPointF(segment.to));
            break;
        case PathSegment::close:
            result.closeSubpath();
            break;
        }
    }
    return result;
}

} // namespace vornela
