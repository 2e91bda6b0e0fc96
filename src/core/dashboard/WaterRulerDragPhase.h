#pragma once

namespace vornela {

// One phase of a drag on the water ruler: translation along x in points since the press,
// velocity in points per second at the release.
struct WaterRulerDragPhase {
    enum class Kind { began, changed, ended };

    Kind kind = Kind::began;
    double translation = 0;
    double velocity = 0;

    static WaterRulerDragPhase began() { return {Kind::began}; }
    static WaterRulerDragPhase changed(double translation) { return {Kind::changed, translation}; }
    static WaterRulerDragPhase ended(double translation, double velocity) {
        return {Kind::ended, translation, velocity};
    }
};

} // namespace vornela
