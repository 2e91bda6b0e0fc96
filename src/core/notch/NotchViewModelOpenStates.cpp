// NotchViewModel: hover, the dashboard, the water ruler and the heat map, and their timers.
#include "core/notch/NotchViewModel.h"

namespace vornela {

void NotchViewModel::expandToHover() {
    if (notchState.get().isWaterOrHeatMap())
        return;
    services_.health.refresh();
    if (notchState.get().is(NotchState::Case::nudge)) {
        // The nudge stays held behind the dashboard.
        const NudgeKindID kind = notchState.get().nudgeKind;
        activeNudge_ = kind;
        setOverlay(kind);
    }
    notchState.set(NotchState::hoverExpanded());
    transition(NotchState::hoverExpanded());
    startBalanceRefresh();
}

void NotchViewModel::startBalanceRefresh() {
    balanceRefreshTask_.cancel();
    services_.health.refresh();
    balanceRefreshTask_ = services_.scheduler.after(ClockKind::monotonic, balanceRefreshInterval,
                                                    [this] { balanceRefreshTick(); });
}

void NotchViewModel::balanceRefreshTick() {
    const NotchState& state = notchState.get();
    if (!state.is(NotchState::Case::hoverExpanded) && !state.is(NotchState::Case::activityHeatMap))
        return;
    services_.health.refresh();
    balanceRefreshTask_ = services_.scheduler.after(ClockKind::monotonic, balanceRefreshInterval,
                                                    [this] { balanceRefreshTick(); });
}

void NotchViewModel::collapse() {
    hoverTask_.cancel();
    activeNudge_.reset();
    activeNudgeMessage.set(std::nullopt);
    setOverlay(std::nullopt);
    setNudgeCompletionUI(std::nullopt);
    dismissTask_.cancel();
    balanceRefreshTask_.cancel();
    // Otherwise the resting pointer would open the dashboard again at once.
    if (isPointerInside_)
        requiresPointerExitBeforeHover_ = true;
    const bool windowClosed = windowAlignment.get() == NotchWindowAlignment::closed();
    if (notchState.get().is(NotchState::Case::closed) && windowClosed)
        return;
    deferContentCloseUntilTransition_ = true;
    if (!windowClosed) {
        // The content keeps its state until the window reports the end of the closing transition.
        windowAlignment.set(NotchWindowAlignment::closed());
        if (onWindowAlignmentChange)
            onWindowAlignmentChange(NotchWindowAlignment::closed());
    } else {
        resetToClosed();
    }
}

void NotchViewModel::resetToClosed() {
    deferContentCloseUntilTransition_ = false;
    notchState.set(NotchState::closed());
    if (!geometry_)
        return;
    const Rect& anchor = geometry_->anchorRect;
    const Rect frame = windowFrame(NotchWindowAlignment::closed(), *geometry_);
    layoutMetrics.set({frame.size(), anchor.width, anchor.height, 0, 0, 0});
}

void NotchViewModel::updatePointerInside(bool inside, bool allowsHoverExpansion) {
    allowsHoverExpansion_ = allowsHoverExpansion;
    if (inside)
        requiresPointerExitBeforeHover_ = false;
    const NotchState state = notchState.get();
    const bool inRuler = state.is(NotchState::Case::waterTracking);

    if (inside == isPointerInside_) {
        if (inside && allowsHoverExpansion && !isLayoutTransitioning.get() && waterNudgeInvolved() &&
            !inRuler)
            openWaterTrackingFromNudge();
        return;
    }
    isPointerInside_ = inside;

    if (isLayoutTransitioning.get()) {
        // Only recorded; finishLayoutTransition decides.
        if (inside && allowsHoverExpansion && waterNudgeInvolved() && !inRuler)
            pendingWaterNudgeHover_ = true;
        return;
    }
    hoverTask_.cancel();

    if (inRuler) {
        if (inside)
            waterTrackingLockUntil_.reset();
        else
            startExitDelay();
        return;
    }
    if (state.is(NotchState::Case::activityHeatMap)) {
        if (inside)
            activityHeatMapLockUntil_.reset();
        else
            startExitDelay();
        return;
    }
    if (!inside) {
        startExitDelay();
        return;
    }
    if (!allowsHoverExpansion)
        return;
    if (waterNudgeInvolved())
        openWaterTrackingFromNudge();
    else
        scheduleHoverExpansion();
}

void NotchViewModel::scheduleHoverExpansion() {
    // A cancelled or finished task counts as absent: only a waiting one blocks a new one.
    if (requiresPointerExitBeforeHover_ || hoverTask_.isPending())
        return;
    hoverTask_ = services_.scheduler.after(ClockKind::monotonic, hoverEnterDelay, [this] {
        if (!isPointerInside_ || notchState.get().isWaterOrHeatMap())
            return;
        hoverTask_ = TaskHandle();
        expandToHover();
    });
}

void NotchViewModel::startExitDelay() {
    hoverTask_ = services_.scheduler.after(ClockKind::monotonic, exitDelay, [this] {
        if (!isPointerInside_)
            exitDelayElapsed();
    });
}

void NotchViewModel::exitDelayElapsed() {
    const NotchState state = notchState.get();
    const auto overlay = nudgeOverlay.get();

    if (state.isWaterOrHeatMap()) {
        const auto& lock =
            state.is(NotchState::Case::waterTracking) ? waterTrackingLockUntil_ : activityHeatMapLockUntil_;
        if (isLockInForce(lock))
            return;
        // A held nudge comes back as it would from the dashboard; a water one is not re-shown.
        if (overlay && *overlay != NudgeKindID::water)
            restoreNudgeFromOverlay(*overlay);
        else if (!overlay && activeNudge_ && *activeNudge_ != NudgeKindID::water)
            presentNudge(*activeNudge_, true);
        else
            collapse();
        return;
    }

    if (overlay == NudgeKindID::water)
        return;
    // Re-showing a water nudge behind the dashboard would leave the dashboard open with the
    // pointer gone (its layout does not change, so no transition ends to close it): like the
    // ruler and the heat map, the dashboard closes and the water nudge is not re-shown.
    const bool heldWaterBehindDashboard = state.isOpen() && activeNudge_ == NudgeKindID::water;
    if (overlay)
        restoreNudgeFromOverlay(*overlay);
    else if (activeNudge_ && !heldWaterBehindDashboard)
        presentNudge(*activeNudge_, true);
    else
        collapse();
}

bool NotchViewModel::isLockInForce(const std::optional<double>& lockUntil) const {
    return lockUntil && services_.clock.wallNow() < *lockUntil;
}

void NotchViewModel::openWaterTrackingFromNudge() {
    if (!isPointerInside_ || !waterNudgeInvolved() || notchState.get().is(NotchState::Case::waterTracking) ||
        requiresPointerExitBeforeHover_)
        return;
    if (isLayoutTransitioning.get()) {
        pendingWaterNudgeHover_ = true;
        return;
    }
    hoverTask_.cancel();
    openWaterTracking();
}

void NotchViewModel::handleNotchClick() {
    if (!waterNudgeInvolved() || notchState.get().is(NotchState::Case::waterTracking))
        return;
    isPointerInside_ = true;
    requiresPointerExitBeforeHover_ = false;
    pendingWaterNudgeHover_ = false;
    hoverTask_.cancel();
    openWaterTracking();
}

void NotchViewModel::openWaterTracking() {
    if (notchState.get().is(NotchState::Case::waterTracking))
        return;
    hoverTask_.cancel();
    dismissTask_.cancel();
    balanceRefreshTask_.cancel();
    waterTrackingSelectedML.set(0);
    waterTrackingLockUntil_ = services_.clock.wallNow() + openStateLock;
    notchState.set(NotchState::waterTracking());
    transition(NotchState::waterTracking());
}

void NotchViewModel::confirmWaterTracking() {
    if (!notchState.get().is(NotchState::Case::waterTracking))
        return;
    if (waterTrackingSelectedML.get() > 0)
        services_.health.logWater(waterTrackingSelectedML.get());
    collapse();
}

void NotchViewModel::openActivityHeatMap() {
    if (notchState.get().is(NotchState::Case::activityHeatMap))
        return;
    hoverTask_.cancel();
    dismissTask_.cancel();
    services_.health.refresh();
    activityHeatMapLockUntil_ = services_.clock.wallNow() + openStateLock;
    notchState.set(NotchState::activityHeatMap());
    transition(NotchState::activityHeatMap());
    startBalanceRefresh();
}

void NotchViewModel::closeActivityHeatMap() {
    if (!notchState.get().is(NotchState::Case::activityHeatMap))
        return;
    services_.health.refresh();
    notchState.set(NotchState::hoverExpanded());
    transition(NotchState::hoverExpanded());
    startBalanceRefresh();
}

void NotchViewModel::shareActivity() {
    if (!notchState.get().is(NotchState::Case::activityHeatMap))
        return;
    services_.sharePreview.presentSharePreview(services_.health.dailyBalanceHistory.get(),
                                               ActivityShareBackground::mono);
}

void NotchViewModel::completeLunchFromDashboard() {
    if (!notchState.get().is(NotchState::Case::hoverExpanded))
        return;
    HealthDataStore& health = services_.health;
    health.rollOverIfNeeded();
    if (health.completedToday(NudgeKindID::launch) < health.lunchGoalDaily.get()) {
        health.recordCompletion(NudgeKindID::launch);
        services_.reminderEngine.scheduleNext(NudgeKindID::launch);
        services_.haptics.performAlignment();
    }
    const auto& prompt = nudgeCompletionUI.get();
    if (nudgeOverlay.get() == NudgeKindID::launch || (prompt && prompt->kind == NudgeKindID::launch)) {
        setNudgeCompletionUI(std::nullopt);
        dismissNudge(true);
    }
}

void NotchViewModel::openSettings() {
    if (onOpenSettings)
        onOpenSettings();
}

} // namespace vornela
