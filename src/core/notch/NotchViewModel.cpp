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

std::optional<double> NotchViewModel::completionRowTop() const {
    if (!nudgeCompletionUI.get())
        return std::nullopt;
    const NotchState& state = notchState.get();
    const NotchLayoutMetrics& m = layoutMetrics.get();
    if (state.is(NotchState::Case::nudge) && m.downExpansion > 0)
        return m.anchorHeight;
    // The open layout grew by the row's height below its own content.
    if (state.isOpen() && hoverAdditionalDown() > 0 && m.downExpansion >= completionRowHeight)
        return m.windowSize.height - completionRowHeight;
    return std::nullopt;
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
