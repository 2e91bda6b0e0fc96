// NotchViewModel: nudges handed over by the engine, their messages, completion and dismissal.
#include "core/notch/NotchViewModel.h"

#include "core/nudges/NudgeCatalogue.h"
#include "core/store/PreferenceKeys.h"

#include <algorithm>
#include <cmath>

namespace vornela {

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
    if (current.isWaterOrHeatMap()) {
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
    // A hand-edited value that would dismiss at once, or hold every later nudge back for years.
    duration = std::isnan(duration)
                   ? keys::nudgeDisplayDuration.defaultValue
                   : std::clamp(duration, keys::minimumDisplayDuration, keys::maximumDisplayDuration);
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

} // namespace vornela
