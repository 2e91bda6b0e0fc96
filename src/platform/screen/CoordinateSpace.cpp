#include "platform/screen/CoordinateSpace.h"

#include <QGuiApplication>
#include <QScreen>

namespace vornela {

CoordinateSpace CoordinateSpace::current() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return {screen ? screen->geometry() : QRect()};
}

Rect CoordinateSpace::toCore(const QRectF& rect) const {
    return {rect.x(), flipLine() - (rect.y() + rect.height()), rect.width(), rect.height()};
}

Point CoordinateSpace::toCore(const QPointF& point) const {
    return {point.x(), flipLine() - point.y()};
}

QRectF CoordinateSpace::toQt(const Rect& rect) const {
    return {rect.x, flipLine() - (rect.y + rect.height), rect.width, rect.height};
}

QPointF CoordinateSpace::toQt(const Point& point) const {
    return {point.x, flipLine() - point.y};
}

} // namespace vornela
