#pragma once

#include "core/notch/NotchGeometry.h"
#include "core/notch/NotchViewModel.h"
#include "core/notch/NotchWindowController.h"
#include "core/nudges/NudgeCompletionWindowController.h"
#include "support/CoreWorld.h"

#include <memory>
#include <optional>
#include <ostream>
#include <vector>

namespace vornela {

// Readable failure messages.
inline void PrintTo(const NotchState& state, std::ostream* os) {
    *os << caseName(state.kind);
    if (state.kind == NotchState::Case::nudge)
        *os << "(" << rawValue(state.nudgeKind) << ")";
}

inline void PrintTo(const NotchWindowAlignment& a, std::ostream* os) {
    const auto e = expansions(a);
    *os << "alignment#" << static_cast<int>(a.kind) << "(" << e.left << ", " << e.right << ", " << e.down
        << ")";
}

} // namespace vornela

namespace vornela::testing {

using fakes::externalDisplay;
using fakes::notchedLaptop;
using fakes::PanelRecord;

// The core launched by a returning user with every nudge held back: the notch panel is up on the
// preferred screen, the view model and both window controllers are real, the pointer is the
// test's, and only the test presents nudges.
struct NotchWorld : CoreWorld {
    // On the laptop's notch, and far from any panel.
    static constexpr Point onNotch{750, 970};
    static constexpr Point elsewhere{100, 100};

    explicit NotchWorld(std::vector<ScreenInfo> screenList = {notchedLaptop()})
        : CoreWorld("Europe/Berlin", 2026, 6, 1, 10, 0, std::move(screenList)) {
        desktop.pointer.at = elsewhere;
        launchQuietly();
        vm = &core->notch();
        window = core->notchWindowController();
        completion = core->completionWindowController();
        overlaySubscription = vm->onNudgeOverlayChange.connect(
            [this](const std::optional<NudgeKindID>& kind) { overlayReports.push_back(kind); });
    }

    // The platform reports a pointer move.
    void movePointer(Point p) {
        desktop.pointer.at = p;
        core->pointerMoved();
    }
    void enter() { movePointer(onNotch); }
    void leave() { movePointer(elsewhere); }
    void click() { window->notchClicked(); }
    // Pointer rests on the bare notch until the dashboard is open and settled.
    void openDashboard() {
        enter();
        advance(1);
    }

    NotchState state() const { return vm->notchState.get(); }
    NotchWindowAlignment alignment() const { return vm->windowAlignment.get(); }
    const NotchGeometry& geometry() const { return *window->geometry(); }
    std::shared_ptr<PanelRecord> notchPanel() const { return desktop.panels.notchPanel(); }

    NotchViewModel* vm = nullptr;
    NotchWindowController* window = nullptr;
    NudgeCompletionWindowController* completion = nullptr;
    std::vector<std::optional<NudgeKindID>> overlayReports;

private:
    Subscription overlaySubscription;
};

} // namespace vornela::testing
