#pragma once

#include "core/nudges/DotMatrixAnimation.h"
#include "core/nudges/DotMatrixPlayer.h"
#include "core/nudges/DotMatrixStyle.h"

#include <QRectF>

#include <optional>

class QPainter;

namespace vornela {

// Plays one dot-matrix animation. Not a widget: its owner paints it into a box and asks it when the
// next redraw is due, so the owner's transforms (reveal, card motion) apply to the dots too.
class DotMatrixView {
public:
    DotMatrixView(DotMatrixAnimation animation, DotMatrixStyle style, double startDate /* monotonic */);

    // A new animation picks its frame from the time already elapsed.
    void setAnimation(DotMatrixAnimation animation);
    // The view was shown again: play from frame 0.
    void restart(double now);
    // Off: the still first frame.
    void setAnimate(bool animate);

    const DotMatrixAnimation& animation() const { return animation_; }
    const DotMatrixStyle& style() const { return style_; }
    double startDate() const { return startDate_; }
    bool animates() const { return animate_; }

    RedrawSchedule schedule(bool reduceMotion) const;
    // What paint() draws at `now`.
    DotMatrixPicture pictureAt(double now, bool reduceMotion) const;
    // Fills only the dots that have a colour; the matrix is centred in `box`, never scaled.
    void paint(QPainter& painter, const QRectF& box, double now, bool reduceMotion) const;
    // 0: every display frame; > 0: seconds to the next frame boundary; nullopt: a still picture.
    std::optional<double> nextFrameDelay(double now, bool reduceMotion) const;

private:
    DotMatrixAnimation animation_;
    DotMatrixStyle style_;
    double startDate_;
    bool animate_ = true;
};

} // namespace vornela
