#pragma once

#include <QPointF>
#include <QRectF>

#include <functional>
#include <optional>

namespace vornela {

// Hover for one control inside a painted surface: the surface forwards the pointer positions it
// sees (view coordinates) and the tracker says whether they fall on the control's rectangle.
class NotchHoverTracker {
public:
    explicit NotchHoverTracker(std::function<void(bool)> onChanged = {});

    // The control moved or resized: the last pointer position is judged again.
    void setRect(const QRectF& rect);
    QRectF rect() const { return rect_; }

    void pointerMoved(const QPointF& position);
    void pointerLeft();

    bool isHovered() const { return hovered_; }

    // Called when isHovered() changes.
    std::function<void(bool)> onHoverChanged;

private:
    void setHovered(bool hovered);

    QRectF rect_;
    std::optional<QPointF> pointer_;
    bool hovered_ = false;
};

} // namespace vornela
