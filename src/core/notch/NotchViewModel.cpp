#include "core/notch/NotchViewModel.h"

#include "core/notch/NotchShapes.h"
#include "core/nudges/NudgeCatalogue.h"
#include "core/store/HexColor.h"
#include "core/store/PreferenceKeys.h"

#include <algorithm>
#include <cmath>

namespace vornela {

namespace {

constexpr double messageFontSize = 11;
constexpr double messagePadding = 20;
constexpr double minimumNudgeExpansion = 27;
constexpr double maximumNudgeExpansion = 140;
constexpr double expandRevealDuration = 0.3;
constexpr double collapseRevealDuration = 0.1728;

Color backgroundColorFrom(const PreferencesStore& preferences) {
    return parseHexColor(preferences.read(keys::backgroundColorHex)).value_or(defaultBackgroundColor);
}

bool isWaterOrHeatMap(const NotchState& state) {
    return state.is(NotchState::Case::waterTracking) || state.is(NotchState::Case::activityHeatMap);
}

} // namespace

NotchViewModel::NotchViewModel(Services services)
    : backgroundColor(backgroundColorFrom(services.preferences)), services_(services) {
    backgroundColorNotificationTask_ = services_.center.observe(notifications::backgroundColorDidChange,
                                                                [this] { rereadBackgroundColor(); });
    backgroundColorDefaultsTask_ =
        services_.preferences.observe(keys::backgroundColorHex.name, [this] { rereadBackgroundColor(); });
}

NotchViewModel::~NotchViewModel() = default;

// MARK: - Layout

NotchWindowAlignment NotchViewModel::alignmentFor(const NotchState& state) const {
    switch (state.kind) {
    case NotchState::Case::closed:
        return NotchWindowAlignment::closed();
    case NotchState::Case::hoverExpanded:
        return NotchWindowAlignment::hoverExpanded(hoverAdditionalDown());
    case NotchState::Case::waterTracking:
        return NotchWindowAlignment::waterTracking(hoverAdditionalDown());
    case NotchState::Case::activityHeatMap:
        return NotchWindowAlignment::activityHeatMap(hoverAdditionalDown());
    case NotchState::Case::nudge: {
        const double w = nudgeExpansionWidth(shownMessage(state.nudgeKind));
        const bool hasRow = state.nudgeKind != NudgeKindID::water && nudgeCompletionUI.get().has_value();
        return NotchWindowAlignment::nudge(w, w, hasRow ? completionRowHeight : 0);
    }
    }
    return NotchWindowAlignment::closed();
}

double NotchViewModel::nudgeExpansionWidth(const std::string& message) const {
    const double width = services_.text.width(message, messageFontSize, FontWeight::semibold);
    return std::min(std::max(std::ceil(width) + messagePadding, minimumNudgeExpansion),
                    maximumNudgeExpansion);
}

std::string NotchViewModel::shownMessage(NudgeKindID kind) const {
    if (const auto& message = activeNudgeMessage.get())
        return *message;
    return definitionFor(kind).message;
}

double NotchViewModel::hoverAdditionalDown() const {
    const auto& overlay = nudgeOverlay.get();
    const bool coversPrompt =
        overlay && *overlay != NudgeKindID::water && nudgeCompletionUI.get().has_value();
    return coversPrompt ? completionRowHeight : 0;
}

void NotchViewModel::transition(const NotchState& state) {
    if (!geometry_)
        return;
    const NotchWindowAlignment alignment = alignmentFor(state);
    const bool changed = !(alignment == windowAlignment.get());
    windowAlignment.set(alignment);
    layoutMetrics.set(vornela::layoutMetrics(alignment, *geometry_));
    if (changed && onWindowAlignmentChange)
        onWindowAlignmentChange(alignment);
}

void NotchViewModel::updateGeometry(const NotchGeometry& geometry) {
    geometry_ = geometry;
    rereadBackgroundColor();
    services_.health.refresh();
    // Lay out what is showing: a screen plugged in or out while a nudge or the dashboard is up
    // must not shrink the window under it to the bare notch. A surface on its way to closed
    // stays closed.
    transition(deferContentCloseUntilTransition_ ? NotchState::closed() : notchState.get());
}

std::optional<Rect> NotchViewModel::windowLayoutFrame() const {
    if (!geometry_)
        return std::nullopt;
    const Rect& anchor = geometry_->anchorRect;
    const NotchLayoutMetrics& m = layoutMetrics.get();
    if (m.windowSize.width <= 0 || m.windowSize.height <= 0)
        return anchor.insetBy(0, 0);
    const Rect panel{0, 0, m.windowSize.width, m.windowSize.height};
    const Rect clip =
        notchClipRect(panel, contentRevealProgress(), m.leftExpansion, m.rightExpansion, m.downExpansion);
    // Screen y grows upwards: the drawn rectangle hangs from the window's top edge.
    const double windowMinX = anchor.minX() - m.leftExpansion;
    const double windowTop = anchor.maxY();
    return Rect{windowMinX + clip.x, windowTop - clip.y - clip.height, clip.width, clip.height};
}

// MARK: - Nudges

void NotchViewModel::presentNudge(NudgeKindID kind, bool force) {
    activeNudge_ = kind;
    // An open surface is never interrupted; the nudge waits until the pointer leaves.
    if (!force && notchState.get().isOpen()) {
        nudgeReceived.emit(kind, std::nullopt);
        return;
    }
    hoverTask_.cancel();
    dismissTask_.cancel();
    // A nudge that arrives while the surface is still closing overtakes the close: without this
    // the end of the new transition would reset the notch to closed and hide the nudge.
    deferContentCloseUntilTransition_ = false;
    prepareMessage(kind, force);
    if (!force)
        nudgeReceived.emit(kind, activeNudgeMessage.get());
    setOverlay(kind);
    if (kind == NudgeKindID::water) {
        setNudgeCompletionUI(std::nullopt);
        scheduleDismiss();
    } else {
        presentCompletionUI(kind);
    }

    NotchState target = NotchState::nudge(kind);
    const NotchState current = notchState.get();
    if (isWaterOrHeatMap(current)) {
        target = NotchState::hoverExpanded();
        notchState.set(target);
    } else if (current.is(NotchState::Case::hoverExpanded)) {
        target = NotchState::hoverExpanded();
    } else {
        notchState.set(target);
    }
    transition(target);

    // A water nudge under the pointer goes straight to the ruler.
    if (kind == NudgeKindID::water && isPointerInside_ && !notchState.get().isOpen()) {
        pendingWaterNudgeHover_ = true;
        if (!isLayoutTransitioning.get())
            openWaterTrackingFromNudge();
    }
}

void NotchViewModel::prepareMessage(NudgeKindID kind, bool keepExisting) {
    if (keepExisting && activeNudgeMessage.get())
        return;
    int& index = nudgeMessageRotation_[kind];
    activeNudgeMessage.set(notchMessage(kind, static_cast<std::size_t>(std::max(index, 0))));
    ++index;
}

void NotchViewModel::presentCompletionUI(NudgeKindID kind) {
    NudgeCompletionUIState prompt{kind, shownMessage(kind)};
    if (nudgeCompletionUI.get() == prompt) {
        if (onCompletionUIDisplayRequested)
            onCompletionUIDisplayRequested();
        return;
    }
    setNudgeCompletionUI(std::move(prompt));
}

void NotchViewModel::setNudgeCompletionUI(std::optional<NudgeCompletionUIState> state) {
    const bool equal = nudgeCompletionUI.get() == state;
    nudgeCompletionUI.set(std::move(state));
    if (onNudgeCompletionUIChange)
        onNudgeCompletionUIChange();
    // The completion row adds or removes height below the notch.
    if (!equal && !notchState.get().is(NotchState::Case::closed))
        transition(notchState.get());
}

void NotchViewModel::scheduleDismiss() {
    double duration = services_.preferences.read(keys::nudgeDisplayDuration);
    // A hand-edited value that would dismiss at once or never falls back to the default.
    if (!std::isfinite(duration) || duration <= 0)
        duration = keys::nudgeDisplayDuration.defaultValue;
    dismissTask_ = services_.scheduler.after(ClockKind::monotonic, duration, [this] { dismissNudge(false); });
}

void NotchViewModel::dismissNudge(bool suppressHover) {
    if (!nudgeOverlay.get())
        return;
    setOverlay(std::nullopt);
    activeNudge_.reset();
    activeNudgeMessage.set(std::nullopt);
    setNudgeCompletionUI(std::nullopt);
    dismissTask_.cancel();
    if (notchState.get().isOpen()) {
        transition(notchState.get());
        return;
    }
    // A pointer resting on a finished nudge lands in the dashboard.
    if (!suppressHover && isPointerInside_ && allowsHoverExpansion_) {
        notchState.set(NotchState::closed());
        expandToHover();
        return;
    }
    collapse();
}

void NotchViewModel::completeNudgeFromNotch() {
    const auto prompt = nudgeCompletionUI.get();
    if (!prompt)
        return;
    services_.health.recordCompletion(prompt->kind);
    services_.haptics.performAlignment();
    setNudgeCompletionUI(std::nullopt);
    dismissNudge(true);
}

void NotchViewModel::ignoreNudgeFromNotch() {
    if (!nudgeCompletionUI.get())
        return;
    setNudgeCompletionUI(std::nullopt);
    dismissNudge(true);
}

void NotchViewModel::restoreNudgeFromOverlay(NudgeKindID kind) {
    if (!notchState.get().isOpen())
        return;
    const NotchState target = NotchState::nudge(kind);
    notchState.set(target);
    transition(target);
}

void NotchViewModel::setOverlay(std::optional<NudgeKindID> kind) {
    nudgeOverlay.set(kind);
    onNudgeOverlayChange.emit(kind);
}

bool NotchViewModel::waterNudgeInvolved() const {
    return nudgeOverlay.get() == NudgeKindID::water || activeNudge_ == NudgeKindID::water ||
           notchState.get() == NotchState::nudge(NudgeKindID::water);
}

// MARK: - Hover and the open states

void NotchViewModel::expandToHover() {
    if (isWaterOrHeatMap(notchState.get()))
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
        if (!isPointerInside_ || isWaterOrHeatMap(notchState.get()))
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

    if (isWaterOrHeatMap(state)) {
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
    services_.sharePreview.presentSharePreview(services_.health.dailyBalanceHistory.get(), 0);
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

// MARK: - Window transitions

void NotchViewModel::beginLayoutTransition(int token, bool isTransitioning, LayoutTransitionKind kind) {
    layoutTransitionBegan.emit(token, isTransitioning, kind);
    layoutTransitionToken_ = token;
    hoverTask_.cancel();
    isLayoutTransitioning.set(isTransitioning);
    if (kind == LayoutTransitionKind::resize)
        return;
    const bool expanding = kind == LayoutTransitionKind::expand;
    const double end = expanding ? 1 : 0;
    if (!isTransitioning || services_.system.reduceMotion.get()) {
        setContentReveal(end);
        return;
    }
    setContentReveal(1 - end);
    // Started on the next turn so the start value is drawn once before it moves.
    revealStartTask_ = services_.scheduler.post([this, token, end, expanding] {
        if (token != layoutTransitionToken_)
            return;
        const double now = services_.clock.monotonicNow();
        contentReveal_ = TimedCurve{contentReveal_.valueAt(now), end, now,
                                    expanding ? expandRevealDuration : collapseRevealDuration,
                                    expanding ? CubicBezier::entry() : CubicBezier::exit()};
    });
}

void NotchViewModel::finishLayoutTransition(bool inside, bool allowsHoverExpansion, int token) {
    if (token != layoutTransitionToken_)
        return;
    layoutTransitionFinished.emit(token);
    isLayoutTransitioning.set(false);
    setContentReveal(notchState.get().is(NotchState::Case::closed) ? 0 : 1);
    hoverTask_.cancel();
    isPointerInside_ = inside;
    if (deferContentCloseUntilTransition_)
        resetToClosed();

    if (!inside) {
        if (!notchState.get().is(NotchState::Case::closed))
            startExitDelay();
        return;
    }
    if (!allowsHoverExpansion || requiresPointerExitBeforeHover_)
        return;
    if (pendingWaterNudgeHover_ || waterNudgeInvolved()) {
        pendingWaterNudgeHover_ = false;
        openWaterTrackingFromNudge();
        return;
    }
    const NotchState& state = notchState.get();
    if (state.is(NotchState::Case::waterTracking)) {
        waterTrackingLockUntil_.reset();
    } else if (state.is(NotchState::Case::activityHeatMap)) {
        activityHeatMapLockUntil_.reset();
    } else {
        hoverTask_.cancel();
        scheduleHoverExpansion();
    }
}

bool NotchViewModel::showsCompletionRow() const {
    return notchState.get().is(NotchState::Case::nudge) && nudgeCompletionUI.get().has_value() &&
           layoutMetrics.get().downExpansion > 0;
}

double NotchViewModel::contentRevealProgress() const {
    return contentReveal_.valueAt(services_.clock.monotonicNow());
}

bool NotchViewModel::isContentRevealAnimating() const {
    return revealStartTask_.isPending() || contentReveal_.isRunningAt(services_.clock.monotonicNow());
}

void NotchViewModel::setContentReveal(double value) {
    revealStartTask_.cancel();
    contentReveal_ = TimedCurve{value, value, services_.clock.monotonicNow(), 0, CubicBezier::entry()};
}

// MARK: - Background colour

void NotchViewModel::rereadBackgroundColor() {
    backgroundColor.set(backgroundColorFrom(services_.preferences));
}

} // namespace vornela
