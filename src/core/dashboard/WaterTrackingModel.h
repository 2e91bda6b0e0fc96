#pragma once

#include "core/base/Clock.h"
#include "core/base/CubicBezier.h"
#include "core/base/Haptics.h"
#include "core/base/Signal.h"
#include "core/base/SystemPreferences.h"
#include "core/dashboard/WaterAmountReadout.h"
#include "core/dashboard/WaterRulerDragPhase.h"
#include "core/dashboard/WaterRulerScale.h"
#include "core/notch/NotchViewModel.h"
#include "core/store/HealthDataStore.h"

#include <vector>

namespace vornela {

// The water ruler: picks an amount in steps of 100 ml by dragging, flinging, scrolling or the
// step buttons, and logs it with Track. The selection itself lives in the notch view model
// (`waterTrackingSelectedML`); this model carries a gesture in progress and everything that
// moves, as functions of the monotonic clock.
class WaterTrackingModel {
public:
    struct Services {
        NotchViewModel& notch;
        HealthDataStore& health;
        Haptics& haptics;
        const Clock& clock;
        const SystemPreferences& system;
    };

    static constexpr double pointsPerStep = 8;
    static constexpr double scrollPointsPerStep = 16;
    static constexpr double preciseScrollFactor = 1.4;
    static constexpr double lineScrollFactor = 3.2;
    static constexpr double flingSeconds = 0.13;
    static constexpr double rubberBandFactor = 0.3;
    static constexpr double snapDuration = 0.24; // release, buttons, caret and readout emphasis
    static constexpr double scrollStepDuration = 0.18;
    // Input is taken once the reveal has eased this far in.
    static constexpr double interactiveReveal = 0.88;
    static constexpr double draggingCaretScale = 1.14;
    static constexpr double draggingReadoutScale = 1.02;

    explicit WaterTrackingModel(Services services);
    WaterTrackingModel(const WaterTrackingModel&) = delete;
    WaterTrackingModel& operator=(const WaterTrackingModel&) = delete;

    WaterRulerScale scale() const;
    int selectedStep() const;
    int selectedML() const;
    // True while the ruler is the open surface; input also waits until it has nearly opened.
    bool isActive() const;
    bool isInteractive() const;
    bool isDragging() const { return isDragging_; }
    double scrollRemainder() const { return scrollRemainder_; }
    bool minusEnabled() const;
    bool plusEnabled() const;
    bool trackEnabled() const;

    // Pointer surface (x in the ruler's own coordinates, `now` in monotonic seconds): turns presses,
    // moves and releases into drag phases, with the release velocity from the last move.
    void pointerPressed(double x, double now);
    void pointerMoved(double x, double now);
    void pointerReleased(double x, double now);
    // A drag phase as the pointer surface sends it.
    void drag(const WaterRulerDragPhase& phase);
    // One scroll event's raw deltas; `precise` for a trackpad's pixel deltas, else wheel lines.
    void scrollEvent(double deltaX, double deltaY, bool precise);
    // Scroll distance in points, positive towards less water.
    void scroll(double delta);
    static double scrollDelta(double deltaX, double deltaY, bool precise);
    // −1 for minus, +1 for plus.
    void step(int direction);
    // "Track": logs the selection and closes the ruler.
    void track();

    // The pointer over the ruler: a hand that can grab an enabled ruler, a closed one while it
    // holds it, the arrow otherwise.
    enum class Cursor { arrow, openHand, closedHand };
    Cursor cursor(bool pointerOverRuler) const;

    // What is drawn at `now`.
    // The fractional step under the ruler's centre: the finger's position while dragging, then
    // easing to the selection.
    double centreAt(double now) const;
    std::vector<RulerTick> ticksAt(double now, double width) const;
    double caretScaleAt(double now) const;
    double readoutScaleAt(double now) const;
    const WaterAmountReadout& readout() const { return readout_; }
    double readoutBoxWidth() const;
    // How far the readout, the ruler and the buttons are still shifted down while the notch opens.
    struct Entrance {
        double readout = 0;
        double ruler = 0;
        double controls = 0;
    };
    Entrance entranceAt() const;
    bool isAnimating(double now) const;

    // A gesture began or ended, or the selection changed: the drawing and the cursor follow.
    Signal<> changed;

private:
    void setSelectedStep(int step, bool withHaptic);
    void applyStep(int step);
    void animateCentre(int step, double duration, CubicBezier curve);
    void resetGesture();
    bool reduceMotion() const { return services_.system.reduceMotion.get(); }
    double now() const { return services_.clock.monotonicNow(); }

    Services services_;
    std::vector<Subscription> subscriptions_;
    bool isDragging_ = false;
    double dragStartStep_ = 0;
    double displayStep_ = 0;
    int lastHapticStep_ = 0;
    double scrollRemainder_ = 0;
    // The pointer surface's coordinator.
    double dragOriginX_ = 0;
    double previousDragX_ = 0;
    double previousDragTime_ = 0;
    TimedCurve centre_;
    TimedCurve dragEmphasis_{0, 0, 0, 0, CubicBezier::entry()};
    WaterAmountReadout readout_;
};

} // namespace vornela
