#include "ui/notch/NotchHoverTracker.h"

#include <utility>

namespace vornela {

NotchHoverTracker::NotchHoverTracker(std::function<void(bool)> onChanged)
    : onHoverChanged(std::move(onChanged)) {}

void NotchHoverTracker::setRect(const QRectF& rect) {
    rect_ = rect;
    setHovered(pointer_ && rect_.contains(*pointer_));
}

void NotchHoverTracker::pointerMoved(const QPointF& position) {
    pointer_ = position;
    setHovered(rect_.contains(position));
}

void NotchHoverTracker::pointerLeft() {
    pointer_.reset();
    setHovered(false);
}

void NotchHoverTracker::setHovered(bool hovered) {
    if (hovered == hovered_)
        return;
    hovered_ = hovered;
    if (onHoverChanged)
        onHoverChanged(hovered);
}

} // namespace vornela
