#include "core/dashboard/WaterTrackingModel.h"

#include "core/base/Easing.h"

#include <algorithm>
#include <cmath>

namespace vornela {

WaterTrackingModel::WaterTrackingModel(Services services)
    : services_(services), readout_(services.notch.waterTrackingSelectedML.get()) {
    centre_ = TimedCurve{double(selectedStep()), double(selectedStep()), 0, 0, CubicBezier::entry()};
    subscriptions_.push_back(services_.notch.notchState.observe([this](const NotchState&) {
        // Every showing of the ruler starts without a gesture; one cannot outlive the ruler.
        resetGesture();
        changed.emit();
    }));
    subscriptions_.push_back(services_.notch.waterTrackingSelectedML.observe([this](const int& ml) {
        // The odometer rolls only on the ruler; opening it on 0 just shows 0.
        readout_.setAmount(ml, now(), reduceMotion() || !isActive());
        changed.emit();
    }));
    subscriptions_.push_back(services_.health.waterGoalML.observe([this](const int&) { changed.emit(); }));
}

WaterRulerScale WaterTrackingModel::scale() const {
    return WaterRulerScale(services_.health.waterGoalML.get());
}

int WaterTrackingModel::selectedML() const {
    return services_.notch.waterTrackingSelectedML.get();
}

int WaterTrackingModel::selectedStep() const {
    return std::clamp(selectedML() / WaterRulerScale::stepML, 0, scale().maxStep());
}

bool WaterTrackingModel::isActive() const {
    return services_.notch.notchState.get().is(NotchState::Case::waterTracking);
}

bool WaterTrackingModel::isInteractive() const {
    if (!isActive())
        return false;
    const NotchViewModel& vm = services_.notch;
    return reduceMotion() || !vm.isLayoutTransitioning.get() ||
           ease(vm.contentRevealProgress(), 2.1) >= interactiveReveal;
}

bool WaterTrackingModel::minusEnabled() const {
    return selectedML() > 0;
}

bool WaterTrackingModel::plusEnabled() const {
    // Up to the last whole step: a goal of 2550 ml ends the ruler at 2500 ml, and a plus that
    // could not move would look like it can.
    return selectedML() < scale().maxAmountML();
}

bool WaterTrackingModel::trackEnabled() const {
    return selectedML() > 0;
}

void WaterTrackingModel::resetGesture() {
    isDragging_ = false;
    dragStartStep_ = 0;
    displayStep_ = 0;
    lastHapticStep_ = 0;
    scrollRemainder_ = 0;
    dragEmphasis_ = TimedCurve{0, 0, 0, 0, CubicBezier::entry()};
    centre_ = TimedCurve{double(selectedStep()), double(selectedStep()), 0, 0, CubicBezier::entry()};
}

void WaterTrackingModel::setSelectedStep(int step, bool withHaptic) {
    step = std::clamp(step, 0, scale().maxStep());
    if (withHaptic && step != lastHapticStep_) {
        services_.haptics.performAlignment();
        lastHapticStep_ = step;
    }
    if (selectedML() != step * WaterRulerScale::stepML)
        services_.notch.selectWaterML(step * WaterRulerScale::stepML);
}

void WaterTrackingModel::applyStep(int step) {
    displayStep_ = step;
    setSelectedStep(step, step != selectedStep());
}

void WaterTrackingModel::animateCentre(int step, double duration, CubicBezier curve) {
    const double t = now();
    centre_ = TimedCurve{centreAt(t), double(step), t, reduceMotion() ? 0 : duration, curve};
}

void WaterTrackingModel::pointerPressed(double x, double t) {
    if (!isInteractive())
        return;
    dragOriginX_ = previousDragX_ = x;
    previousDragTime_ = t;
    drag(WaterRulerDragPhase::began());
}

void WaterTrackingModel::pointerMoved(double x, double t) {
    if (!isDragging_)
        return;
    drag(WaterRulerDragPhase::changed(x - dragOriginX_));
    previousDragX_ = x;
    previousDragTime_ = t;
}

void WaterTrackingModel::pointerReleased(double x, double t) {
    if (!isDragging_)
        return;
    const double velocity = (x - previousDragX_) / std::max(t - previousDragTime_, 0.001);
    drag(WaterRulerDragPhase::ended(x - dragOriginX_, velocity));
}

void WaterTrackingModel::drag(const WaterRulerDragPhase& phase) {
    const double maxStep = scale().maxStep();
    switch (phase.kind) {
    case WaterRulerDragPhase::Kind::began:
        if (!isInteractive() || isDragging_)
            return;
        isDragging_ = true;
        dragStartStep_ = selectedStep();
        displayStep_ = dragStartStep_;
        lastHapticStep_ = selectedStep();
        dragEmphasis_ = TimedCurve{dragEmphasis_.valueAt(now()), 1, now(), reduceMotion() ? 0 : snapDuration,
                                   CubicBezier::entry()};
        break;
    case WaterRulerDragPhase::Kind::changed: {
        if (!isDragging_ || !isInteractive())
            return;
        // Dragging right lowers the amount: the scale follows the pointer.
        const double raw = dragStartStep_ - phase.translation / pointsPerStep;
        if (raw < 0)
            displayStep_ = raw * rubberBandFactor;
        else if (raw > maxStep)
            displayStep_ = maxStep + (raw - maxStep) * rubberBandFactor;
        else
            displayStep_ = raw;
        setSelectedStep(int(std::round(std::clamp(raw, 0.0, maxStep))), true);
        break;
    }
    case WaterRulerDragPhase::Kind::ended: {
        if (!isDragging_)
            return;
        isDragging_ = false;
        dragEmphasis_ = TimedCurve{dragEmphasis_.valueAt(now()), 0, now(), reduceMotion() ? 0 : snapDuration,
                                   CubicBezier::entry()};
        if (!isInteractive())
            break;
        // A flick carries on by 0.13 s of its velocity; a pull past either end springs back.
        const double target = std::round(dragStartStep_ - phase.translation / pointsPerStep -
                                         flingSeconds * phase.velocity / pointsPerStep);
        const int step = int(std::clamp(target, 0.0, maxStep));
        const double from = displayStep_;
        applyStep(step);
        const double t = now();
        centre_ = TimedCurve{from, double(step), t, reduceMotion() ? 0 : snapDuration, CubicBezier::entry()};
        dragStartStep_ = step;
        break;
    }
    }
    changed.emit();
}

double WaterTrackingModel::scrollDelta(double deltaX, double deltaY, bool precise) {
    const double delta = std::abs(deltaY) < std::abs(deltaX) ? deltaX : -deltaY;
    return delta * (precise ? preciseScrollFactor : lineScrollFactor);
}

void WaterTrackingModel::scrollEvent(double deltaX, double deltaY, bool precise) {
    const double delta = scrollDelta(deltaX, deltaY, precise);
    if (delta != 0)
        scroll(delta);
}

void WaterTrackingModel::scroll(double delta) {
    if (delta == 0 || !isInteractive())
        return;
    scrollRemainder_ += delta;
    // The selection is read again on every pass, so a fast scroll moves several steps at once.
    while (scrollRemainder_ >= scrollPointsPerStep) {
        scrollRemainder_ -= scrollPointsPerStep;
        const int step = std::max(selectedStep() - 1, 0);
        animateCentre(step, scrollStepDuration, CubicBezier::valueChange());
        applyStep(step);
        dragStartStep_ = step;
    }
    while (scrollRemainder_ <= -scrollPointsPerStep) {
        scrollRemainder_ += scrollPointsPerStep;
        const int step = std::min(selectedStep() + 1, scale().maxStep());
        animateCentre(step, scrollStepDuration, CubicBezier::valueChange());
        applyStep(step);
        dragStartStep_ = step;
    }
    changed.emit();
}

void WaterTrackingModel::step(int direction) {
    if (!isActive() || isDragging_ || direction == 0)
        return;
    if (direction < 0 ? !minusEnabled() : !plusEnabled())
        return;
    const int next = std::clamp(selectedStep() + (direction < 0 ? -1 : 1), 0, scale().maxStep());
    if (next == selectedStep())
        return;
    animateCentre(next, snapDuration, CubicBezier::entry());
    applyStep(next);
    dragStartStep_ = next;
    changed.emit();
}

void WaterTrackingModel::track() {
    // The state stays until the closing window has shrunk: a second click in that time would log
    // the amount again.
    if (isActive() && trackEnabled() && !services_.notch.deferContentCloseUntilTransition())
        services_.notch.confirmWaterTracking();
}

WaterTrackingModel::Cursor WaterTrackingModel::cursor(bool pointerOverRuler) const {
    if (isDragging_)
        return Cursor::closedHand;
    return pointerOverRuler && isInteractive() ? Cursor::openHand : Cursor::arrow;
}

double WaterTrackingModel::centreAt(double t) const {
    if (isDragging_)
        return displayStep_;
    // A selection set from elsewhere (opening the ruler, a script) is shown where it is.
    if (centre_.to != selectedStep())
        return selectedStep();
    return centre_.valueAt(t);
}

std::vector<RulerTick> WaterTrackingModel::ticksAt(double t, double width) const {
    return scale().ticks(centreAt(t), width);
}

double WaterTrackingModel::caretScaleAt(double t) const {
    return reduceMotion() ? 1 : 1 + (draggingCaretScale - 1) * dragEmphasis_.valueAt(t);
}

double WaterTrackingModel::readoutScaleAt(double t) const {
    return reduceMotion() ? 1 : 1 + (draggingReadoutScale - 1) * dragEmphasis_.valueAt(t);
}

double WaterTrackingModel::readoutBoxWidth() const {
    return WaterAmountReadout::boxWidth(
        std::max(services_.health.waterGoalML.get(), WaterRulerScale::stepML));
}

WaterTrackingModel::Entrance WaterTrackingModel::entranceAt() const {
    if (reduceMotion())
        return {};
    const double r = services_.notch.contentRevealProgress();
    return {(1 - stagger(r, 0)) * 6, (1 - stagger(r, 0.1)) * 5, (1 - stagger(r, 0.1)) * 4};
}

bool WaterTrackingModel::isAnimating(double t) const {
    return centre_.isRunningAt(t) || dragEmphasis_.isRunningAt(t) || readout_.isRunningAt(t);
}

} // namespace vornela
