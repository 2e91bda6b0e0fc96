#include "core/notch/NotchWindowController.h"

#include "core/notch/NotchShapes.h"
#include "core/notch/NotchViewModel.h"
#include "core/nudges/NudgeCompletionWindowController.h"

namespace vornela {

namespace {

// How far around the notch the pointer still counts as on it: the screen edge and a little slack.
constexpr double notchSlackX = 4;
constexpr double notchSlackY = 6;

} // namespace

NotchWindowController::NotchWindowController(NotchViewModel& viewModel,
                                             NudgeCompletionWindowController& completionController,
                                             Ports ports)
    : viewModel_(viewModel), completionController_(completionController), ports_(ports) {
    viewModel_.onWindowAlignmentChange = [this](const NotchWindowAlignment& alignment) {
        applyAlignment(true, alignment);
    };
}

NotchWindowController::~NotchWindowController() {
    viewModel_.onWindowAlignmentChange = nullptr;
    transitionCompletionTask_.cancel();
    if (panel_)
        panel_->close();
}

void NotchWindowController::show() {
    if (panel_)
        return;
    const auto screen = preferredScreen(ports_.screens.screens());
    if (!screen)
        return;
    geometry_ = makeNotchGeometry(*screen);
    viewModel_.updateGeometry(*geometry_);

    const Rect frame = windowFrame(viewModel_.windowAlignment.get(), *geometry_);
    panel_ = ports_.factory.create(*screen, frame, PanelLevel::notch);
    if (!panel_)
        return;
    panel_->orderFront();
    applyAlignment(false, viewModel_.windowAlignment.get());

    if (const auto& prompt = viewModel_.nudgeCompletionUI.get())
        completionController_.present(*prompt, true);
    else
        completionController_.hide(false);
    // A pointer already resting on the notch counts.
    reportPointer();
}

double NotchWindowController::duration(LayoutTransitionKind kind) {
    switch (kind) {
    case LayoutTransitionKind::expand:
        return openDuration;
    case LayoutTransitionKind::collapse:
        return closeDuration;
    case LayoutTransitionKind::resize:
        return resizeDuration;
    }
    return resizeDuration;
}

LayoutTransitionKind NotchWindowController::transitionKind(const NotchWindowAlignment& from,
                                                           const NotchWindowAlignment& to) {
    using C = NotchWindowAlignment::Case;
    if (to.kind == C::closed)
        return LayoutTransitionKind::collapse;
    if (from.kind == C::closed)
        return LayoutTransitionKind::expand;
    if (from.isOpen() && to.isOpen())
        return LayoutTransitionKind::resize;
    return expansions(to).total() <= expansions(from).total() ? LayoutTransitionKind::collapse
                                                              : LayoutTransitionKind::expand;
}

void NotchWindowController::applyAlignment(bool animated, const NotchWindowAlignment& alignment) {
    if (!panel_ || !geometry_)
        return;
    const Rect frame = windowFrame(alignment, *geometry_);
    LayoutTransitionKind kind = transitionKind(previousAlignment_, alignment);
    previousAlignment_ = alignment;

    const bool closing = alignment.kind == NotchWindowAlignment::Case::closed;
    if (!closing) {
        // Shrinking between two visible layouts keeps the content in place.
        if (kind == LayoutTransitionKind::collapse)
            kind = LayoutTransitionKind::resize;
        // The open surface is the app's content; the bare notch pretends to be hardware.
        panel_->setSharingType(SharingType::readOnly);
    }

    const int token = ++layoutTransitionToken_;
    transitionCompletionTask_.cancel();
    viewModel_.beginLayoutTransition(token, animated, kind);

    if (!animated) {
        panel_->setFrame(frame, true);
        finishTransition(token, closing);
        return;
    }
    // A growing panel is at full size before its content animates; a closing one keeps its size
    // until the content has closed.
    if (!closing)
        panel_->setFrame(frame, true);
    transitionCompletionTask_ =
        ports_.scheduler.after(ClockKind::monotonic, duration(kind), [this, token, closing, frame] {
            if (token != layoutTransitionToken_)
                return;
            if (closing && panel_)
                panel_->setFrame(frame, true);
            finishTransition(token, closing);
        });
}

void NotchWindowController::finishTransition(int token, bool closing) {
    bool inside = false;
    bool allowsHover = false;
    if (geometry_) {
        const Point p = ports_.pointer.location();
        const bool inNotch = isPointerOnNotch(p);
        inside = inNotch || completionController_.containsPoint(p);
        allowsHover = inNotch;
    }
    viewModel_.finishLayoutTransition(inside, allowsHover, token);
    completionController_.repositionPanels();
    // Only when no newer transition has opened the surface again meanwhile.
    if (closing && panel_ && token == layoutTransitionToken_)
        panel_->setSharingType(SharingType::none);
}

bool NotchWindowController::allowsHoverFromOpenState() const {
    const NotchState& state = viewModel_.notchState.get();
    return state.is(NotchState::Case::waterTracking) || state.is(NotchState::Case::activityHeatMap);
}

void NotchWindowController::reportPointer() {
    if (!geometry_)
        return;
    const Point p = ports_.pointer.location();
    const bool inNotch = isPointerOnNotch(p);
    const bool inPanels = completionController_.containsPoint(p);
    // A completion panel keeps the surface open but never opens the dashboard.
    viewModel_.updatePointerInside(inNotch || inPanels, allowsHoverFromOpenState() || inNotch);
}

bool NotchWindowController::isPointerOnNotch(Point p) {
    if (leftAt_ && *leftAt_ == p)
        return false;
    leftAt_.reset();
    return isPointerInNotchArea(p);
}

bool NotchWindowController::isPointerInNotchArea(Point point) const {
    if (!geometry_)
        return false;
    const NotchWindowAlignment& alignment = viewModel_.windowAlignment.get();
    if (alignment.kind != NotchWindowAlignment::Case::closed &&
        windowFrame(alignment, *geometry_).contains(point))
        return true;
    const Rect& a = geometry_->anchorRect;
    if (a.insetBy(-notchSlackX, -notchSlackY).contains(point))
        return true;
    const auto drawn = viewModel_.windowLayoutFrame();
    return drawn && drawn->contains(point);
}

void NotchWindowController::handleScreenChange() {
    completionController_.handleScreenChange();
    const auto screen = preferredScreen(ports_.screens.screens());
    if (!screen)
        return;
    geometry_ = makeNotchGeometry(*screen);
    viewModel_.updateGeometry(*geometry_);
    applyAlignment(false, viewModel_.windowAlignment.get());
}

void NotchWindowController::tearDown() {
    transitionCompletionTask_.cancel();
    completionController_.tearDown();
    if (panel_)
        panel_->close();
    panel_.reset();
}

bool NotchWindowController::visualHitTest(Point point, Rect bounds) const {
    const NotchLayoutMetrics& m = viewModel_.layoutMetrics.get();
    const Rect clip =
        notchClipRect({0, 0, m.windowSize.width, m.windowSize.height}, viewModel_.contentRevealProgress(),
                      m.leftExpansion, m.rightExpansion, m.downExpansion);
    return clip.offsetBy(bounds.minX(), bounds.minY()).contains(point);
}

bool NotchWindowController::isVisuallyInside(Point point, Rect bounds) const {
    return bounds.contains(point) && visualHitTest(point, bounds);
}

void NotchWindowController::pointerInsideChanged(bool inside) {
    if (inside)
        leftAt_.reset();
    else
        leftAt_ = ports_.pointer.location();
    // The panel resizes under a resting pointer, which may leave and enter it again: only the end
    // of the transition decides, with what was recorded here.
    if (!inside && viewModel_.isLayoutTransitioning.get())
        return;
    viewModel_.updatePointerInside(inside, allowsHoverFromOpenState() || inside);
}

void NotchWindowController::notchClicked() {
    viewModel_.handleNotchClick();
}

} // namespace vornela
