#pragma once

#include "core/base/FixedWidthTextMeasurer.h"
#include "core/base/Haptics.h"
#include "core/base/SystemPreferences.h"
#include "core/base/TextMeasurer.h"
#include "core/notch/NotchGeometry.h"
#include "core/notch/NotchViewModel.h"
#include "core/notch/NotchWindowController.h"
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

// Does what the notch window does with the view model, minus the window: every alignment change
// becomes one timed transition with a new token, and the pointer is reported as the global
// monitor would report it.
class FakeNotchWindow {
public:
    FakeNotchWindow(NotchViewModel& viewModel, Scheduler& scheduler) : vm_(viewModel), scheduler_(scheduler) {
        vm_.onWindowAlignmentChange = [this](const NotchWindowAlignment& a) { apply(a, true); };
    }
    ~FakeNotchWindow() { vm_.onWindowAlignmentChange = {}; }
    FakeNotchWindow(const FakeNotchWindow&) = delete;
    FakeNotchWindow& operator=(const FakeNotchWindow&) = delete;

    void show(const NotchGeometry& geometry) {
        vm_.updateGeometry(geometry);
        apply(vm_.windowAlignment.get(), false);
    }

    void movePointer(bool inside) {
        pointerInside = inside;
        const auto state = vm_.notchState.get().kind;
        const bool openOnItsOwn =
            state == NotchState::Case::waterTracking || state == NotchState::Case::activityHeatMap;
        vm_.updatePointerInside(inside, openOnItsOwn || inside);
    }

    void click() { vm_.handleNotchClick(); }

    static double duration(LayoutTransitionKind kind) { return NotchWindowController::duration(kind); }
    static LayoutTransitionKind kindFor(const NotchWindowAlignment& from, const NotchWindowAlignment& to) {
        const auto kind = NotchWindowController::transitionKind(from, to);
        // Between two visible layouts a shrink is a plain resize, as the real window does it.
        const bool closing = to.kind == NotchWindowAlignment::Case::closed;
        return !closing && kind == LayoutTransitionKind::collapse ? LayoutTransitionKind::resize : kind;
    }

    bool pointerInside = false;
    int token = 0;
    std::vector<NotchWindowAlignment> applied;
    std::vector<LayoutTransitionKind> kinds;

private:
    void apply(const NotchWindowAlignment& alignment, bool animated) {
        const auto kind = kindFor(previous_, alignment);
        previous_ = alignment;
        applied.push_back(alignment);
        kinds.push_back(kind);
        const int current = ++token;
        completion_.cancel();
        vm_.beginLayoutTransition(current, animated, kind);
        if (!animated) {
            finish(current);
            return;
        }
        completion_ =
            scheduler_.after(ClockKind::monotonic, duration(kind), [this, current] { finish(current); });
    }

    void finish(int current) { vm_.finishLayoutTransition(pointerInside, pointerInside, current); }

    NotchViewModel& vm_;
    Scheduler& scheduler_;
    NotchWindowAlignment previous_ = NotchWindowAlignment::closed();
    TaskHandle completion_;
};

// The core's notch view model on a notched laptop, driven by a stand-in window instead of the
// notch window controller. The core is not launched: nothing but the test presents nudges.
struct NotchWorld : CoreWorld {
    explicit NotchWorld(bool withGeometry = true) : CoreWorld("Europe/Berlin", 2026, 6, 1, 10, 0) {
        vm = &core->notch();
        overlaySubscription = vm->onNudgeOverlayChange.connect(
            [this](const std::optional<NudgeKindID>& kind) { overlayReports.push_back(kind); });
        window = std::make_unique<FakeNotchWindow>(*vm, scheduler);
        if (withGeometry)
            window->show(geometry);
    }

    ~NotchWorld() { window.reset(); }

    NotchState state() const { return vm->notchState.get(); }
    NotchWindowAlignment alignment() const { return vm->windowAlignment.get(); }
    void enter() { window->movePointer(true); }
    void leave() { window->movePointer(false); }

    // Pointer rests on the bare notch until the dashboard is open and settled.
    void openDashboard() {
        enter();
        advance(1);
    }

    NotchGeometry geometry = makeNotchGeometry(notchedLaptop());
    std::vector<std::optional<NudgeKindID>> overlayReports;
    NotchViewModel* vm = nullptr;
    std::unique_ptr<FakeNotchWindow> window;

private:
    Subscription overlaySubscription;
};

} // namespace vornela::testing
