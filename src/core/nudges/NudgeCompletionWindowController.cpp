#include "core/nudges/NudgeCompletionWindowController.h"

#include "core/notch/NotchGeometry.h"
#include "core/notch/NotchViewModel.h"

#include <algorithm>
#include <vector>

namespace vornela {

NudgeCompletionWindowController::NudgeCompletionWindowController(NotchViewModel& viewModel, Ports ports)
    : viewModel_(viewModel), ports_(ports) {
    viewModel_.onNudgeCompletionUIChange = [this] { sync(); };
    viewModel_.onCompletionUIDisplayRequested = [this] { sync(); };
    appearanceSubscription_ = ports_.system.darkAppearance.observe([this](const bool&) { recolour(); });
}

NudgeCompletionWindowController::~NudgeCompletionWindowController() {
    viewModel_.onNudgeCompletionUIChange = nullptr;
    viewModel_.onCompletionUIDisplayRequested = nullptr;
    tearDown();
}

void NudgeCompletionWindowController::sync() {
    if (const auto& prompt = viewModel_.nudgeCompletionUI.get())
        present(*prompt, true);
    else
        hide(true);
}

NudgeCompletionWindowController::Placement
NudgeCompletionWindowController::placementFor(const ScreenInfo& screen,
                                              const std::optional<ScreenInfo>& notchScreen) const {
    const bool isNotchScreen = notchScreen && notchScreen->id == screen.id;
    const bool hasNotch = screen.safeAreaTopInset > 0;
    Placement p;
    // The notch surface carries the buttons on its own screen, whether it covers a camera housing or
    // is the fallback pill: a card there would sit on top of the grown notch and repeat its buttons.
    p.isEffectiveNotchScreen = isNotchScreen;
    p.includesNudgeContext = !isNotchScreen;
    p.forceFallback = !(hasNotch && isNotchScreen);
    return p;
}

Rect NudgeCompletionWindowController::frameFor(const ScreenInfo& screen,
                                               const std::optional<ScreenInfo>& notchScreen,
                                               const NudgeCompletionUIState& state) const {
    const Placement p = placementFor(screen, notchScreen);
    const Size size = ports_.measurer.cardSize(state, p.includesNudgeContext);
    const Point origin = completionPanelOrigin(size, screen, p.forceFallback);
    return {origin.x, origin.y, size.width, size.height};
}

NudgeCompletionPanelView NudgeCompletionWindowController::viewFor(
    const ScreenInfo& screen, const std::optional<ScreenInfo>& notchScreen,
    const NudgeCompletionUIState& state, NudgeActionBarMotion motion) const {
    return {state, placementFor(screen, notchScreen).includesNudgeContext, motion, presentationID_,
            ports_.clock.monotonicNow()};
}

void NudgeCompletionWindowController::setView(const std::string& screenID, ScreenPanel& panel,
                                              NudgeCompletionPanelView view) {
    panel.view = std::move(view);
    panelViewChanged.emit(screenID);
}

void NudgeCompletionWindowController::rebuildPanels() {
    const auto screens = ports_.screens.screens();
    std::erase_if(panels_, [&](auto& entry) {
        const bool connected = std::any_of(screens.begin(), screens.end(),
                                           [&](const ScreenInfo& s) { return s.id == entry.first; });
        if (!connected)
            entry.second.window->close();
        return !connected;
    });
    if (!displayedState_)
        return;

    const auto notchScreen = preferredScreen(screens);
    for (const auto& screen : screens) {
        auto it = panels_.find(screen.id);
        if (placementFor(screen, notchScreen).isEffectiveNotchScreen) {
            // Kept out of sight rather than closed: the screen may stop being the notch screen.
            if (it != panels_.end()) {
                it->second.window->orderOut();
                panels_.erase(it);
            }
            continue;
        }
        const Rect frame = frameFor(screen, notchScreen, *displayedState_);
        const auto view = viewFor(screen, notchScreen, *displayedState_, NudgeActionBarMotion::visible);
        if (it != panels_.end()) {
            it->second.screen = screen;
            setView(screen.id, it->second, view);
            it->second.window->setFrame(frame, true);
            continue;
        }
        auto window = ports_.factory.create(screen, frame, PanelLevel::completion);
        if (!window)
            continue;
        window->setAlpha(1);
        PanelWindow& created = *window;
        panels_.emplace(screen.id, ScreenPanel{screen, std::move(window), view});
        panelViewChanged.emit(screen.id);
        created.orderFront();
    }
}

void NudgeCompletionWindowController::present(const NudgeCompletionUIState& state, bool animated) {
    hideTask_.cancel();
    if (!displayedState_ || displayedState_->kind != state.kind || displayedState_->message != state.message)
        ++presentationID_;

    // A card already running this presentation's motion keeps its timing instead of replaying it.
    std::map<std::string, NudgeCompletionPanelView> before;
    for (const auto& [id, panel] : panels_)
        before.emplace(id, panel.view);

    displayedState_ = state;
    isPresented_ = true;
    rebuildPanels();

    const auto notchScreen = preferredScreen(ports_.screens.screens());
    const auto motion = animated ? NudgeActionBarMotion::entering : NudgeActionBarMotion::visible;
    for (auto& [id, panel] : panels_) {
        auto view = viewFor(panel.screen, notchScreen, state, motion);
        if (auto old = before.find(id); old != before.end() && old->second.sameMotion(view))
            view.motionStart = old->second.motionStart;
        setView(id, panel, std::move(view));
        panel.window->setAlpha(1);
        panel.window->orderFront();
        panel.window->setFrame(frameFor(panel.screen, notchScreen, state), true);
    }
}

void NudgeCompletionWindowController::hide(bool animated) {
    if (!displayedState_)
        return;
    const NudgeCompletionUIState remembered = *displayedState_;
    displayedState_.reset();
    isPresented_ = false;
    hideTask_.cancel();
    if (!animated || panels_.empty()) {
        orderOutAll();
        return;
    }
    const auto notchScreen = preferredScreen(ports_.screens.screens());
    for (auto& [id, panel] : panels_)
        setView(id, panel, viewFor(panel.screen, notchScreen, remembered, NudgeActionBarMotion::exiting));
    hideTask_ = ports_.scheduler.after(ClockKind::monotonic, hideDelay, [this] {
        orderOutAll();
        hideTask_ = TaskHandle();
    });
}

void NudgeCompletionWindowController::handleScreenChange() {
    rebuildPanels();
    orderFrontAll();
}

void NudgeCompletionWindowController::repositionPanels() {
    if (!displayedState_)
        return;
    const auto screens = ports_.screens.screens();
    const auto notchScreen = preferredScreen(screens);
    for (auto& [id, panel] : panels_) {
        auto screen = std::find_if(screens.begin(), screens.end(),
                                   [&id = id](const ScreenInfo& s) { return s.id == id; });
        if (screen != screens.end())
            panel.screen = *screen;
        panel.window->setFrame(frameFor(panel.screen, notchScreen, *displayedState_), true);
    }
}

bool NudgeCompletionWindowController::containsPoint(Point point) const {
    if (!displayedState_)
        return false;
    return std::any_of(panels_.begin(), panels_.end(),
                       [&](const auto& entry) { return entry.second.window->frame().contains(point); });
}

void NudgeCompletionWindowController::orderFrontAll() {
    if (!displayedState_)
        return;
    for (auto& [id, panel] : panels_)
        panel.window->orderFront();
}

void NudgeCompletionWindowController::orderOutAll() {
    for (auto& [id, panel] : panels_) {
        panel.window->orderOut();
        panel.window->setAlpha(1);
    }
}

void NudgeCompletionWindowController::recolour() {
    if (!displayedState_)
        return;
    // A fresh card in its resting state, so the new colours show without replaying the entry.
    const auto notchScreen = preferredScreen(ports_.screens.screens());
    for (auto& [id, panel] : panels_)
        setView(id, panel,
                viewFor(panel.screen, notchScreen, *displayedState_, NudgeActionBarMotion::visible));
}

void NudgeCompletionWindowController::tearDown() {
    hideTask_.cancel();
    for (auto& [id, panel] : panels_)
        panel.window->close();
    panels_.clear();
    displayedState_.reset();
    isPresented_ = false;
}

} // namespace vornela
