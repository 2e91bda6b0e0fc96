#include "ui/nudges/DotMatrixView.h"

#include "ui/base/QtConversions.h"

#include <QPainter>

#include <cmath>
#include <utility>

namespace vornela {

DotMatrixView::DotMatrixView(DotMatrixAnimation animation, DotMatrixStyle style, double startDate)
    : animation_(std::move(animation)), style_(style), startDate_(startDate) {}

void DotMatrixView::setAnimation(DotMatrixAnimation animation) {
    animation_ = std::move(animation);
}

void DotMatrixView::restart(double now) {
    startDate_ = now;
}

void DotMatrixView::setAnimate(bool animate) {
    animate_ = animate;
}

RedrawSchedule DotMatrixView::schedule(bool reduceMotion) const {
    return redrawSchedule(animation_, style_.floatAmplitude, animate_, reduceMotion);
}

DotMatrixPicture DotMatrixView::pictureAt(double now, bool reduceMotion) const {
    const double elapsed = drawingElapsed(schedule(reduceMotion), now - startDate_);
    return vornela::pictureAt(animation_, elapsed, style_.floatAmplitude);
}

void DotMatrixView::paint(QPainter& painter, const QRectF& box, double now, bool reduceMotion) const {
    const auto dots =
        dotRects(pictureAt(now, reduceMotion), style_.pixelSize, style_.spacing, box.width(), box.height());
    if (dots.empty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    for (const auto& dot : dots) {
        // A clear palette entry is a dot that shows nothing: no need to touch the pixels.
        if (dot.color.opacity <= 0)
            continue;
        painter.setBrush(toQColor(dot.color));
        const QRectF rect = toQRectF(dot.rect).translated(box.topLeft());
        painter.drawRoundedRect(rect, dot.cornerRadius, dot.cornerRadius);
    }
    painter.restore();
}

std::optional<double> DotMatrixView::nextFrameDelay(double now, bool reduceMotion) const {
    const auto current = schedule(reduceMotion);
    switch (current.mode) {
    case RedrawMode::still:
        return std::nullopt;
    case RedrawMode::everyDisplayFrame:
        return 0.0;
    case RedrawMode::periodic:
        break;
    }
    const double elapsed = now - startDate_;
    if (!std::isfinite(elapsed) || !(current.interval > 0))
        return std::nullopt;
    if (elapsed < 0)
        return -elapsed;
    // A one-shot animation holding its last frame has nothing left to show.
    const auto count = static_cast<double>(animation_.frames.size());
    if (!animation_.loop && elapsed >= count * animation_.frameDuration)
        return std::nullopt;
    // At a boundary exactly the frame has just changed: the next one is a whole interval away.
    return current.interval - std::fmod(elapsed, current.interval);
}

} // namespace vornela
