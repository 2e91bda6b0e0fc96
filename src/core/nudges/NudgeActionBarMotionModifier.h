#pragma once

namespace vornela {

// How the completion card is drawn at a motion progress: it fades in while sliding down from
// 10 points above, growing from 94 % about its top centre and coming into focus. With reduce
// motion only the opacity changes.
struct NudgeActionBarMotionModifier {
    double progress = 1;
    bool reduceMotion = false;

    double opacity() const;
    double offsetY() const; // negative: above its resting place (y down)
    double scale() const;
    double blurRadius() const;

private:
    double eased() const;
};

} // namespace vornela
